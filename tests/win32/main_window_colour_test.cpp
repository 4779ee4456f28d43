// The main window's control colours on the real dialog with the program's
// resources: labels, check boxes and the dialog itself draw transparently
// over the picture with the text colour of the user's colour scheme; the
// edit field and the combo box's list keep the platform's colours and brush.
#include <windows.h>

#include <gtest/gtest.h>

#include "fakes/fake_clock.h"
#include "fakes/fake_companions.h"
#include "fakes/no_main_window_services.h"
#include "res/resource.h"
#include "ui/win32/tessaly_dialog.h"

namespace tessaly {
namespace {

// A scheme whose window text is not black, and a window colour of its own.
constexpr COLORREF kSchemeText = RGB(0x80, 0x00, 0x40);
constexpr COLORREF kSchemeWindow = RGB(0xF0, 0xF0, 0xC0);

struct ColourCase {
  const char* name;
  UINT message;
  int control;        // the control whose DC is handed over (0: see label)
  const char* label;  // a static text found by its caption (none: the dialog)
  bool transparent;  // null brush and transparent text background
};

class MainWindowColour : public testing::TestWithParam<ColourCase> {
 protected:
  static void SetUpTestSuite() {
    const int elements[] = {COLOR_WINDOWTEXT, COLOR_WINDOW};
    const COLORREF colours[] = {kSchemeText, kSchemeWindow};
    SetSysColors(2, elements, colours);
    dialog = new TessalyDialog(app, services, companions, clock);
  }
  static void TearDownTestSuite() {
    if (dialog != nullptr && dialog->GetSafeHwnd() != nullptr) dialog->DestroyWindow();
    dialog = nullptr;  // deleted itself with its window
  }

  static AppState app;
  static NoMainWindowServices services;
  static FakeCompanions companions;
  static FakeClock clock;
  static TessalyDialog* dialog;
};

AppState MainWindowColour::app;
NoMainWindowServices MainWindowColour::services;
FakeCompanions MainWindowColour::companions;
FakeClock MainWindowColour::clock;
TessalyDialog* MainWindowColour::dialog = nullptr;

TEST_P(MainWindowColour, TextColourComesFromTheUsersScheme) {
  const ColourCase& c = GetParam();
  const HWND window = dialog->GetSafeHwnd();
  ASSERT_NE(window, nullptr);
  const HWND control = c.control != 0  ? dialog->GetDlgItem(c.control)
                       : c.label != nullptr ? FindWindowExA(window, nullptr, "Static", c.label)
                                            : window;
  ASSERT_NE(control, nullptr);

  HDC dc = GetDC(control);
  ASSERT_NE(dc, nullptr);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, OPAQUE);
  const LRESULT brush = SendMessageA(window, c.message, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(control));
  const COLORREF text = GetTextColor(dc);
  const int mode = GetBkMode(dc);
  ReleaseDC(control, dc);

  EXPECT_EQ(text, kSchemeText);
  if (c.transparent) {
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
    EXPECT_EQ(mode, TRANSPARENT);
  } else {
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW)));
    EXPECT_EQ(mode, OPAQUE);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Controls, MainWindowColour,
    testing::Values(
        ColourCase{"Label", WM_CTLCOLORSTATIC, 0, "I would like to:", true},
        ColourCase{"CheckBox", WM_CTLCOLORSTATIC, IDC_BACKUP, nullptr, true},
        ColourCase{"CheckBoxAsButton", WM_CTLCOLORBTN, IDC_BACKUP, nullptr, true},
        ColourCase{"Dialog", WM_CTLCOLORDLG, 0, nullptr, true},
        ColourCase{"LastRunField", WM_CTLCOLOREDIT, IDC_LAST_RUN, nullptr, false},
        ColourCase{"ComboList", WM_CTLCOLORLISTBOX, IDC_IDLE, nullptr, false}),
    [](const testing::TestParamInfo<ColourCase>& info) { return info.param.name; });

}  // namespace
}  // namespace tessaly
