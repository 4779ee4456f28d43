// The shell and window-system calls behind the notification-area icon: the
// icon and tip resources, the shell's icon operations, and the tray menu. The
// Win32 build passes ui/win32/tray_shell.h; the unit tests pass a fake that
// records every call.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "base/platform.h"

namespace tessaly {

// Icon and menu handles, opaque to the logic; 0 is none.
using IconHandle = uintptr_t;
using MenuHandle = uintptr_t;

// Shell operations and record flags, as the platform numbers them (NIM_*,
// NIF_*).
enum class TrayOperation : uint32_t { kAdd = 0, kModify = 1, kDelete = 2 };
enum : uint32_t { kNifMessage = 0x1, kNifIcon = 0x2, kNifTip = 0x4 };

// The notification-icon record in its first form: 88 bytes, with a tip of at
// most 63 characters and a terminator.
constexpr uint32_t kTrayRecordSize = 88;
constexpr size_t kTrayTipSize = 64;

struct TrayRecord {
  uint32_t size;             // kTrayRecordSize
  WindowHandle window;       // receives the callback message, 0 = none
  uint32_t id;               // the icon's id, fixed at construction
  uint32_t flags;            // kNif* bits of the current call
  uint32_t callbackMessage;  // 0 = none
  IconHandle icon;           // the icon shown, 0 while none is shown
  char tip[kTrayTipSize];
};

struct ScreenPoint {
  int32_t x, y;
};

class TrayShell {
 public:
  virtual ~TrayShell() = default;

  // String resource `id` into out (size bytes, always terminated when size >
  // 0); an empty text when there is none. Returns the length kept.
  virtual size_t LoadText(uint32_t id, char* out, size_t size) = 0;
  // Icon resource `id` at the size of the small caption buttons; 0 when it
  // cannot be had.
  virtual IconHandle LoadSmallIcon(uint32_t id) = 0;
  // Icon resource `id` at the standard size; 0 when there is none.
  virtual IconHandle LoadStandardIcon(uint32_t id) = 0;
  // An icon that the shell no longer shows; frees it if this object loaded it.
  virtual void ReleaseIcon(IconHandle icon) = 0;
  // Shell_NotifyIcon(operation, record); true on success.
  virtual bool NotifyIcon(TrayOperation operation, const TrayRecord& record) = 0;

  // Menus: load, take a pop-up, change items, show, destroy.
  virtual MenuHandle LoadMenuResource(uint32_t id) = 0;
  virtual MenuHandle GetSubMenu(MenuHandle menu, int position) = 0;
  virtual void DestroyMenu(MenuHandle menu) = 0;
  virtual void SetMenuDefaultItem(MenuHandle menu, int position) = 0;
  virtual void CheckMenuItem(MenuHandle menu, uint32_t command) = 0;
  // The command id of the item at `position`.
  virtual uint32_t GetMenuItemId(MenuHandle menu, int position) = 0;
  virtual ScreenPoint GetCursorPos() = 0;
  // Makes `window` the foreground window.
  virtual void SetForegroundWindow(WindowHandle window) = 0;
  // Shows the pop-up with its top-left corner at `at` and returns when it
  // has closed; the chosen item reaches `owner` as WM_COMMAND.
  virtual void TrackPopupMenu(MenuHandle popup, ScreenPoint at, WindowHandle owner) = 0;

  virtual void PostWindowMessage(WindowHandle window, uint32_t message, uintptr_t wParam,
                           intptr_t lParam) = 0;
  virtual intptr_t SendWindowMessage(WindowHandle window, uint32_t message, uintptr_t wParam,
                               intptr_t lParam) = 0;
};

}  // namespace tessaly
