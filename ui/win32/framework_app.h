// The application object: one per program, constructed as a static object
// before WinMain runs. WinMain hands over to RunApplication, which runs
//   InitInstance()  the whole program, its own modal loop included; it
//                   returns FALSE, so no loop of the framework follows
//   the main window, if it still exists, is destroyed (DestroyWindow)
//   ExitInstance()  -> the process's exit code
// Failures are told by return values: the program is built without
// exceptions, so none is caught here.
//
//   TessalyApp theApp;   // derived from CWinApp
//   int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
//     return tessaly::RunApplication(instance, commandLine);
//   }
#pragma once

#include <windows.h>

#include "base/text.h"

#include "ui/win32/framework_dialog.h"

namespace tessaly {

class CWinApp {
 public:
  // Becomes the program's application object (Current()).
  CWinApp();
  virtual ~CWinApp();

  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // The one application object, or none.
  static CWinApp* Current();

  // Start-up and the program's run, as described above.
  virtual BOOL InitInstance() = 0;
  // Shutdown; the result becomes the exit code. The default returns the code
  // of the last WM_QUIT that a framework loop took (0 when none).
  virtual int ExitInstance();

  // The whole run, as described above; returns the exit code.
  int Run(HINSTANCE instance, const char* commandLine);

  HINSTANCE m_hInstance = nullptr;
  // The command line after the program name, in a buffer of the object's own
  // that start-up may change in place; "" when there is none.
  char* m_lpCmdLine = nullptr;
  // The main window, or none. Cleared when that window is destroyed.
  CDialog* m_pMainWnd = nullptr;

 private:
  // Windows 95 command lines are at most kPathSize characters, past which the
  // rest is cut.
  char commandLine_[kPathSize + 16] = "";
};

// WinMain's whole body: runs the application object. -1 when there is none.
int RunApplication(HINSTANCE instance, const char* commandLine);

}  // namespace tessaly
