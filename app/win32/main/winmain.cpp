// Tessaly.exe: the one application object and the program's entry point.
#include <windows.h>

#include "app/win32/tessaly_app.h"

tessaly::TessalyApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  return tessaly::RunApplication(instance, commandLine);
}
