// PellixProbe: a second and third process for the cross-process tests of
// Pellix.dll. It never installs the hooks.
//   PellixProbe window X Y W H SECONDS
//       shows a plain window at that place for that long, without loading
//       Pellix.dll itself; prints "ready" once the window is up and
//       "pellix mapped" as soon as the platform has mapped the library into
//       this process to run a hook procedure.
//   PellixProbe idle
//       maps Pellix.dll, takes export 4 (HookIdleSeconds) by ordinal and
//       prints "idle N".
// Exit code 0 on success, 2 on bad arguments, 3 when the library or its
// export cannot be found, 4 when the window cannot be made.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "tools/plain_window.h"

namespace {

constexpr UINT_PTR kPollTimer = 1;

LRESULT CALLBACK ProbeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void Say(const char* line) {
  printf("%s\n", line);
  fflush(stdout);
}

int ShowWindowFor(int x, int y, int width, int height, long seconds) {
  HWND window = CreatePlainWindow("PellixProbeWindow", ProbeWindowProc, "Pellix probe",
                                  WS_POPUP | WS_BORDER | WS_VISIBLE, x, y, width, height);
  if (!window) return 4;
  UpdateWindow(window);
  SetTimer(window, kPollTimer, 100, nullptr);
  Say("ready");

  const DWORD start = GetTickCount();
  bool mapped = false;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && msg.hwnd == window) {
      if (!mapped && GetModuleHandleA("Pellix.dll")) {
        mapped = true;
        Say("pellix mapped");
      }
      if (GetTickCount() - start >= static_cast<DWORD>(seconds) * 1000) DestroyWindow(window);
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

int PrintIdleSeconds() {
  HMODULE pellix = LoadLibraryA("Pellix.dll");
  if (!pellix) return 3;
  using IdleProc = LONG(WINAPI*)(void);
  auto idle = reinterpret_cast<IdleProc>(
      reinterpret_cast<void*>(GetProcAddress(pellix, MAKEINTRESOURCEA(4))));
  if (!idle) return 3;
  printf("idle %ld\n", static_cast<long>(idle()));
  fflush(stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 7 && strcmp(argv[1], "window") == 0) {
    return ShowWindowFor(atoi(argv[2]), atoi(argv[3]), atoi(argv[4]), atoi(argv[5]),
                         strtol(argv[6], nullptr, 10));
  }
  if (argc == 2 && strcmp(argv[1], "idle") == 0) return PrintIdleSeconds();
  fprintf(stderr, "usage: PellixProbe window X Y W H SECONDS | PellixProbe idle\n");
  return 2;
}
