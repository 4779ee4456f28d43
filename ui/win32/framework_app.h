// The application object: one per program, constructed as a static object
// before WinMain runs. WinMain hands over to RunApplication, which runs
//   InitInstance()  -> TRUE: a message loop until WM_QUIT or the main window
//                      is gone; FALSE: no loop
//   the main window, if it still exists, is destroyed (DestroyWindow)
//   ExitInstance()  -> the process's exit code
// Failures are told by return values: the program is built without
// exceptions, so none is caught here.
//
//   TessalyApp theApp;   // derived from CWinApp
//   int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
//     return tessaly::RunApplication(instance, commandLine, show);
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

  // Start-up. The default returns TRUE.
  virtual BOOL InitInstance();
  // Shutdown; the result becomes the exit code. The default returns the code
  // of the last WM_QUIT that a framework loop took (0 when none).
  virtual int ExitInstance();

  // The whole run, as described above; returns the exit code.
  int Run(HINSTANCE instance, const char* commandLine, int showCommand);

  // Remembers the registry company key; RegistryKey() gives it back.
  void SetRegistryKey(const char* company);
  const char* RegistryKey() const { return registryKey_; }

  HINSTANCE m_hInstance = nullptr;
  // The command line after the program name, in a buffer of the object's own
  // that start-up may change in place; "" when there is none.
  char* m_lpCmdLine = nullptr;
  int m_nCmdShow = SW_SHOWNORMAL;
  // The main window, or none. Cleared when that window is destroyed.
  CDialog* m_pMainWnd = nullptr;

 private:
  void RunMessageLoop();

  char registryKey_[kPathSize] = "";
  // Windows 95 command lines are at most 260 characters, past which the
  // rest is cut.
  char commandLine_[kPathSize + 16] = "";
};

// WinMain's whole body: runs the application object. -1 when there is none.
int RunApplication(HINSTANCE instance, const char* commandLine, int showCommand);

}  // namespace tessaly
