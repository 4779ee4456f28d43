#include "ui/tray_icon.h"

#include <string.h>

#include "res/resource.h"
#include "ui/message_map.h"

namespace tessaly {

CTrayIcon::CTrayIcon(uint32_t id, TrayShell& shell, const TessalySettings& settings)
    : shell_(shell), settings_(settings) {
  memset(&notifyData_, 0, sizeof notifyData_);
  notifyData_.size = kTrayRecordSize;
  notifyData_.id = id;
  LoadTip(id);
}

CTrayIcon::~CTrayIcon() { ApplyIcon(0); }

void CTrayIcon::SetCallbackWindow(WindowHandle window, uint32_t message) {
  notifyData_.window = window;
  notifyData_.callbackMessage = message;
}

// At most kTrayTipSize - 1 characters of the string are kept; a missing string gives an
// empty tip.
void CTrayIcon::LoadTip(uint32_t id) {
  shell_.LoadText(id, notifyData_.tip, sizeof notifyData_.tip);
}

bool CTrayIcon::ShowIconResource(uint32_t id) {
  if (id == 0) return ApplyIcon(0);
  LoadTip(id);
  IconHandle icon = shell_.LoadSmallIcon(id);
  if (icon == 0) icon = shell_.LoadStandardIcon(id);
  return ApplyIcon(icon);
}

bool CTrayIcon::ApplyIcon(IconHandle icon) {
  const IconHandle previous = notifyData_.icon;
  TrayOperation operation;
  uint32_t flags = 0;
  if (icon != 0) {
    operation = previous != 0 ? TrayOperation::kModify : TrayOperation::kAdd;
    notifyData_.icon = icon;
    flags = kNifIcon;
  } else {
    if (previous == 0) return true;
    operation = TrayOperation::kDelete;  // the record keeps its icon for this call
  }
  if (notifyData_.tip[0] != '\0') flags |= kNifTip;
  if (notifyData_.callbackMessage != 0 && notifyData_.window != 0) flags |= kNifMessage;
  notifyData_.flags = flags;

  const bool ok = shell_.NotifyIcon(operation, notifyData_);
  // After a removal or a failed call no icon is shown, so the next one is
  // added anew.
  if (operation == TrayOperation::kDelete || !ok) notifyData_.icon = 0;

  // Icons that are no longer shown go back to the shell.
  if (previous != 0 && previous != notifyData_.icon) shell_.ReleaseIcon(previous);
  if (icon != 0 && icon != previous && icon != notifyData_.icon) shell_.ReleaseIcon(icon);
  return ok;
}

int CTrayIcon::HandleCallback(uintptr_t wParam, intptr_t lParam) {
  if (wParam != notifyData_.id) return 0;
  if (lParam != kWmRButtonUp && lParam != kWmLButtonDblClk) return 0;

  const MenuHandle menu = shell_.LoadMenuResource(notifyData_.id);
  if (menu == 0) return 0;
  const MenuHandle popup = shell_.GetSubMenu(menu, 0);
  if (popup == 0) {
    shell_.DestroyMenu(menu);
    return 0;
  }

  if (lParam == kWmRButtonUp) {
    shell_.SetMenuDefaultItem(popup, 0);
    if (settings_.disabled != 0) shell_.CheckMenuItem(popup, ID_TRAY_DISABLE);
    const ScreenPoint at = shell_.GetCursorPos();
    // Only a menu whose owner is the foreground window closes when the user
    // clicks elsewhere.
    shell_.SetForegroundWindow(notifyData_.window);
    shell_.TrackPopupMenu(popup, at, notifyData_.window);
    // Lets the menu's owner take the input back once the menu has closed.
    shell_.PostWindowMessage(notifyData_.window, kWmNull, 0, 0);
  } else {
    const uint32_t command = shell_.GetMenuItemId(popup, 0);
    shell_.SendWindowMessage(notifyData_.window, kWmCommand, command, 0);
  }
  shell_.DestroyMenu(menu);
  return 1;
}

}  // namespace tessaly
