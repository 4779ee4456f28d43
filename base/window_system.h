// The window-system calls that the maintenance actions and the scheduler make
// on other windows: finding, raising and messaging the main program, message
// boxes, timers and starting programs.
#pragma once

#include <stdint.h>

#include "base/platform.h"

// The platform's headers define SendMessage and MessageBox as macros naming
// their A or W forms; the program calls the A forms by their full names, so
// the macros would only rename the methods below. Include <windows.h> before
// this header.
#ifdef SendMessage
#undef SendMessage
#endif
#ifdef MessageBox
#undef MessageBox
#endif

namespace tessaly {

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  // FindWindowA(no class, title): a top-level window with that title, or 0.
  // A window owned by one of the same title (its message box) gives that owner.
  virtual WindowHandle FindTopLevelWindow(const char* title) = 0;
  // OpenMutexA(MUTEX_ALL_ACCESS, not inheritable, name) succeeded; the handle
  // is closed at once.
  virtual bool MutexExists(const char* name) = 0;
  // CreateMutexA(no security, not owned, name), kept open until the process
  // ends, when the system closes it: false only when the mutex existed
  // already (ERROR_ALREADY_EXISTS), that is, another process holds it.
  virtual bool CreateProcessMutex(const char* name) = 0;
  // SendMessageA: waits for the receiver to handle it.
  virtual intptr_t SendMessage(WindowHandle window, uint32_t message, uintptr_t wParam,
                               intptr_t lParam) = 0;
  virtual void ShowWindow(WindowHandle window, int command) = 0;
  virtual void BringWindowToTop(WindowHandle window) = 0;
  virtual void SetForegroundWindow(WindowHandle window) = 0;
  virtual bool IsWindowVisible(WindowHandle window) = 0;
  virtual void KillTimer(WindowHandle window, uintptr_t id) = 0;
  // MessageBoxA; returns the button pressed (IDOK, IDYES, kIdNo, ...).
  virtual int MessageBox(WindowHandle owner, const char* text, const char* caption,
                         uint32_t style) = 0;
  // WinExec; a result below 32 is a failure.
  virtual uint32_t WinExec(const char* commandLine, int show) = 0;
};

// ShowWindow codes, message-box styles and answers, as the platform numbers them.
enum : int { kSwHide = 0, kSwShowNormal = 1, kSwShowMinNoActive = 7 };
enum : uint32_t {
  kMbOk = 0x00,
  kMbYesNo = 0x04,
  kMbIconStop = 0x10,
  kMbIconQuestion = 0x20,
  kMbIconInformation = 0x40,
};
enum : int { kIdNo = 7 };

}  // namespace tessaly
