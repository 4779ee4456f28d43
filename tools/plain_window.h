// A plain top-level window of a class registered on first use, for the small
// tools and test programs that need somewhere for input to land.
#pragma once

#include <windows.h>

inline HWND CreatePlainWindow(const char* className, WNDPROC procedure, const char* title,
                              DWORD style, int x, int y, int width, int height) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = className;
  RegisterClassA(&wc);  // fails harmlessly when already registered
  return CreateWindowA(className, title, style, x, y, width, height, nullptr, nullptr,
                       wc.hInstance, nullptr);
}
