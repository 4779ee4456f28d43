#include "app/win32/win32_window_system.h"

#include <windows.h>

#include "base/win32/handles.h"
#include "ui/win32/modal_popup.h"

namespace tessaly {
WindowHandle Win32WindowSystem::FindTopLevelWindow(const char* title) {
  HWND window = ::FindWindowA(nullptr, title);
  // A message box carries its owner's title and, while it is up, stands
  // above its owner, where FindWindowA meets it first: take the owner.
  for (HWND owner = window != nullptr ? ::GetWindow(window, GW_OWNER) : nullptr;
       owner != nullptr; owner = ::GetWindow(window, GW_OWNER)) {
    char ownerTitle[256] = "";
    ::GetWindowTextA(owner, ownerTitle, sizeof ownerTitle);
    if (lstrcmpA(ownerTitle, title) != 0) break;
    window = owner;
  }
  return FromHandle(window);
}

bool Win32WindowSystem::MutexExists(const char* name) {
  HANDLE mutex = ::OpenMutexA(MUTEX_ALL_ACCESS, FALSE, name);
  if (mutex == nullptr) return false;
  ::CloseHandle(mutex);  // only the answer matters
  return true;
}

bool Win32WindowSystem::CreateProcessMutex(const char* name) {
  // The handle stays open on purpose: the mutex lives as long as the process.
  const HANDLE mutex = ::CreateMutexA(nullptr, FALSE, name);
  return !(mutex != nullptr && ::GetLastError() == ERROR_ALREADY_EXISTS);
}

intptr_t Win32WindowSystem::SendMessage(WindowHandle window, uint32_t message, uintptr_t wParam,
                                        intptr_t lParam) {
  return ::SendMessageA(ToHandle<HWND>(window), message, wParam, lParam);
}

void Win32WindowSystem::ShowWindow(WindowHandle window, int command) {
  ::ShowWindow(ToHandle<HWND>(window), command);
}

// Both raise a window's own modal box in its place while the box disables
// it (a second start while the backup question is up).
void Win32WindowSystem::BringWindowToTop(WindowHandle window) {
  ::BringWindowToTop(ForegroundTarget(ToHandle<HWND>(window)));
}

void Win32WindowSystem::SetForegroundWindow(WindowHandle window) {
  ::SetForegroundWindow(ForegroundTarget(ToHandle<HWND>(window)));
}

bool Win32WindowSystem::IsWindowVisible(WindowHandle window) {
  return ::IsWindowVisible(ToHandle<HWND>(window)) != FALSE;
}

void Win32WindowSystem::KillTimer(WindowHandle window, uintptr_t id) {
  ::KillTimer(ToHandle<HWND>(window), id);
}

int Win32WindowSystem::MessageBox(WindowHandle owner, const char* text, const char* caption,
                                  uint32_t style) {
  return ::MessageBoxA(ToHandle<HWND>(owner), text, caption, style);
}

uint32_t Win32WindowSystem::WinExec(const char* commandLine, int show) {
  return ::WinExec(commandLine, show);
}

}  // namespace tessaly
