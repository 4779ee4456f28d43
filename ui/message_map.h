// Message maps: the one table that says what a window does with each window
// message and command. The dialog framework offers every message to the
// table; the first row that matches and whose handler reports "handled" ends
// the search. Kept free of the platform's headers so the lookup rules are the
// same, and tested, on every build.
//
// Rows, and the handler each calls. A typed row cracks its message's
// parameters once, here, and hands them over; what the handler returns
// becomes the message's result as said:
//   CommandEntry(id, code, &T::OnX)   WM_COMMAND from command or control `id`
//                                     with notification `code`: bool OnX()
//   AnyCommandEntry(&T::OnX)          any WM_COMMAND: bool OnX(uint32_t id, uint32_t code)
//   TimerEntry(&T::OnX)               WM_TIMER: bool OnX(uintptr_t timerId)
//   SizeEntry(&T::OnX)                WM_SIZE: void OnX(uint32_t sizeType);
//                                     result 0
//   EraseBackgroundEntry(&T::OnX)     WM_ERASEBKGND: intptr_t OnX(GdiDc dc);
//                                     the result
//   ControlColourEntry(&T::OnX)       each WM_CTLCOLOR*: uintptr_t OnX(GdiDc dc,
//                                     uint32_t controlType), the type counted
//                                     from WM_CTLCOLORMSGBOX (CTLCOLOR_*); the
//                                     brush is the result, and 0 leaves the
//                                     message to the next row
//   DrawItemEntry(&T::OnX)            WM_DRAWITEM: bool OnX(const DRAWITEMSTRUCT&);
//                                     result TRUE when it drew
//   QueryDragIconEntry(&T::OnX)       WM_QUERYDRAGICON: uintptr_t OnX(), the
//                                     icon, is the result
//   QueryNewPaletteEntry(&T::OnX)     WM_QUERYNEWPALETTE: bool OnX(); result
//                                     TRUE when it realised a palette
//   PaletteChangedEntry(&T::OnX)      WM_PALETTECHANGED: bool OnX(uintptr_t
//                                     changer), the window that changed the
//                                     system palette; result 0
//   ValueEntry(message, &T::OnX)      a private message that carries one value
//                                     in wParam: void OnX(uintptr_t value);
//                                     result 0
//   MessageEntry(message, &T::OnX)    a message without a cracker of its own:
//                                     bool OnX(WindowMessage& m); the handler
//                                     reads its parameters through the
//                                     crackers below and sets m.result
//
// A class declares its map as a static array and dispatches through it; the
// override is defined after the array, where its size is known:
//
//   class MainWindow : public CDialog {
//     bool DispatchMessageMap(WindowMessage& m) override;
//     static const MessageMapEntry<MainWindow> kMessageMap[];
//     bool OnHide();
//     bool OnTrayCallback(WindowMessage& m);
//   };
//   // in the .cpp:
//   const MessageMapEntry<MainWindow> MainWindow::kMessageMap[] = {
//       CommandEntry(IDOK, kBnClicked, &MainWindow::OnHide),
//       MessageEntry(kMsgTrayCallback, &MainWindow::OnTrayCallback),
//   };
//   bool MainWindow::DispatchMessageMap(WindowMessage& m) {
//     return DispatchEntries(*this, kMessageMap, m);
//   }
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "presentation/gdi.h"

// The platform's record of WM_DRAWITEM (DRAWITEMSTRUCT), which only the
// handlers of the Win32 build read; the lookup passes it on unread.
struct tagDRAWITEMSTRUCT;

namespace tessaly {

// Message numbers as the platform gives them: the ones the rows below crack,
// and those the tray icon sends or is sent (the shell passes on the mouse
// messages for the icon).
constexpr uint32_t kWmNull = 0x0000;
constexpr uint32_t kWmSize = 0x0005;
constexpr uint32_t kWmEraseBkgnd = 0x0014;
constexpr uint32_t kWmDrawItem = 0x002B;
constexpr uint32_t kWmQueryDragIcon = 0x0037;
constexpr uint32_t kWmCommand = 0x0111;
constexpr uint32_t kWmTimer = 0x0113;
constexpr uint32_t kWmQueryNewPalette = 0x030F;
constexpr uint32_t kWmPaletteChanged = 0x0311;
constexpr uint32_t kWmLButtonDblClk = 0x0203;
constexpr uint32_t kWmRButtonUp = 0x0205;
// The seven WM_CTLCOLOR* messages, in the order of the CTLCOLOR_* types.
constexpr uint32_t kWmCtlColorMsgBox = 0x0132;
constexpr uint32_t kWmCtlColorStatic = 0x0138;

// Notification codes of WM_COMMAND that the program's windows act on.
enum : uint32_t { kBnClicked = 0, kCbnSelChange = 1, kEnKillFocus = 0x200 };

// One message as the window procedure receives it, and the result that the
// procedure gives back when a handler has handled it.
struct WindowMessage {
  uint32_t message;
  uintptr_t wParam;
  intptr_t lParam;
  intptr_t result;
};

// Crackers: each parameter decoded in one place.

// WM_COMMAND: the command or control id (low word of wParam).
inline uint32_t CommandId(const WindowMessage& m) {
  return static_cast<uint32_t>(m.wParam & 0xFFFF);
}

// WM_COMMAND: the notification code. Menu items and accelerators come
// without a control handle (lParam 0); their code counts as 0, the code of a
// button click, so that one row serves a button and a menu item alike.
inline uint32_t CommandCode(const WindowMessage& m) {
  return m.lParam == 0 ? 0 : static_cast<uint32_t>((m.wParam >> 16) & 0xFFFF);
}

// WM_TIMER: the timer's id.
inline uintptr_t TimerId(const WindowMessage& m) { return m.wParam; }

// WM_SIZE: how the window was sized (kSizeMinimized, ...).
constexpr uint32_t kSizeMinimized = 1;  // SIZE_MINIMIZED
inline uint32_t SizeType(const WindowMessage& m) { return static_cast<uint32_t>(m.wParam); }

// WM_PALETTECHANGED: the window that changed the system palette.
inline uintptr_t PaletteChanger(const WindowMessage& m) { return m.wParam; }

// A private message's one value (ValueEntry).
inline uintptr_t MessageValue(const WindowMessage& m) { return m.wParam; }

// A tray icon's callback message: the icon's id and the mouse message.
inline uint32_t TrayIconId(const WindowMessage& m) { return static_cast<uint32_t>(m.wParam); }
inline uint32_t TrayMouseMessage(const WindowMessage& m) {
  return static_cast<uint32_t>(m.lParam);
}

// WM_ERASEBKGND, WM_CTLCOLOR*: the DC to draw in (wParam).
inline GdiDc WParamDc(const WindowMessage& m) { return m.wParam; }

// WM_CTLCOLOR*: which of them, as its CTLCOLOR_* type.
inline bool IsControlColour(uint32_t message) {
  return message >= kWmCtlColorMsgBox && message <= kWmCtlColorStatic;
}
inline uint32_t ControlColourType(const WindowMessage& m) { return m.message - kWmCtlColorMsgBox; }

// The structure that lParam points to (WM_DRAWITEM's DRAWITEMSTRUCT, ...).
template <class S>
const S* LParamStruct(const WindowMessage& m) {
  return reinterpret_cast<const S*>(m.lParam);
}

// One row: the message it takes and the handler of its kind; the other
// handlers are null.
template <class T>
struct MessageMapEntry {
  uint32_t message = 0;
  uint32_t id = 0;    // CommandEntry: the command id
  uint32_t code = 0;  // CommandEntry: the notification code
  bool (T::*onMessage)(WindowMessage&) = nullptr;
  bool (T::*onCommand)() = nullptr;
  bool (T::*onAnyCommand)(uint32_t id, uint32_t code) = nullptr;
  bool (T::*onTimer)(uintptr_t timerId) = nullptr;
  void (T::*onSize)(uint32_t sizeType) = nullptr;
  intptr_t (T::*onEraseBackground)(GdiDc dc) = nullptr;
  uintptr_t (T::*onControlColour)(GdiDc dc, uint32_t controlType) = nullptr;
  bool (T::*onDrawItem)(const tagDRAWITEMSTRUCT& item) = nullptr;
  uintptr_t (T::*onQueryDragIcon)() = nullptr;
  bool (T::*onQueryNewPalette)() = nullptr;
  bool (T::*onPaletteChanged)(uintptr_t changer) = nullptr;
  void (T::*onValue)(uintptr_t value) = nullptr;

  bool Takes(uint32_t m) const { return onControlColour ? IsControlColour(m) : message == m; }
};

template <class T>
constexpr MessageMapEntry<T> MessageEntry(uint32_t message, bool (T::*handler)(WindowMessage&)) {
  MessageMapEntry<T> e;
  e.message = message;
  e.onMessage = handler;
  return e;
}

template <class T>
constexpr MessageMapEntry<T> CommandEntry(uint32_t id, uint32_t code, bool (T::*handler)()) {
  MessageMapEntry<T> e;
  e.message = kWmCommand;
  e.id = id;
  e.code = code;
  e.onCommand = handler;
  return e;
}

template <class T>
constexpr MessageMapEntry<T> AnyCommandEntry(bool (T::*handler)(uint32_t, uint32_t)) {
  MessageMapEntry<T> e;
  e.message = kWmCommand;
  e.onAnyCommand = handler;
  return e;
}

template <class T>
constexpr MessageMapEntry<T> TimerEntry(bool (T::*handler)(uintptr_t)) {
  MessageMapEntry<T> e;
  e.message = kWmTimer;
  e.onTimer = handler;
  return e;
}

template <class T>
constexpr MessageMapEntry<T> SizeEntry(void (T::*handler)(uint32_t)) {
  MessageMapEntry<T> e;
  e.message = kWmSize;
  e.onSize = handler;
  return e;
}

template <class T>
constexpr MessageMapEntry<T> EraseBackgroundEntry(intptr_t (T::*handler)(GdiDc)) {
  MessageMapEntry<T> e;
  e.message = kWmEraseBkgnd;
  e.onEraseBackground = handler;
  return e;
}

template <class T>
constexpr MessageMapEntry<T> ControlColourEntry(uintptr_t (T::*handler)(GdiDc, uint32_t)) {
  MessageMapEntry<T> e;
  e.message = kWmCtlColorMsgBox;
  e.onControlColour = handler;
  return e;
}

template <class T>
constexpr MessageMapEntry<T> DrawItemEntry(bool (T::*handler)(const tagDRAWITEMSTRUCT&)) {
  MessageMapEntry<T> e;
  e.message = kWmDrawItem;
  e.onDrawItem = handler;
  return e;
}

template <class T>
constexpr MessageMapEntry<T> QueryDragIconEntry(uintptr_t (T::*handler)()) {
  MessageMapEntry<T> e;
  e.message = kWmQueryDragIcon;
  e.onQueryDragIcon = handler;
  return e;
}

template <class T>
constexpr MessageMapEntry<T> QueryNewPaletteEntry(bool (T::*handler)()) {
  MessageMapEntry<T> e;
  e.message = kWmQueryNewPalette;
  e.onQueryNewPalette = handler;
  return e;
}

template <class T>
constexpr MessageMapEntry<T> PaletteChangedEntry(bool (T::*handler)(uintptr_t)) {
  MessageMapEntry<T> e;
  e.message = kWmPaletteChanged;
  e.onPaletteChanged = handler;
  return e;
}

template <class T>
constexpr MessageMapEntry<T> ValueEntry(uint32_t message, void (T::*handler)(uintptr_t)) {
  MessageMapEntry<T> e;
  e.message = message;
  e.onValue = handler;
  return e;
}

// Offers command `id` with notification `code`, already cracked, to the
// command rows (CommandEntry, AnyCommandEntry) in table order. True when a matching row's handler reported it handled; a
// handler that returns false lets the search go on.
template <class T>
bool DispatchCommand(T& target, const MessageMapEntry<T>* entries, size_t count, uint32_t id,
                     uint32_t code) {
  for (size_t i = 0; i < count; ++i) {
    const MessageMapEntry<T>& e = entries[i];
    if (e.message != kWmCommand) continue;
    if (e.onCommand != nullptr) {
      if (e.id == id && e.code == code && (target.*e.onCommand)()) return true;
    } else if (e.onAnyCommand != nullptr && (target.*e.onAnyCommand)(id, code)) {
      return true;
    }
  }
  return false;
}

template <class T, size_t N>
bool DispatchCommand(T& target, const MessageMapEntry<T> (&entries)[N], uint32_t id,
                     uint32_t code) {
  return DispatchCommand(target, entries, N, id, code);
}

// Offers m to the rows in table order. Returns true when a matching row's
// handler reported the message handled; a handler that returns false (or a
// control colour handler that gives no brush, or a draw-item row without its
// record) lets the search go on, and the caller's default handling follows
// when no handler took the message. Command, timer, size, palette-changed and
// value handlers that handle their message leave the result 0.
template <class T>
bool DispatchEntries(T& target, const MessageMapEntry<T>* entries, size_t count,
                     WindowMessage& m) {
  for (size_t i = 0; i < count; ++i) {
    const MessageMapEntry<T>& e = entries[i];
    if (!e.Takes(m.message)) continue;
    bool handled = false;
    intptr_t result = 0;
    if (e.onCommand != nullptr) {
      handled = e.id == CommandId(m) && e.code == CommandCode(m) && (target.*e.onCommand)();
    } else if (e.onAnyCommand != nullptr) {
      handled = (target.*e.onAnyCommand)(CommandId(m), CommandCode(m));
    } else if (e.onTimer != nullptr) {
      handled = (target.*e.onTimer)(TimerId(m));
    } else if (e.onSize != nullptr) {
      (target.*e.onSize)(SizeType(m));
      handled = true;
    } else if (e.onEraseBackground != nullptr) {
      result = (target.*e.onEraseBackground)(WParamDc(m));
      handled = true;
    } else if (e.onControlColour != nullptr) {
      const uintptr_t brush = (target.*e.onControlColour)(WParamDc(m), ControlColourType(m));
      result = static_cast<intptr_t>(brush);
      handled = brush != 0;
    } else if (e.onDrawItem != nullptr) {
      const tagDRAWITEMSTRUCT* item = LParamStruct<tagDRAWITEMSTRUCT>(m);
      handled = item != nullptr && (target.*e.onDrawItem)(*item);
      result = 1;  // TRUE
    } else if (e.onQueryDragIcon != nullptr) {
      result = static_cast<intptr_t>((target.*e.onQueryDragIcon)());
      handled = true;
    } else if (e.onQueryNewPalette != nullptr) {
      handled = (target.*e.onQueryNewPalette)();
      result = 1;  // TRUE
    } else if (e.onPaletteChanged != nullptr) {
      handled = (target.*e.onPaletteChanged)(PaletteChanger(m));
    } else if (e.onValue != nullptr) {
      (target.*e.onValue)(MessageValue(m));
      handled = true;
    } else if (e.onMessage != nullptr) {
      if ((target.*e.onMessage)(m)) return true;
      continue;
    }
    if (handled) {
      m.result = result;
      return true;
    }
  }
  return false;
}

template <class T, size_t N>
bool DispatchEntries(T& target, const MessageMapEntry<T> (&entries)[N], WindowMessage& m) {
  return DispatchEntries(target, entries, N, m);
}

}  // namespace tessaly
