#include "ui/win32/tray_shell.h"

#include <shellapi.h>
#include <stddef.h>
#include <string.h>

#include "base/win32/handles.h"
#include "ui/win32/framework_dialog.h"

namespace tessaly {

static_assert(NIM_ADD == static_cast<DWORD>(TrayOperation::kAdd) &&
                  NIM_MODIFY == static_cast<DWORD>(TrayOperation::kModify) &&
                  NIM_DELETE == static_cast<DWORD>(TrayOperation::kDelete),
              "shell operations");
static_assert(NIF_MESSAGE == kNifMessage && NIF_ICON == kNifIcon && NIF_TIP == kNifTip,
              "record flags");
static_assert(offsetof(NOTIFYICONDATAA, szTip) + kTrayTipSize == kTrayRecordSize,
              "the first form of the record ends after a 64-character tip");

Win32TrayShell::Win32TrayShell(HINSTANCE module) : module_(module) {}

Win32TrayShell::~Win32TrayShell() {
  for (HICON icon : owned_)
    if (icon != nullptr) DestroyIcon(icon);
}

HINSTANCE Win32TrayShell::module() const {
  return module_ != nullptr ? module_ : ResourceInstance();
}

size_t Win32TrayShell::LoadText(uint32_t id, char* out, size_t size) {
  if (size == 0) return 0;
  const int length = LoadStringA(module(), id, out, static_cast<int>(size));
  if (length <= 0) {
    out[0] = '\0';
    return 0;
  }
  out[size - 1] = '\0';
  return strlen(out);
}

IconHandle Win32TrayShell::LoadSmallIcon(uint32_t id) {
  // The size of the small caption buttons.
  HICON icon = static_cast<HICON>(LoadImageA(module(), MAKEINTRESOURCEA(id), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMSIZE),
                                             GetSystemMetrics(SM_CYSMSIZE), LR_DEFAULTCOLOR));
  if (icon == nullptr) return 0;
  for (HICON& slot : owned_) {
    if (slot == nullptr) {
      slot = icon;
      return FromHandle(icon);
    }
  }
  DestroyIcon(icon);  // no room to own it: the caller falls back to the shared icon
  return 0;
}

IconHandle Win32TrayShell::LoadStandardIcon(uint32_t id) {
  return FromHandle(LoadIconA(module(), MAKEINTRESOURCEA(id)));  // shared: never destroyed
}

void Win32TrayShell::ReleaseIcon(IconHandle icon) {
  const HICON handle = ToHandle<HICON>(icon);
  if (handle == nullptr) return;
  for (HICON& slot : owned_) {
    if (slot == handle) {
      DestroyIcon(slot);
      slot = nullptr;
      return;
    }
  }
}

NOTIFYICONDATAA Win32TrayShell::ToNotifyIconData(const TrayRecord& record) {
  NOTIFYICONDATAA data;
  memset(&data, 0, sizeof data);
  data.cbSize = kTrayRecordSize;
  data.hWnd = ToHandle<HWND>(record.window);
  data.uID = record.id;
  data.uFlags = record.flags;
  data.uCallbackMessage = record.callbackMessage;
  data.hIcon = ToHandle<HICON>(record.icon);
  memcpy(data.szTip, record.tip, kTrayTipSize);
  data.szTip[kTrayTipSize - 1] = '\0';
  return data;
}

bool Win32TrayShell::NotifyIcon(TrayOperation operation, const TrayRecord& record) {
  NOTIFYICONDATAA data = ToNotifyIconData(record);
  return Shell_NotifyIconA(static_cast<DWORD>(operation), &data) != FALSE;
}

MenuHandle Win32TrayShell::LoadMenuResource(uint32_t id) {
  return FromHandle(LoadMenuA(module(), MAKEINTRESOURCEA(id)));
}

MenuHandle Win32TrayShell::GetSubMenu(MenuHandle menu, int position) {
  return FromHandle(::GetSubMenu(ToHandle<HMENU>(menu), position));
}

void Win32TrayShell::DestroyMenu(MenuHandle menu) { ::DestroyMenu(ToHandle<HMENU>(menu)); }

void Win32TrayShell::SetMenuDefaultItem(MenuHandle menu, int position) {
  ::SetMenuDefaultItem(ToHandle<HMENU>(menu), static_cast<UINT>(position), TRUE);
}

void Win32TrayShell::CheckMenuItem(MenuHandle menu, uint32_t command) {
  ::CheckMenuItem(ToHandle<HMENU>(menu), command, MF_BYCOMMAND | MF_CHECKED);
}

uint32_t Win32TrayShell::GetMenuItemId(MenuHandle menu, int position) {
  return ::GetMenuItemID(ToHandle<HMENU>(menu), position);
}

ScreenPoint Win32TrayShell::GetCursorPos() {
  POINT point{0, 0};
  ::GetCursorPos(&point);
  return {point.x, point.y};
}

void Win32TrayShell::SetForegroundWindow(WindowHandle window) {
  ::SetForegroundWindow(ToHandle<HWND>(window));
}

void Win32TrayShell::TrackPopupMenu(MenuHandle popup, ScreenPoint at, WindowHandle owner) {
  TrackPopupMenuEx(ToHandle<HMENU>(popup), 0, at.x, at.y, ToHandle<HWND>(owner), nullptr);
}

void Win32TrayShell::PostWindowMessage(WindowHandle window, uint32_t message, uintptr_t wParam,
                                 intptr_t lParam) {
  PostMessageA(ToHandle<HWND>(window), message, wParam, lParam);
}

intptr_t Win32TrayShell::SendWindowMessage(WindowHandle window, uint32_t message, uintptr_t wParam,
                                     intptr_t lParam) {
  return SendMessageA(ToHandle<HWND>(window), message, wParam, lParam);
}

}  // namespace tessaly
