// Message maps: the one table that says what a window does with each window
// message and command. The dialog framework offers every message to the
// table; the first row that matches and whose handler reports "handled" ends
// the search. Kept free of the platform's headers so the lookup rules are the
// same, and tested, on every build.
//
// Rows, and the handler each calls:
//   CommandEntry(id, code, &T::OnX)   WM_COMMAND from command or control `id`
//                                     with notification `code`: bool OnX()
//   AnyCommandEntry(&T::OnX)          any WM_COMMAND: bool OnX(uint32_t id, uint32_t code)
//   TimerEntry(&T::OnX)               WM_TIMER: bool OnX(uintptr_t timerId)
//   MessageEntry(message, &T::OnX)    any message: bool OnX(WindowMessage& m);
//                                     the handler reads its parameters through
//                                     the crackers below and sets m.result
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

namespace tessaly {

// Message numbers as the platform gives them.
constexpr uint32_t kWmCommand = 0x0111;
constexpr uint32_t kWmTimer = 0x0113;

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

// A tray icon's callback message: the icon's id and the mouse message.
inline uint32_t TrayIconId(const WindowMessage& m) { return static_cast<uint32_t>(m.wParam); }
inline uint32_t TrayMouseMessage(const WindowMessage& m) {
  return static_cast<uint32_t>(m.lParam);
}

// The structure that lParam points to (WM_DRAWITEM's DRAWITEMSTRUCT, ...).
template <class S>
const S* LParamStruct(const WindowMessage& m) {
  return reinterpret_cast<const S*>(m.lParam);
}

template <class T>
struct MessageMapEntry {
  using MessageHandler = bool (T::*)(WindowMessage&);
  using CommandHandler = bool (T::*)();
  using AnyCommandHandler = bool (T::*)(uint32_t id, uint32_t code);
  using TimerHandler = bool (T::*)(uintptr_t timerId);

  uint32_t message;
  uint32_t id;    // CommandEntry: the command id
  uint32_t code;  // CommandEntry: the notification code
  MessageHandler onMessage;
  CommandHandler onCommand;
  AnyCommandHandler onAnyCommand;
  TimerHandler onTimer;
};

template <class T>
constexpr MessageMapEntry<T> MessageEntry(uint32_t message, bool (T::*handler)(WindowMessage&)) {
  return {message, 0, 0, handler, nullptr, nullptr, nullptr};
}

template <class T>
constexpr MessageMapEntry<T> CommandEntry(uint32_t id, uint32_t code, bool (T::*handler)()) {
  return {kWmCommand, id, code, nullptr, handler, nullptr, nullptr};
}

template <class T>
constexpr MessageMapEntry<T> AnyCommandEntry(bool (T::*handler)(uint32_t, uint32_t)) {
  return {kWmCommand, 0, 0, nullptr, nullptr, handler, nullptr};
}

template <class T>
constexpr MessageMapEntry<T> TimerEntry(bool (T::*handler)(uintptr_t)) {
  return {kWmTimer, 0, 0, nullptr, nullptr, nullptr, handler};
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
// handler reported the message handled; a handler that returns false lets
// the search go on, and the caller's default handling follows when no
// handler took the message. Command and timer handlers that handle their
// message leave the result 0.
template <class T>
bool DispatchEntries(T& target, const MessageMapEntry<T>* entries, size_t count,
                     WindowMessage& m) {
  for (size_t i = 0; i < count; ++i) {
    const MessageMapEntry<T>& e = entries[i];
    if (e.message != m.message) continue;
    bool handled = false;
    if (e.onCommand != nullptr) {
      handled = e.id == CommandId(m) && e.code == CommandCode(m) && (target.*e.onCommand)();
    } else if (e.onAnyCommand != nullptr) {
      handled = (target.*e.onAnyCommand)(CommandId(m), CommandCode(m));
    } else if (e.onTimer != nullptr) {
      handled = (target.*e.onTimer)(TimerId(m));
    } else if (e.onMessage != nullptr) {
      if ((target.*e.onMessage)(m)) return true;
      continue;
    }
    if (handled) {
      m.result = 0;
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
