// The tray icon's shell and menus on Win32: Shell_NotifyIconA with the
// notification-icon record in its first form (kTrayRecordSize bytes), resources from the
// program's module, and the platform's pop-up menus.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "ui/tray_shell.h"

namespace tessaly {

class Win32TrayShell : public TrayShell {
 public:
  // Resources come from `module`, or from ResourceInstance() when none.
  explicit Win32TrayShell(HINSTANCE module = nullptr);
  // Frees the icons it loaded that were not handed back.
  ~Win32TrayShell() override;

  Win32TrayShell(const Win32TrayShell&) = delete;
  Win32TrayShell& operator=(const Win32TrayShell&) = delete;

  size_t LoadText(uint32_t id, char* out, size_t size) override;
  IconHandle LoadSmallIcon(uint32_t id) override;
  IconHandle LoadStandardIcon(uint32_t id) override;
  void ReleaseIcon(IconHandle icon) override;
  bool NotifyIcon(TrayOperation operation, const TrayRecord& record) override;

  MenuHandle LoadMenuResource(uint32_t id) override;
  MenuHandle GetSubMenu(MenuHandle menu, int position) override;
  void DestroyMenu(MenuHandle menu) override;
  void SetMenuDefaultItem(MenuHandle menu, int position) override;
  void CheckMenuItem(MenuHandle menu, uint32_t command) override;
  uint32_t GetMenuItemId(MenuHandle menu, int position) override;
  ScreenPoint GetCursorPos() override;
  void SetForegroundWindow(WindowHandle window) override;
  void TrackPopupMenu(MenuHandle popup, ScreenPoint at, WindowHandle owner) override;
  void PostWindowMessage(WindowHandle window, uint32_t message, uintptr_t wParam,
                   intptr_t lParam) override;
  intptr_t SendWindowMessage(WindowHandle window, uint32_t message, uintptr_t wParam,
                       intptr_t lParam) override;

  // The record as Shell_NotifyIconA receives it.
  static NOTIFYICONDATAA ToNotifyIconData(const TrayRecord& record);

 private:
  HINSTANCE module() const;

  HINSTANCE module_;
  // Loaded by LoadImage: this object destroys them. The tray holds one or
  // two at a time.
  static constexpr int kMaxOwned = 16;
  HICON owned_[kMaxOwned] = {};
};

}  // namespace tessaly
