#include "ui/tray_icon.h"

#include <string.h>

#include "res/resource.h"
#include "ui/message_map.h"

namespace tessaly {

CTrayIcon::CTrayIcon(uint32_t id, TrayShell& shell, const TessalySettings& settings)
    : shell(shell), settings(settings) {
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
  shell.LoadText(id, notifyData.tip, sizeof notifyData.tip);
}

bool CTrayIcon::ShowIconResource(uint32_t id) {
  if (id == 0) return ApplyIcon(0);
  LoadTip(id);
  IconHandle icon = shell.LoadSmallIcon(id);
  if (icon == 0) icon = shell.LoadStandardIcon(id);
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

  const bool ok = shell.NotifyIcon(operation, notifyData);
  // After a removal or a failed call no icon is shown, so the next one is
  // added anew.
  if (operation == TrayOperation::kDelete || !ok) notifyData.icon = 0;

  // Icons that are no longer shown go back to the shell.
  if (previous != 0 && previous != notifyData.icon) shell.ReleaseIcon(previous);
  if (icon != 0 && icon != previous && icon != notifyData.icon) shell.ReleaseIcon(icon);
  return ok;
}

int CTrayIcon::HandleCallback(uintptr_t wParam, intptr_t lParam) {
  if (wParam != notifyData.id) return 0;
  if (lParam != kWmRButtonUp && lParam != kWmLButtonDblClk) return 0;

  const MenuHandle menu = shell.LoadMenuResource(notifyData.id);
  if (menu == 0) return 0;
  const MenuHandle popup = shell.GetSubMenu(menu, 0);
  if (popup == 0) {
    shell.DestroyMenu(menu);
    return 0;
  }

  if (lParam == kWmRButtonUp) {
    shell.SetMenuDefaultItem(popup, 0);
    if (settings.disabled != 0) shell.CheckMenuItem(popup, ID_TRAY_DISABLE);
    const ScreenPoint at = shell.GetCursorPos();
    // Only a menu whose owner is the foreground window closes when the user
    // clicks elsewhere.
    shell.SetForegroundWindow(notifyData.window);
    shell.TrackPopupMenu(popup, at, notifyData.window);
    // Lets the menu's owner take the input back once the menu has closed.
    shell.PostWindowMessage(notifyData.window, kWmNull, 0, 0);
  } else {
    const uint32_t command = shell.GetMenuItemId(popup, 0);
    shell.SendWindowMessage(notifyData.window, kWmCommand, command, 0);
  }
  shell.DestroyMenu(menu);
  return 1;
}

}  // namespace tessaly
