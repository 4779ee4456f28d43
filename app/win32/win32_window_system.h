// The window-system calls of the logic, over the real USER and KERNEL calls.
#pragma once

#include <windows.h>

#include "base/window_system.h"

namespace tessaly {

class Win32WindowSystem : public WindowSystem {
 public:
  WindowHandle FindTopLevelWindow(const char* title) override;
  bool MutexExists(const char* name) override;
  bool CreateProcessMutex(const char* name) override;
  intptr_t SendMessage(WindowHandle window, uint32_t message, uintptr_t wParam,
                       intptr_t lParam) override;
  void ShowWindow(WindowHandle window, int command) override;
  void BringWindowToTop(WindowHandle window) override;
  void SetForegroundWindow(WindowHandle window) override;
  bool IsWindowVisible(WindowHandle window) override;
  void KillTimer(WindowHandle window, uintptr_t id) override;
  int MessageBox(WindowHandle owner, const char* text, const char* caption,
                 uint32_t style) override;
  uint32_t WinExec(const char* commandLine, int show) override;
};

}  // namespace tessaly
