// The logic of the activity hook library, free of the platform so that it can
// be tested natively: the install/remove state machine and the idle
// arithmetic. The DLL supplies the real hook calls and clock.
#pragma once

#include <stdint.h>

namespace pellix {

// Hook types as the platform numbers them.
enum : int { kKeyboardHookType = 2, kMouseHookType = 7 };

// The per-process words. Only the process that installs the hooks ever holds
// non-zero handles and state; every other process only stamps the shared word.
struct ProcessState {
  void* moduleInstance;
  void* mouseHook;
  void* keyboardHook;
  int32_t hookState;  // argument of the last install call that acted
};

// Installs (non-zero) or removes (zero) the two hooks, the mouse hook first in
// both directions. A request for the state already in force returns the
// request at once and calls nothing; any non-zero flag means "installed", so a
// second install with a different non-zero flag cannot install the hooks a
// second time and lose the handles of the first pair. Installing returns the
// keyboard hook's handle, removing the result of the keyboard unhook; the
// caller ignores both.
//
// Api provides
//   void* SetHook(int type, void* procedure, void* module);
//   int32_t Unhook(void* hook);
// as static or member functions; the DLL passes the platform's calls, the
// tests a recording fake.
template <typename Api>
inline int32_t Install(ProcessState& s, int32_t install, Api& api, void* mouseProc,
                       void* keyboardProc) {
  if ((install != 0) == (s.hookState != 0)) return install;
  if (install != 0) {
    s.mouseHook = api.SetHook(kMouseHookType, mouseProc, s.moduleInstance);
    s.keyboardHook = api.SetHook(kKeyboardHookType, keyboardProc, s.moduleInstance);
    s.hookState = install;
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(s.keyboardHook));
  }
  api.Unhook(s.mouseHook);
  const int32_t result = api.Unhook(s.keyboardHook);
  s.mouseHook = nullptr;
  s.keyboardHook = nullptr;
  s.hookState = 0;
  return result;
}

// Writes the current time into the shared word and returns it: the whole work
// of a hook procedure and of a reset. One plain store, no read-modify-write.
inline int32_t Stamp(volatile int32_t& lastInputTime, int32_t now) {
  lastInputTime = now;
  return now;
}

// Seconds since the last stamp, or 0 when nothing has been stamped yet. The
// word is read twice, once for the zero test and once for the subtraction; a
// stamp landing in between only makes the result smaller. Negative when the
// clock was set back after the stamp. The difference is taken modulo 2^32, so
// it stays right when the 32-bit clock wraps between stamp and reading.
template <typename Clock>
inline int32_t IdleSeconds(const volatile int32_t& lastInputTime, Clock now) {
  if (lastInputTime == 0) return 0;
  const int32_t current = now();
  return static_cast<int32_t>(static_cast<uint32_t>(current) -
                              static_cast<uint32_t>(lastInputTime));
}

}  // namespace pellix
