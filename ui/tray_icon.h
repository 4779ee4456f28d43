// The program's icon in the taskbar's notification area: adds, changes and
// removes it through the shell, keeps its tip, and turns the shell's mouse
// messages for it into the tray menu (right-button up) or the menu's first
// command (left double-click).
//
// One resource id names the icon group, the tip string and, for the id given
// at construction, the menu: 150 is the normal icon and the tray menu, 146 the
// disabled icon.
#pragma once

#include <stdint.h>

#include "base/app_state.h"
#if __has_include("res/resource.h")
#include "res/resource.h"
#endif
#include "ui/tray_shell.h"

namespace tessaly {

// Resource ids of the icon, tip and menu, and the one menu command that the
// icon itself looks at.
enum : uint32_t {
  kTrayNormalId = 150,      // icon and tip while the idle actions are on; the tray menu
  kTrayDisabledId = 146,    // icon and tip while they are off
  kTrayCmdDisable = 32773,  // "&Disable Tessaly": checked while disabled
};
#if __has_include("res/resource.h")
static_assert(kTrayNormalId == IDR_TRAY_MENU && kTrayNormalId == IDI_TRAY &&
                  kTrayNormalId == IDS_TRAY_TIP && kTrayDisabledId == IDI_TRAY_DISABLED &&
                  kTrayDisabledId == IDS_TRAY_TIP_DISABLED && kTrayCmdDisable == ID_TRAY_DISABLE,
              "tray ids match the resources");
#endif

class CTrayIcon {
 public:
  // Zeroes the record, sets its size and id and loads tip `id`. Shows
  // nothing. `shell` and `settings` must outlive the object.
  CTrayIcon(uint32_t id, TrayShell& shell, const TessalySettings& settings);
  // Removes the icon if one is shown.
  virtual ~CTrayIcon();

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
  virtual int HandleCallback(uintptr_t wParam, intptr_t lParam);

  bool IsShown() const { return notifyData.icon != 0; }
  const TrayRecord& Record() const { return notifyData; }

 private:
  void LoadTip(uint32_t id);

  TrayShell& shell_;
  const TessalySettings& settings_;
  TrayRecord notifyData;
};

}  // namespace tessaly
