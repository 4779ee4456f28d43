// HookInstall on the real library: the install/remove state machine with the
// platform's hooks, and input delivered to a window of this process stamping
// the shared word only while the hooks are installed.
#include <windows.h>

#include <gtest/gtest.h>
#include <string.h>
#include <time.h>

#include "Pellix.h"
#include "tools/plain_window.h"

namespace {

constexpr LONG kOldStamp = 1000;  // a stamp long past: the idle count is huge

volatile LONG* SharedWord() {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA("Pellix.dll"));
  if (!base) return nullptr;
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
  for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section)
    if (memcmp(section->Name, "SHARDATA", IMAGE_SIZEOF_SHORT_NAME) == 0)
      return reinterpret_cast<volatile LONG*>(base + section->VirtualAddress);
  return nullptr;
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Pumps this thread's messages until the shared word moves away from
// kOldStamp or the time runs out; true when it moved.
bool PumpUntilStamped(volatile LONG* word, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  do {
    Pump();
    if (*word != kOldStamp) return true;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  } while (GetTickCount() - start < milliseconds);
  Pump();
  return *word != kOldStamp;
}

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

class PellixHooks : public testing::Test {
 protected:
  // One target window for the whole suite: destroying a window under Wine
  // without a window manager takes a while.
  static void SetUpTestSuite() {
    window = CreatePlainWindow("PellixHooksTarget", TargetProc, "Pellix hooks target",
                                WS_POPUP | WS_VISIBLE, kLeft, kTop, kSize, kSize);
    SetForegroundWindow(window);
    SetFocus(window);
    Pump();
  }

  static void TearDownTestSuite() {
    if (window) DestroyWindow(window);
    window = nullptr;
  }

  void SetUp() override {
    ASSERT_NE(window, nullptr);
    word = SharedWord();
    ASSERT_NE(word, nullptr);
    Pump();
  }

  void TearDown() override {
    HookInstall(FALSE);
    Pump();
  }

  // Mouse movement to a point inside the window (x, y relative to it).
  void MoveMouseTo(int x, int y) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = ((kLeft + x) * 65536 + 65535) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = ((kTop + y) * 65536 + 65535) / GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof(input));
  }

  void PressShift() {
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = VK_SHIFT;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
  }

  static constexpr int kLeft = 200, kTop = 150, kSize = 200;
  static HWND window;
  volatile LONG* word = nullptr;
};

HWND PellixHooks::window = nullptr;

TEST_F(PellixHooks, InstallTwiceInstallsOnceAndRemoveTakesTheHooksAway) {
  const LONG keyboardHook = HookInstall(TRUE);
  EXPECT_NE(keyboardHook, 0) << "installing returns the keyboard hook's handle";
  EXPECT_EQ(HookInstall(TRUE), 1) << "the second install returns its argument";
  EXPECT_NE(HookInstall(FALSE), 0) << "removing returns the keyboard unhook's result";
  // The keyboard hook was removed: releasing it again fails.
  EXPECT_FALSE(UnhookWindowsHookEx(reinterpret_cast<HHOOK>(keyboardHook)));
  EXPECT_EQ(HookInstall(FALSE), 0) << "removing while removed returns 0";
  const LONG again = HookInstall(TRUE);
  EXPECT_NE(again, 0) << "a later install installs again";
  EXPECT_NE(HookInstall(FALSE), 0);
  EXPECT_FALSE(UnhookWindowsHookEx(reinterpret_cast<HHOOK>(again)));
}

TEST_F(PellixHooks, RemoveWhileNeverInstalledReturnsZero) {
  EXPECT_EQ(HookInstall(FALSE), 0);
  EXPECT_EQ(HookInstall(FALSE), 0);
}

TEST_F(PellixHooks, MouseInputStampsOnlyWhileInstalled) {
  ASSERT_NE(HookInstall(TRUE), 0);
  *word = kOldStamp;
  MoveMouseTo(50, 50);
  MoveMouseTo(60, 70);
  EXPECT_TRUE(PumpUntilStamped(word, 5000)) << "mouse movement did not reach the mouse hook";
  EXPECT_LE(HookIdleSeconds(), 1);

  ASSERT_NE(HookInstall(FALSE), 0);
  Pump();
  *word = kOldStamp;
  MoveMouseTo(120, 90);
  MoveMouseTo(130, 140);
  EXPECT_FALSE(PumpUntilStamped(word, 1000)) << "input stamped after the hooks were removed";
}

TEST_F(PellixHooks, KeyboardInputStampsOnlyWhileInstalled) {
  ASSERT_NE(HookInstall(TRUE), 0);
  *word = kOldStamp;
  PressShift();
  EXPECT_TRUE(PumpUntilStamped(word, 5000)) << "a key press did not reach the keyboard hook";

  ASSERT_NE(HookInstall(FALSE), 0);
  Pump();
  *word = kOldStamp;
  PressShift();
  EXPECT_FALSE(PumpUntilStamped(word, 1000)) << "input stamped after the hooks were removed";
}

}  // namespace
