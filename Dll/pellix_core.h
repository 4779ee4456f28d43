// The logic of the activity hook library, free of the platform so that it can
// be tested natively: the install/remove state machine, the hook call and the
// idle arithmetic. The DLL supplies the real hook calls and clock.
#pragma once

#include <stdint.h>

namespace pellix {

// Hook types as the platform numbers them.
enum : int { kKeyboardHookType = 2, kMouseHookType = 7 };

// The words every process that maps the library shares, in this order (the
// shared data section). A hook procedure runs in whichever process takes the
// input and must hand the platform the real handle of its hook, which Windows
// 95 uses to find the next hook in the chain; so the handles live here, beside
// the stamp, and not in the installing process alone. Only the installing
// process writes them: set on install, cleared on removal. The fourth word
// names that process, so that a second one can tell the handles are in use:
// two pairs of hooks chaining through one pair of handles would hand every
// input back to the same hook, and a removal by either would take away the
// other's hooks.
struct SharedState {
  volatile int32_t lastInputTime;  // seconds since 1970 of the last input or reset
  void* volatile mouseHook;
  void* volatile keyboardHook;
  volatile uint32_t ownerProcess;  // id of the process whose hooks these are, or 0
};

// The per-process words. Only the process that installs the hooks ever holds
// a non-zero state.
struct ProcessState {
  void* moduleInstance;
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
// While another process that is still alive owns the shared handles, an
// install installs nothing, leaves its state removed (so that its later
// removal calls nothing either) and returns 0. Handles left by a process that
// has ended, even one that crashed before removing them, do not count: the
// system removed its hooks when it ended. A process id that the system has
// already handed to a new process would still count as alive; that takes a
// crash and the id's reuse by another program before the next start.
//
// Api provides
//   void* SetHook(int type, void* procedure, void* module);
//   int32_t Unhook(void* hook);
//   uint32_t CurrentProcess();
//   bool ProcessAlive(uint32_t processId);
// as static or member functions; the DLL passes the platform's calls, the
// tests a recording fake.
template <typename Api>
inline int32_t Install(SharedState& shared, ProcessState& s, int32_t install, Api& api,
                       void* mouseProc, void* keyboardProc) {
  if ((install != 0) == (s.hookState != 0)) return install;
  if (install != 0) {
    const uint32_t self = api.CurrentProcess();
    const uint32_t owner = shared.ownerProcess;
    if (owner != 0 && owner != self && api.ProcessAlive(owner)) return 0;
    shared.ownerProcess = self;
    shared.mouseHook = api.SetHook(kMouseHookType, mouseProc, s.moduleInstance);
    shared.keyboardHook = api.SetHook(kKeyboardHookType, keyboardProc, s.moduleInstance);
    s.hookState = install;
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(shared.keyboardHook));
  }
  api.Unhook(shared.mouseHook);
  const int32_t result = api.Unhook(shared.keyboardHook);
  shared.mouseHook = nullptr;
  shared.keyboardHook = nullptr;
  shared.ownerProcess = 0;
  s.hookState = 0;
  return result;
}

// Writes the current time into the shared word and returns it: the whole work
// of a hook procedure and of a reset. One plain store, no read-modify-write.
inline int32_t Stamp(volatile int32_t& lastInputTime, int32_t now) {
  lastInputTime = now;
  return now;
}

enum class HookKind { kMouse, kKeyboard };

// The whole work of a hook procedure, in whatever process it runs: stamp the
// shared word, whatever the code, then chain to the next hook with the shared
// handle of this kind of hook.
//
// Api provides
//   intptr_t CallNext(void* hook, int code, uintptr_t wParam, intptr_t lParam);
template <typename Api>
inline intptr_t HookCall(SharedState& shared, HookKind kind, int32_t now, Api& api, int code,
                         uintptr_t wParam, intptr_t lParam) {
  Stamp(shared.lastInputTime, now);
  void* const hook = kind == HookKind::kMouse ? shared.mouseHook : shared.keyboardHook;
  return api.CallNext(hook, code, wParam, lParam);
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
