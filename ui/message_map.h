// Message maps: a table from window message, command id and notification code
// to a member function of the window class. The dialog framework offers every
// message to the table first; the first entry that matches and whose handler
// reports "handled" ends the search. Kept free of the platform's headers so the
// lookup rules are the same, and tested, on every build.
//
// A class declares its map as a static array and dispatches through it; the
// override is defined after the array, where its size is known:
//
//   class MainWindow : public CDialog {
//     bool DispatchMessageMap(WindowMessage& m) override;
//     static const MessageMapEntry<MainWindow> kMessageMap[];
//     bool OnHide();                          // a command handler
//     bool OnTrayCallback(WindowMessage& m);  // a message handler
//   };
//   // in the .cpp:
//   const MessageMapEntry<MainWindow> MainWindow::kMessageMap[] = {
//       CommandEntry(1, &MainWindow::OnHide),
//       MessageEntry(1025, &MainWindow::OnTrayCallback),
//   };
//   bool MainWindow::DispatchMessageMap(WindowMessage& m) {
//     return DispatchEntries(*this, kMessageMap, m);
//   }
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace tessaly {

// WM_COMMAND, as the platform numbers it.
constexpr uint32_t kWmCommand = 0x0111;

// One message as the window procedure receives it, and the result that the
// procedure gives back when a handler has handled it.
struct WindowMessage {
  uint32_t message;
  uintptr_t wParam;
  intptr_t lParam;
  intptr_t result;
};

// The command id of a WM_COMMAND message (low word of wParam).
inline uint32_t CommandId(const WindowMessage& m) {
  return static_cast<uint32_t>(m.wParam & 0xFFFF);
}

// The notification code of a WM_COMMAND message. Menu items and accelerators
// come without a control handle (lParam 0); their code counts as 0, the code
// of a button click, so that one entry serves a button and a menu item alike.
inline uint32_t CommandCode(const WindowMessage& m) {
  return m.lParam == 0 ? 0 : static_cast<uint32_t>((m.wParam >> 16) & 0xFFFF);
}

template <class T>
struct MessageMapEntry {
  using MessageHandler = bool (T::*)(WindowMessage&);
  using CommandHandler = bool (T::*)();

  uint32_t message;  // kWmCommand for command entries
  uint32_t id;       // command entries: the command id
  uint32_t code;     // command entries: the notification code
  MessageHandler onMessage;  // set for message entries
  CommandHandler onCommand;  // set for command entries

  bool Matches(const WindowMessage& m) const {
    if (m.message != message) return false;
    if (onCommand == nullptr) return true;
    return CommandId(m) == id && CommandCode(m) == code;
  }
};

// Any message with this number; the handler reads wParam and lParam and sets
// m.result.
template <class T>
constexpr MessageMapEntry<T> MessageEntry(uint32_t message, bool (T::*handler)(WindowMessage&)) {
  return {message, 0, 0, handler, nullptr};
}

// WM_COMMAND from a button click (code 0), a menu item or an accelerator.
template <class T>
constexpr MessageMapEntry<T> CommandEntry(uint32_t id, bool (T::*handler)()) {
  return {kWmCommand, id, 0, nullptr, handler};
}

// WM_COMMAND from control `id` with notification `code`.
template <class T>
constexpr MessageMapEntry<T> ControlEntry(uint32_t code, uint32_t id, bool (T::*handler)()) {
  return {kWmCommand, id, code, nullptr, handler};
}

// Offers m to the entries in table order. Returns true when a matching
// entry's handler reported the message handled; a handler that returns false
// lets the search go on, and the caller's default handling follows when no
// handler took the message. A command handler that handles its command leaves
// the result 0.
template <class T>
bool DispatchEntries(T& target, const MessageMapEntry<T>* entries, size_t count,
                     WindowMessage& m) {
  for (size_t i = 0; i < count; ++i) {
    const MessageMapEntry<T>& e = entries[i];
    if (!e.Matches(m)) continue;
    if (e.onCommand != nullptr) {
      if ((target.*e.onCommand)()) {
        m.result = 0;
        return true;
      }
    } else if (e.onMessage != nullptr && (target.*e.onMessage)(m)) {
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
