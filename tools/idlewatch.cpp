// IdleWatch: installs Pellix's hooks and prints the idle seconds once a
// second, so that a person can watch the count fall back to 0 on any input.
//   IdleWatch [seconds]   run for that many seconds (default: until closed)
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

#include "Pellix.h"
#include "tools/plain_window.h"

namespace {

LRESULT CALLBACK WatchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  const long limit = argc > 1 ? strtol(argv[1], nullptr, 10) : 0;

  // A visible window gives the desktop's input a Wine thread to land on.
  HWND window = CreatePlainWindow("TessalyIdleWatch", WatchWindowProc,
                                  "Idle watch - move the mouse", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  100, 100, 400, 200);
  SetTimer(window, 1, 1000, nullptr);

  HookInstall(TRUE);
  HookResetTimer();
  printf("Idle seconds (Pellix.dll); move the mouse over the window to reset.\n");
  fflush(stdout);

  long ticks = 0;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && msg.hwnd == window) {
      printf("idle %ld s\n", static_cast<long>(HookIdleSeconds()));
      fflush(stdout);
      if (limit > 0 && ++ticks >= limit) DestroyWindow(window);
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  HookInstall(FALSE);
  return 0;
}
