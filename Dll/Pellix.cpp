// Pellix.dll: system-wide keyboard and mouse hooks that stamp the time of the
// last input into one word shared by every process that maps the library,
// beside the two hook handles that every process chains with and the id of
// the process that installed them.
//
// The platform maps this library into every process that takes input, so it
// is built without the C++ runtime: no exceptions, no static constructors,
// nothing but kernel32 and user32. No C runtime either: it would be mapped
// into every process that takes input.
#include <windows.h>

#include "pellix_core.h"

namespace {

// The words shared by every process that maps the library: the stamp (seconds
// since 1970 of the last input or reset, 0 when never stamped since the
// library was first mapped), then the two hook handles and their owner's
// process id. All zero in the image.
__attribute__((section("SHARDATA"), shared))
pellix::SharedState sharedWords = {0, nullptr, nullptr, 0};

// Names the mutex that makes an install's look at the owner and its taking of
// the handles one step, when two processes install at the same moment.
const char kInstallLockName[] = "Pellix Hook Install";

pellix::ProcessState processState;  // zero when the library is mapped

// The platform's hook calls, handed to the install state machine and the
// hook procedures.
struct PlatformHooks {
  static void* SetHook(int type, void* procedure, void* module) {
    return SetWindowsHookExA(type, reinterpret_cast<HOOKPROC>(procedure),
                             static_cast<HINSTANCE>(module), 0);
  }
  static int32_t Unhook(void* hook) { return UnhookWindowsHookEx(static_cast<HHOOK>(hook)); }
  static intptr_t CallNext(void* hook, int code, uintptr_t wParam, intptr_t lParam) {
    return CallNextHookEx(static_cast<HHOOK>(hook), code, wParam, lParam);
  }
  static uint32_t CurrentProcess() { return GetCurrentProcessId(); }
  // A process that cannot be opened, or whose exit code is set, has ended.
  static bool ProcessAlive(uint32_t processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (process == nullptr) return false;
    DWORD exitCode = 0;
    const BOOL read = GetExitCodeProcess(process, &exitCode);
    CloseHandle(process);
    return read != FALSE && exitCode == STILL_ACTIVE;
  }
};

// Seconds since 1 January 1970 (UTC), the value the C runtime's time() gives:
// the system time in 100-nanosecond steps since 1601, less the 1601-1970
// span, divided by 10^7. The division is done a byte at a time in 32-bit
// steps (the remainder stays below 10^7 < 2^24), so that no 64-bit division
// helper is needed.
inline int32_t Now() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const unsigned long long kEpoch1970 = 116444736000000000ULL;
  unsigned long long ticks =
      (static_cast<unsigned long long>(now.dwHighDateTime) << 32 | now.dwLowDateTime) - kEpoch1970;
  const uint32_t kTicksPerSecond = 10000000u;
  uint32_t remainder = 0;
  uint32_t seconds = 0;
  for (int shift = 56; shift >= 0; shift -= 8) {
    const uint32_t part = remainder << 8 | static_cast<uint32_t>(ticks >> shift & 0xFF);
    seconds = seconds << 8 | part / kTicksPerSecond;
    remainder = part % kTicksPerSecond;
  }
  return static_cast<int32_t>(seconds);
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
  processState.moduleInstance = instance;
  return TRUE;
}

LONG WINAPI WEP(LONG) { return 1; }

LRESULT CALLBACK KeyboardFunc(int code, WPARAM wParam, LPARAM lParam) {
  PlatformHooks platform;
  return pellix::HookCall(sharedWords, pellix::HookKind::kKeyboard, Now(), platform, code, wParam,
                          lParam);
}

LRESULT CALLBACK MouseFunc(int code, WPARAM wParam, LPARAM lParam) {
  PlatformHooks platform;
  return pellix::HookCall(sharedWords, pellix::HookKind::kMouse, Now(), platform, code, wParam,
                          lParam);
}

LONG WINAPI HookInstall(LONG install) {
  // Windows 95 has no compare-and-exchange call, so a named mutex serialises
  // installs across processes. A holder that died leaves it abandoned, which
  // the wait takes over; without the mutex the install goes on unguarded.
  HANDLE lock = CreateMutexA(nullptr, FALSE, kInstallLockName);
  if (lock != nullptr) WaitForSingleObject(lock, INFINITE);
  PlatformHooks platform;
  const LONG result = pellix::Install(sharedWords, processState, install, platform,
                                      reinterpret_cast<void*>(&MouseFunc),
                                      reinterpret_cast<void*>(&KeyboardFunc));
  if (lock != nullptr) {
    ReleaseMutex(lock);
    CloseHandle(lock);
  }
  return result;
}

LONG WINAPI HookResetTimer(void) { return pellix::Stamp(sharedWords.lastInputTime, Now()); }

LONG WINAPI HookIdleSeconds(void) { return pellix::IdleSeconds(sharedWords.lastInputTime, Now); }

}  // extern "C"
