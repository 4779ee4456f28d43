// The main window and the splash draw with the application palette on a
// palette display: each realises it and redraws itself when it gets the focus
// and when another window has changed the system palette, and leaves a change
// of its own alone. Both real windows, built from the program's resources.
#include <windows.h>

#include <gtest/gtest.h>

#include "fakes/fake_clock.h"
#include "fakes/fake_companions.h"
#include "fakes/no_main_window_services.h"
#include "ui/win32/splash_dialog.h"
#include "ui/win32/tessaly_dialog.h"

namespace tessaly {
namespace {

// What a window did with the two palette messages.
struct Seen {
  bool redrawnAfterOthersChange = false;
  bool redrawnAfterOwnChange = true;
  LRESULT focusAnswer = 0;
};

bool HasUpdate(HWND window) {
  RECT r;
  return GetUpdateRect(window, &r, FALSE) != FALSE;
}

Seen Observe(HWND window, HWND other) {
  Seen seen;
  ValidateRect(window, nullptr);
  SendMessageA(window, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(other), 0);
  seen.redrawnAfterOthersChange = HasUpdate(window);
  ValidateRect(window, nullptr);
  SendMessageA(window, WM_PALETTECHANGED, reinterpret_cast<WPARAM>(window), 0);
  seen.redrawnAfterOwnChange = HasUpdate(window);
  seen.focusAnswer = SendMessageA(window, WM_QUERYNEWPALETTE, 0, 0);
  return seen;
}

void ExpectPaletteHandling(const Seen& seen) {
  EXPECT_TRUE(seen.redrawnAfterOthersChange) << "another window's palette change redraws it";
  EXPECT_FALSE(seen.redrawnAfterOwnChange) << "its own palette change does not";
  EXPECT_EQ(seen.focusAnswer, TRUE) << "it realises its palette when it gets the focus";
}

class PaletteMessages : public testing::Test {
 protected:
  void SetUp() override {
    LOGPALETTE palette = {0x300, 1, {{0x20, 0x40, 0x80, 0}}};
    app.palette = reinterpret_cast<uintptr_t>(CreatePalette(&palette));
    ASSERT_NE(app.palette, 0u);
    other = CreateWindowExA(0, "STATIC", "other", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
  }
  void TearDown() override {
    DestroyWindow(other);
    DeleteObject(reinterpret_cast<HPALETTE>(app.palette));
  }

  AppState app;
  HWND other = nullptr;
};

TEST_F(PaletteMessages, MainWindowRealisesAndRedraws) {
  NoMainWindowServices services;
  FakeCompanions companions;
  FakeClock clock;
  TessalyDialog* dialog = new TessalyDialog(app, services, companions, clock);
  const HWND window = dialog->GetSafeHwnd();
  ASSERT_NE(window, nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);  // a hidden window gathers no update region
  ExpectPaletteHandling(Observe(window, other));
  dialog->DestroyWindow();  // deletes itself with its window
}

// Looked at from a thread timer that the splash's modal loop serves.
Seen splashSeen;
HWND splashOther = nullptr;
bool splashFound = false;

// The thread's one visible dialog: the splash.
BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

void CALLBACK LookAtSplash(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  HWND splash = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&splash));
  splashFound = splash != nullptr;
  if (!splashFound) return;
  splashSeen = Observe(splash, splashOther);
  PostMessageA(splash, WM_LBUTTONDOWN, 0, 0);  // ends it
}

TEST_F(PaletteMessages, SplashRealisesAndRedraws) {
  splashOther = other;
  SplashDialog splash(app);
  SetTimer(nullptr, 0, 200, LookAtSplash);
  splash.DoModal();
  ASSERT_TRUE(splashFound);
  ExpectPaletteHandling(splashSeen);
}

}  // namespace
}  // namespace tessaly
