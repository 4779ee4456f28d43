// The program's icon in the taskbar's notification area: adds, changes and
// removes it through the shell, keeps its tip, and turns the shell's mouse
// messages for it into the tray menu (right-button up) or the menu's first
// command (left double-click).
//
// One resource id names the icon group, the tip string and, for the id given
// at construction, the menu: IDR_TRAY is the normal icon and the tray menu,
// IDR_TRAY_DISABLED the disabled icon.
#pragma once

#include <stdint.h>

#include "base/app_state.h"
#include "ui/tray_shell.h"

namespace tessaly {

class CTrayIcon {
 public:
  // Zeroes the record, sets its size and id and loads tip `id`. Shows
  // nothing. `shell` and `settings` must outlive the object.
  CTrayIcon(uint32_t id, TrayShell& shell, const TessalySettings& settings);
  // Removes the icon if one is shown.
  ~CTrayIcon();

  CTrayIcon(const CTrayIcon&) = delete;
  CTrayIcon& operator=(const CTrayIcon&) = delete;

  // The window and message for the shell's callbacks. Sends nothing.
  void SetCallbackWindow(WindowHandle window, uint32_t message);

  // Shows icon and tip `id`, or removes the icon when `id` is 0. Returns the
  // shell's success; removing when nothing is shown succeeds.
  bool ShowIconResource(uint32_t id);

  // The shell call itself: add or modify with `icon`, delete with 0. The
  // object takes `icon` over and hands it back to the shell's ReleaseIcon
  // once it is no longer shown.
  bool ApplyIcon(IconHandle icon);

  // A callback message: wParam is the icon id, lParam the mouse message.
  // Returns 1 when handled, else 0.
  int HandleCallback(uintptr_t wParam, intptr_t lParam);

 private:
  void LoadTip(uint32_t id);

  TrayShell& shell_;
  const TessalySettings& settings_;
  TrayRecord notifyData_;
};

}  // namespace tessaly
