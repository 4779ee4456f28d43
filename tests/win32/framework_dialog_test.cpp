// The dialog framework on real windows: the dialog procedure finds the object
// and offers it each message (initialisation, then the message map: commands,
// timers, everything else; then OK and Cancel), unhandled messages keep the
// dialog manager's behaviour, a failing handler leaves the dialog working, a
// heap object deletes itself
// after its window, DoModal returns the EndDialog code and RunModalLoop ends
// on EndModalLoop, on WM_QUIT and when the window goes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/win32/framework_dialog.h"
#include "win32/framework_test_ids.h"
#include "win32/message_pump.h"

namespace tessaly {
namespace {

using tessaly_test::PumpPending;
using tessaly_test::PumpUntil;

constexpr WORD kButtonId = IDC_TEST_BUTTON;
constexpr WORD kEditId = IDC_TEST_EDIT;
constexpr UINT kMsgRecorded = WM_APP + 1;   // handled by the map, result 1234
constexpr UINT kMsgFails = WM_APP + 2;      // its handler fails
constexpr UINT kMsgDeclined = WM_APP + 3;   // first row declines; a later row takes it
constexpr UINT kMsgEnd = WM_APP + 4;        // ends the dialog with wParam
constexpr UINT kMsgDestroy = WM_APP + 5;    // destroys the window from inside
constexpr UINT kCommandMenu = 32772;

class TestDialog : public CDialog {
 public:
  TestDialog() : CDialog(IDD_FRAMEWORK_TEST) {}

  std::vector<std::string> calls;
  bool failInInit = false;
  bool okEndsLoop = false;
  int initCount = 0;
  HWND hwndSeenAtInit = nullptr;

  using CDialog::Default;

 protected:
  BOOL OnInitDialog() override {
    ++initCount;
    hwndSeenAtInit = m_hWnd;
    // A failed initialisation leaves the focus to the dialog manager.
    return failInInit ? FALSE : TRUE;
  }
  bool DispatchMessageMap(WindowMessage& m) override;
  void OnOK() override {
    calls.push_back("OnOK");
    if (okEndsLoop) EndDialog(IDOK);
  }
  void OnCancel() override {
    calls.push_back("OnCancel");
    EndDialog(IDCANCEL);
  }

 private:
  bool OnAct() {
    calls.push_back("map Act");
    return true;
  }
  bool OnMenuShow() {
    calls.push_back("map menu");
    return true;
  }
  bool OnEditChange() {
    calls.push_back("map edit change");
    return true;
  }
  bool OnRecorded(WindowMessage& m) {
    calls.push_back("map recorded " + std::to_string(m.wParam));
    m.result = 1234;
    return true;
  }
  // The program is built without exceptions: a handler that cannot do its
  // work reports the message as not handled.
  bool OnFails(WindowMessage&) { return false; }
  bool OnDeclines(WindowMessage&) {
    calls.push_back("map declined");
    return false;
  }
  bool OnEnd(WindowMessage& m) {
    EndDialog(static_cast<int>(m.wParam));
    return true;
  }
  bool OnDestroyRequest(WindowMessage&) {
    DestroyWindow();
    return true;
  }
  bool OnCtlColorDialog(WindowMessage& m) {
    m.result = reinterpret_cast<intptr_t>(GetStockObject(BLACK_BRUSH));
    return true;
  }
  // The last rows: every command the rows above left (noted, then left to
  // the framework's OK and Cancel), timers, and the fall-backs of
  // kMsgDeclined and WM_SETTEXT.
  bool OnOtherCommand(uint32_t id, uint32_t code) {
    calls.push_back("OnCommand " + std::to_string(id) + " " + std::to_string(code));
    return false;
  }
  bool OnTimer(uintptr_t id) {
    calls.push_back("OnTimer " + std::to_string(id));
    if (id == 7) KillTimer(m_hWnd, 7);
    return true;
  }
  bool OnDeclinedLater(WindowMessage& m) {
    calls.push_back("OnMessage declined");
    m.result = 55;
    return true;
  }
  bool OnSetText(WindowMessage&) {
    calls.push_back("OnMessage settext");
    return false;
  }

  static const MessageMapEntry<TestDialog> kMessageMap[];
};

const MessageMapEntry<TestDialog> TestDialog::kMessageMap[] = {
    CommandEntry(kButtonId, BN_CLICKED, &TestDialog::OnAct),
    CommandEntry(kCommandMenu, 0, &TestDialog::OnMenuShow),
    CommandEntry(kEditId, EN_CHANGE, &TestDialog::OnEditChange),
    MessageEntry(kMsgRecorded, &TestDialog::OnRecorded),
    MessageEntry(kMsgFails, &TestDialog::OnFails),
    MessageEntry(kMsgDeclined, &TestDialog::OnDeclines),
    MessageEntry(kMsgEnd, &TestDialog::OnEnd),
    MessageEntry(kMsgDestroy, &TestDialog::OnDestroyRequest),
    MessageEntry(WM_CTLCOLORDLG, &TestDialog::OnCtlColorDialog),
    AnyCommandEntry(&TestDialog::OnOtherCommand),
    TimerEntry(&TestDialog::OnTimer),
    MessageEntry(kMsgDeclined, &TestDialog::OnDeclinedLater),
    MessageEntry(WM_SETTEXT, &TestDialog::OnSetText),
};

bool TestDialog::DispatchMessageMap(WindowMessage& m) {
  return DispatchEntries(*this, kMessageMap, m);
}

// A dialog on the heap that deletes itself once its window is gone.
class SelfDeletingDialog : public TestDialog {
 public:
  explicit SelfDeletingDialog(bool* deleted) : deleted_(deleted) {}
  ~SelfDeletingDialog() override { *deleted_ = true; }

 protected:
  void PostNcDestroy() override { delete this; }

 private:
  bool* deleted_;
};

class FrameworkDialog : public testing::Test {
 protected:
  void TearDown() override { PumpPending(); }
};

TEST_F(FrameworkDialog, CreateRunsOnInitDialogOnceWithTheWindowBound) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Create());
  ASSERT_NE(dialog.GetSafeHwnd(), nullptr);
  EXPECT_TRUE(IsWindow(dialog.GetSafeHwnd()));
  EXPECT_EQ(dialog.initCount, 1);
  EXPECT_EQ(dialog.hwndSeenAtInit, dialog.GetSafeHwnd());
  EXPECT_NE(dialog.GetDlgItem(kButtonId), nullptr);
  EXPECT_FALSE(IsWindowVisible(dialog.GetSafeHwnd()));  // the template is not visible
  EXPECT_FALSE(dialog.Create());                        // one window per object
}

TEST_F(FrameworkDialog, MissingTemplateResourceFailsToCreate) {
  class Missing : public CDialog {
   public:
    Missing() : CDialog(9999u) {}
  } dialog;
  EXPECT_FALSE(dialog.Create());
  EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
  EXPECT_EQ(dialog.DoModal(), -1);
}

struct CommandCase {
  const char* name;
  WPARAM wParam;
  bool fromControl;
  std::vector<std::string> calls;
};

class FrameworkDialogCommand : public FrameworkDialog,
                               public testing::WithParamInterface<CommandCase> {};

TEST_P(FrameworkDialogCommand, ReachesItsRowThenOkAndCancel) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Create());
  const CommandCase& c = GetParam();
  const LPARAM control =
      c.fromControl ? reinterpret_cast<LPARAM>(dialog.GetDlgItem(LOWORD(c.wParam))) : 0;
  SendMessageA(dialog.GetSafeHwnd(), WM_COMMAND, c.wParam, control);
  EXPECT_EQ(dialog.calls, c.calls);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, FrameworkDialogCommand,
    testing::Values(
        CommandCase{"MappedButton", MAKEWPARAM(kButtonId, BN_CLICKED), true, {"map Act"}},
        CommandCase{"MappedMenuItem", MAKEWPARAM(kCommandMenu, 0), false, {"map menu"}},
        CommandCase{"MappedNotification", MAKEWPARAM(kEditId, EN_CHANGE), true,
                    {"map edit change"}},
        CommandCase{"OtherNotificationFallsToTheLastRow", MAKEWPARAM(kEditId, EN_SETFOCUS), true,
                    {"OnCommand 1002 256"}},
        CommandCase{"OkGoesToOnOK", MAKEWPARAM(IDOK, BN_CLICKED), true,
                    {"OnCommand 1 0", "OnOK"}},
        CommandCase{"CancelGoesToOnCancel", MAKEWPARAM(IDCANCEL, 0), false,
                    {"OnCommand 2 0", "OnCancel"}},
        CommandCase{"UnmappedCommand", MAKEWPARAM(4321, 0), false, {"OnCommand 4321 0"}}),
    [](const testing::TestParamInfo<CommandCase>& info) { return info.param.name; });

TEST_F(FrameworkDialog, RealButtonClickArrivesThroughTheMap) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Create());
  SendMessageA(dialog.GetDlgItem(kButtonId), BM_CLICK, 0, 0);
  PumpPending();
  EXPECT_EQ(dialog.calls, std::vector<std::string>{"map Act"});
}

TEST_F(FrameworkDialog, RealEditNotificationArrivesThroughTheMap) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Create());
  SetWindowTextA(dialog.GetDlgItem(kEditId), "typed");
  // EN_UPDATE has no row of its own and reaches the last one; EN_CHANGE has one.
  EXPECT_EQ(dialog.calls, (std::vector<std::string>{"OnCommand 1002 1024", "map edit change"}));
}

TEST_F(FrameworkDialog, HandledMessageGivesTheHandlersResult) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Create());
  EXPECT_EQ(SendMessageA(dialog.GetSafeHwnd(), kMsgRecorded, 9, 0), 1234);
  EXPECT_EQ(dialog.calls, std::vector<std::string>{"map recorded 9"});
}

TEST_F(FrameworkDialog, ControlColourResultIsReturnedDirectly) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Create());
  HDC dc = GetDC(dialog.GetSafeHwnd());
  const LRESULT brush = SendMessageA(dialog.GetSafeHwnd(), WM_CTLCOLORDLG,
                                     reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(dialog.GetSafeHwnd()));
  ReleaseDC(dialog.GetSafeHwnd(), dc);
  EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH)));
}

TEST_F(FrameworkDialog, DecliningMapHandlerFallsThroughToALaterRow) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Create());
  EXPECT_EQ(SendMessageA(dialog.GetSafeHwnd(), kMsgDeclined, 0, 0), 55);
  EXPECT_EQ(dialog.calls, (std::vector<std::string>{"map declined", "OnMessage declined"}));
}

TEST_F(FrameworkDialog, UnhandledMessageKeepsTheDefaultProcessing) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Create());
  ASSERT_TRUE(SetWindowTextA(dialog.GetSafeHwnd(), "New title"));
  char title[64] = "";
  GetWindowTextA(dialog.GetSafeHwnd(), title, sizeof title);
  EXPECT_STREQ(title, "New title");
  EXPECT_EQ(dialog.calls, std::vector<std::string>{"OnMessage settext"});
  // An unknown message gets the default result.
  EXPECT_EQ(SendMessageA(dialog.GetSafeHwnd(), WM_APP + 40, 1, 2), 0);
}

TEST_F(FrameworkDialog, DefaultRunsTheDialogManagersProcessingFromAHandler) {
  class Adding : public TestDialog {
   public:
    std::string seenAfterDefault;

   protected:
    bool DispatchMessageMap(WindowMessage& m) override {
      static const MessageMapEntry<Adding> kMap[] = {MessageEntry(WM_SETTEXT, &Adding::OnSetText)};
      return DispatchEntries(*this, kMap, m);
    }

   private:
    bool OnSetText(WindowMessage& m) {
      m.result = Default();  // sets the text ...
      char text[64] = "";
      GetWindowTextA(m_hWnd, text, sizeof text);
      seenAfterDefault = text;  // ... which the handler then sees
      return true;
    }
  } dialog;
  ASSERT_TRUE(dialog.Create());
  EXPECT_TRUE(SetWindowTextA(dialog.GetSafeHwnd(), "Through default"));
  EXPECT_EQ(dialog.seenAfterDefault, "Through default");
  char title[64] = "";
  GetWindowTextA(dialog.GetSafeHwnd(), title, sizeof title);
  EXPECT_STREQ(title, "Through default");
}

TEST_F(FrameworkDialog, TimerMessagesReachTheTimerRowWithTheirId) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Create());
  ASSERT_NE(SetTimer(dialog.GetSafeHwnd(), 7, 10, nullptr), 0u);
  ASSERT_TRUE(PumpUntil([&] { return !dialog.calls.empty(); }));
  EXPECT_EQ(dialog.calls, std::vector<std::string>{"OnTimer 7"});
  SendMessageA(dialog.GetSafeHwnd(), WM_TIMER, 3, 0);
  EXPECT_EQ(dialog.calls.back(), "OnTimer 3");
}

TEST_F(FrameworkDialog, FailingHandlerLeavesTheDialogGoingOn) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Create());
  EXPECT_EQ(SendMessageA(dialog.GetSafeHwnd(), kMsgFails, 0, 0), 0);
  // Still bound and working.
  EXPECT_EQ(SendMessageA(dialog.GetSafeHwnd(), kMsgRecorded, 1, 0), 1234);
}

TEST_F(FrameworkDialog, FailingOnInitDialogStillCreatesTheWindow) {
  TestDialog dialog;
  dialog.failInInit = true;
  ASSERT_TRUE(dialog.Create());
  EXPECT_TRUE(IsWindow(dialog.GetSafeHwnd()));
  EXPECT_EQ(SendMessageA(dialog.GetSafeHwnd(), kMsgRecorded, 2, 0), 1234);
}

TEST_F(FrameworkDialog, HeapDialogDeletesItselfAfterDestroyWindow) {
  bool deleted = false;
  auto* dialog = new SelfDeletingDialog(&deleted);
  ASSERT_TRUE(dialog->Create());
  HWND window = dialog->GetSafeHwnd();
  EXPECT_TRUE(dialog->DestroyWindow());
  EXPECT_TRUE(deleted);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(FrameworkDialog, HeapDialogDeletesItselfWhenItsHandlerDestroysTheWindow) {
  bool deleted = false;
  auto* dialog = new SelfDeletingDialog(&deleted);
  ASSERT_TRUE(dialog->Create());
  HWND window = dialog->GetSafeHwnd();
  SendMessageA(window, kMsgDestroy, 0, 0);
  EXPECT_TRUE(deleted);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(FrameworkDialog, DestroyedObjectTakesNoMoreMessages) {
  HWND window;
  {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Create());
    window = dialog.GetSafeHwnd();
  }
  EXPECT_FALSE(IsWindow(window));
}

// DoModal with a dialog that ends itself from a posted message.
class ModalDialog : public TestDialog {
 public:
  explicit ModalDialog(WPARAM endCode) : endCode_(endCode) {}
  HWND ownerSeen = nullptr;

 protected:
  BOOL OnInitDialog() override {
    ownerSeen = GetWindow(m_hWnd, GW_OWNER);
    PostMessageA(m_hWnd, kMsgEnd, endCode_, 0);
    return TestDialog::OnInitDialog();
  }

 private:
  WPARAM endCode_;
};

TEST_F(FrameworkDialog, DoModalReturnsTheEndDialogCode) {
  for (WPARAM code : {0u, 42u, 7000u}) {
    ModalDialog dialog(code);
    EXPECT_EQ(dialog.DoModal(), static_cast<INT_PTR>(code));
    EXPECT_EQ(dialog.initCount, 1);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);  // the window is gone afterwards
  }
}

TEST_F(FrameworkDialog, DoModalEndsWithCancelOnEscape) {
  class EscapeDialog : public TestDialog {
   protected:
    BOOL OnInitDialog() override {
      PostMessageA(GetDlgItem(kButtonId), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
      return TRUE;
    }
  } dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.calls.back(), "OnCancel");
}

TEST_F(FrameworkDialog, DoModalIsOwnedByTheGivenWindow) {
  TestDialog owner;
  ASSERT_TRUE(owner.Create());
  ModalDialog dialog(3);
  EXPECT_EQ(dialog.DoModal(owner.GetSafeHwnd()), 3);
  EXPECT_EQ(dialog.ownerSeen, owner.GetSafeHwnd());
}

TEST_F(FrameworkDialog, RunModalLoopReturnsOnWmQuitWithItsCode) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Create());
  PostQuitMessage(5);
  EXPECT_EQ(dialog.RunModalLoop(kMlfNoIdleMsg), -1);
  EXPECT_EQ(LastQuitCode(), 5);
  EXPECT_TRUE(IsWindow(dialog.GetSafeHwnd()));  // the loop leaves the window alone
  // The quit message was taken: the queue holds no second one.
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

TEST_F(FrameworkDialog, RunModalLoopHandlesMessagesUntilQuit) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Create());
  PostMessageA(dialog.GetSafeHwnd(), kMsgRecorded, 1, 0);
  PostMessageA(dialog.GetSafeHwnd(), kMsgRecorded, 2, 0);
  PostQuitMessage(0);
  EXPECT_EQ(dialog.RunModalLoop(kMlfNoIdleMsg), -1);
  EXPECT_EQ(dialog.calls, (std::vector<std::string>{"map recorded 1", "map recorded 2"}));
  EXPECT_EQ(LastQuitCode(), 0);
}

TEST_F(FrameworkDialog, RunModalLoopReturnsTheEndModalLoopCode) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Create());
  PostMessageA(dialog.GetSafeHwnd(), kMsgEnd, 17, 0);
  EXPECT_EQ(dialog.RunModalLoop(), 17);
}

TEST_F(FrameworkDialog, RunModalLoopGivesTheDialogItsKeyboard) {
  TestDialog dialog;
  dialog.okEndsLoop = true;
  ASSERT_TRUE(dialog.Create());
  ShowWindow(dialog.GetSafeHwnd(), SW_SHOWNORMAL);
  SetFocus(dialog.GetDlgItem(kButtonId));
  // Enter in the dialog is the default button's command.
  PostMessageA(dialog.GetDlgItem(kButtonId), WM_KEYDOWN, VK_RETURN, 0x001C0001);
  EXPECT_EQ(dialog.RunModalLoop(), IDOK);
  EXPECT_EQ(dialog.calls.back(), "OnOK");
}

TEST_F(FrameworkDialog, RunModalLoopEndsWhenTheWindowAndObjectGo) {
  bool deleted = false;
  auto* dialog = new SelfDeletingDialog(&deleted);
  ASSERT_TRUE(dialog->Create());
  PostMessageA(dialog->GetSafeHwnd(), kMsgDestroy, 0, 0);
  EXPECT_EQ(dialog->RunModalLoop(), -1);
  EXPECT_TRUE(deleted);
}

TEST_F(FrameworkDialog, CenterWindowCentresOnTheWorkArea) {
  TestDialog dialog;
  ASSERT_TRUE(dialog.Create());
  SetWindowPos(dialog.GetSafeHwnd(), nullptr, 0, 0, 200, 100, SWP_NOZORDER | SWP_NOACTIVATE);
  dialog.CenterWindow();
  RECT area, window;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  GetWindowRect(dialog.GetSafeHwnd(), &window);
  EXPECT_EQ(window.right - window.left, 200);
  EXPECT_LE(abs((window.left + window.right) - (area.left + area.right)), 1);
  EXPECT_LE(abs((window.top + window.bottom) - (area.top + area.bottom)), 1);
}

}  // namespace
}  // namespace tessaly
