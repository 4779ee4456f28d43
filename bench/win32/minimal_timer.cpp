// BenchMinimal.exe: the baseline of the Wine benchmarks. It does the least a
// tray program must do: create one window (hidden, as Tessaly's main window
// is after start-up) and keep one 60-second timer running until the window is
// closed (WM_CLOSE). Nothing else: no resources, no hooks, no other timers.
#include <windows.h>

namespace {

const char kTitle[] = "Tessaly Bench Minimal";
const UINT_PTR kTimerId = 1;
const UINT kTimerPeriod = 60000;

LRESULT CALLBACK MinimalProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      return 0;
    case WM_DESTROY:
      KillTimer(window, kTimerId);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = MinimalProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "TessalyBenchMinimal";
  if (!RegisterClassA(&windowClass)) return 1;
  HWND window = CreateWindowExA(0, windowClass.lpszClassName, kTitle, WS_OVERLAPPEDWINDOW,
                                CW_USEDEFAULT, CW_USEDEFAULT, 200, 100, nullptr, nullptr,
                                instance, nullptr);
  if (!window) return 1;
  SetTimer(window, kTimerId, kTimerPeriod, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
