// Message pumps for the tests of the windows: handle what is queued, or
// handle messages until a condition holds.
#pragma once

#include <windows.h>

namespace tessaly_test {

// Handles the messages already queued for this thread, without waiting.
inline void PumpPending() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Handles messages until `done` holds or `limit` ms have passed (a safety
// bound, not a measurement). Returns done().
template <class Done>
bool PumpUntil(Done done, DWORD limit = 10000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > limit) return false;
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
  }
  return true;
}

}  // namespace tessaly_test
