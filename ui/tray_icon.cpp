#include "ui/tray_icon.h"

#include <string.h>

#include "base/text.h"
#include "ui/message_map.h"

namespace tessaly {

CTrayIcon::CTrayIcon(uint32_t id, TrayShell& shell, const TessalySettings& settings)
    : shell_(shell), settings_(settings) {
  memset(&notifyData, 0, sizeof notifyData);
  notifyData.size = kTrayRecordSize;
  notifyData.id = id;
  LoadTip(id);
}

CTrayIcon::~CTrayIcon() { ApplyIcon(0); }

void CTrayIcon::SetCallbackWindow(WindowHandle window, uint32_t message) {
  notifyData.window = window;
  notifyData.callbackMessage = message;
}

// At most 63 characters of the string are kept; a missing string gives an
// empty tip.
void CTrayIcon::LoadTip(uint32_t id) {
  shell_.LoadText(id, notifyData.tip, sizeof notifyData.tip);
}

bool CTrayIcon::ShowIconResource(uint32_t id) {
  if (id == 0) return ApplyIcon(0);
  LoadTip(id);
  IconHandle icon = shell_.LoadSmallIcon(id);
  if (icon == 0) icon = shell_.LoadStandardIcon(id);
  return ApplyIcon(icon);
}

bool CTrayIcon::ApplyIcon(IconHandle icon) {
  const IconHandle previous = notifyData.icon;
  TrayOperation operation;
  uint32_t flags = 0;
  if (icon != 0) {
    operation = previous != 0 ? TrayOperation::kModify : TrayOperation::kAdd;
    notifyData.icon = icon;
    flags = kNifIcon;
  } else {
    if (previous == 0) return true;
    operation = TrayOperation::kDelete;  // the record keeps its icon for this call
  }
  if (notifyData.tip[0] != '\0') flags |= kNifTip;
  if (notifyData.callbackMessage != 0 && notifyData.window != 0) flags |= kNifMessage;
  notifyData.flags = flags;

  const bool ok = shell_.NotifyIcon(operation, notifyData);
  // After a removal or a failed call no icon is shown, so the next one is
  // added anew.
  if (operation == TrayOperation::kDelete || !ok) notifyData.icon = 0;

  // Icons that are no longer shown go back to the shell.
  if (previous != 0 && previous != notifyData.icon) shell_.ReleaseIcon(previous);
  if (icon != 0 && icon != previous && icon != notifyData.icon) shell_.ReleaseIcon(icon);
  return ok;
}

int CTrayIcon::HandleCallback(uintptr_t wParam, intptr_t lParam) {
  if (wParam != notifyData.id) return 0;
  if (lParam != kWmRButtonUp && lParam != kWmLButtonDblClk) return 0;

  const MenuHandle menu = shell_.LoadMenuResource(notifyData.id);
  if (menu == 0) return 0;
  const MenuHandle popup = shell_.GetSubMenu(menu, 0);
  if (popup == 0) {
    shell_.DestroyMenu(menu);
    return 0;
  }

  if (lParam == kWmRButtonUp) {
    shell_.SetMenuDefaultItem(popup, 0);
    if (settings_.disabled != 0) shell_.CheckMenuItem(popup, kTrayCmdDisable);
    const ScreenPoint at = shell_.GetCursorPos();
    // Only a menu whose owner is the foreground window closes when the user
    // clicks elsewhere.
    shell_.SetForegroundWindow(notifyData.window);
    shell_.TrackPopupMenu(popup, at, notifyData.window);
    // Lets the menu's owner take the input back once the menu has closed.
    shell_.PostWindowMessage(notifyData.window, kWmNull, 0, 0);
  } else {
    const uint32_t command = shell_.GetMenuItemId(popup, 0);
    shell_.SendWindowMessage(notifyData.window, kWmCommand, command, 0);
  }
  shell_.DestroyMenu(menu);
  return 1;
}

}  // namespace tessaly
