// Pellix.dll: system-wide keyboard and mouse hooks that stamp the time of the
// last input into one word shared by every process that maps the library.
//
// The platform maps this library into every process that takes input, so it
// is built without the C++ runtime: no exceptions, no static constructors,
// nothing but kernel32, user32 and the C runtime's clock.
#include <windows.h>
#include <time.h>

#include "pellix_core.h"

// The one shared word: seconds since 1970 of the last input or reset, 0 when
// never stamped since the library was first mapped.
extern "C" {
__attribute__((section("SHARDATA"), shared)) volatile int32_t lastInputTime = 0;
}

namespace {

pellix::ProcessState processState;  // zero when the library is mapped

// The platform's hook calls, handed to the install state machine.
struct PlatformHooks {
  static void* SetHook(int type, void* procedure, void* module) {
    return SetWindowsHookExA(type, reinterpret_cast<HOOKPROC>(procedure),
                             static_cast<HINSTANCE>(module), 0);
  }
  static int32_t Unhook(void* hook) { return UnhookWindowsHookEx(static_cast<HHOOK>(hook)); }
};

inline int32_t Now() { return static_cast<int32_t>(time(nullptr)); }

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
  processState.moduleInstance = instance;
  return TRUE;
}

LONG WINAPI WEP(LONG) { return 1; }

LRESULT CALLBACK KeyboardFunc(int code, WPARAM wParam, LPARAM lParam) {
  pellix::Stamp(lastInputTime, Now());
  return CallNextHookEx(static_cast<HHOOK>(processState.keyboardHook), code, wParam, lParam);
}

LRESULT CALLBACK MouseFunc(int code, WPARAM wParam, LPARAM lParam) {
  pellix::Stamp(lastInputTime, Now());
  return CallNextHookEx(static_cast<HHOOK>(processState.mouseHook), code, wParam, lParam);
}

LONG WINAPI HookInstall(LONG install) {
  PlatformHooks platform;
  return pellix::Install(processState, install, platform,
                         reinterpret_cast<void*>(&MouseFunc),
                         reinterpret_cast<void*>(&KeyboardFunc));
}

LONG WINAPI HookResetTimer(void) { return pellix::Stamp(lastInputTime, Now()); }

LONG WINAPI HookIdleSeconds(void) { return pellix::IdleSeconds(lastInputTime, Now); }

}  // extern "C"
