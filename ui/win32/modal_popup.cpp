#include "ui/win32/modal_popup.h"

namespace tessaly {
namespace {

bool IsUsablePopup(HWND popup, HWND owner) {
  return popup != nullptr && popup != owner && IsWindowVisible(popup) && IsWindowEnabled(popup);
}

struct OwnedSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK FindOwned(HWND window, LPARAM data) {
  OwnedSearch* search = reinterpret_cast<OwnedSearch*>(data);
  if (GetWindow(window, GW_OWNER) != search->owner || !IsUsablePopup(window, search->owner))
    return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

HWND ForegroundTarget(HWND window) {
  if (window == nullptr || IsWindowEnabled(window)) return window;
  // Windows keeps an owned box above its owner; Wine may raise the owner
  // over it. Raising the box itself leaves it in front and makes it the
  // foreground window, never the owner that ignores every click.
  HWND popup = GetLastActivePopup(window);
  if (IsUsablePopup(popup, window)) return popup;
  // Wine may answer the owner itself: look for the visible, enabled window
  // that it owns on its own thread (the box's modal loop runs there).
  OwnedSearch search = {window, nullptr};
  EnumThreadWindows(GetWindowThreadProcessId(window, nullptr), FindOwned,
                    reinterpret_cast<LPARAM>(&search));
  return search.found != nullptr ? search.found : window;
}

}  // namespace tessaly
