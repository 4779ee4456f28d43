// The application object's run: InitInstance, then (when it fails) the main
// window destroyed, then ExitInstance giving the exit code; the command line
// in a buffer of its own; and the main window as the owner of modal dialogs.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/win32/framework_app.h"
#include "win32/framework_test_ids.h"
#include "win32/message_pump.h"

namespace tessaly {
namespace {

using tessaly_test::PumpPending;

std::vector<std::string>* g_log = nullptr;
void Log(const std::string& line) {
  if (g_log != nullptr) g_log->push_back(line);
}

// A main window on the heap that deletes itself after its window.
class MainWindow : public CDialog {
 public:
  MainWindow() : CDialog(IDD_FRAMEWORK_TEST) {}
  ~MainWindow() override { Log("main window deleted"); }
  BOOL DestroyWindow() override {
    Log("DestroyWindow");
    return CDialog::DestroyWindow();
  }

 protected:
  void PostNcDestroy() override { delete this; }
};

// A modal dialog that notes its owner and ends at once.
class OwnedDialog : public CDialog {
 public:
  OwnedDialog() : CDialog(IDD_FRAMEWORK_TEST) {}
  HWND owner = nullptr;

 protected:
  BOOL OnInitDialog() override {
    owner = GetWindow(m_hWnd, GW_OWNER);
    PostMessageA(m_hWnd, WM_COMMAND, IDOK, 0);
    return TRUE;
  }
};

class TestApp : public CWinApp {
 public:
  enum class Mode { kFailAfterLoop, kFailAtStart };
  Mode mode = Mode::kFailAfterLoop;
  std::string commandLineSeen;
  HWND mainSeen = nullptr;
  HWND modalOwnerSeen = nullptr;
  int exitCode = 3;

  BOOL InitInstance() override {
    Log("InitInstance");
    commandLineSeen = m_lpCmdLine;
    CharLowerA(m_lpCmdLine);  // start-up lowers the line in place
    if (mode == Mode::kFailAtStart) return FALSE;
    auto* window = new MainWindow;
    if (!window->Create()) {
      // The log then says why the cases that need the window fail; Wine's
      // own reason (such as no display driver) is on the error output.
      Log("Create failed, error " + std::to_string(GetLastError()));
      delete window;
      return FALSE;
    }
    m_pMainWnd = window;
    mainSeen = window->GetSafeHwnd();
    OwnedDialog modal;
    modal.DoModal();
    modalOwnerSeen = modal.owner;
    PostQuitMessage(9);
    window->RunModalLoop(kMlfNoIdleMsg);
    Log("loop ended");
    return FALSE;
  }
  int ExitInstance() override {
    Log(std::string("ExitInstance main=") + (m_pMainWnd ? "set" : "none"));
    return exitCode;
  }
};

class FrameworkApp : public testing::Test {
 protected:
  void SetUp() override { g_log = &log; }
  void TearDown() override {
    g_log = nullptr;
    PumpPending();
  }
  std::vector<std::string> log;
};

TEST_F(FrameworkApp, FailedStartDestroysTheMainWindowBeforeExitInstance) {
  TestApp app;
  EXPECT_EQ(CWinApp::Current(), &app);
  EXPECT_EQ(RunApplication(nullptr, "-NoSplash -Display"), 3);
  EXPECT_EQ(log, (std::vector<std::string>{"InitInstance", "loop ended", "DestroyWindow",
                                           "main window deleted", "ExitInstance main=none"}));
  EXPECT_FALSE(IsWindow(app.mainSeen));
  EXPECT_EQ(app.m_pMainWnd, nullptr);
  EXPECT_EQ(LastQuitCode(), 9);
}

TEST_F(FrameworkApp, CommandLineIsAWritableCopy) {
  TestApp app;
  const char original[] = "-NoSplash -Display";
  app.Run(nullptr, original);
  EXPECT_EQ(app.commandLineSeen, "-NoSplash -Display");
  EXPECT_STREQ(app.m_lpCmdLine, "-nosplash -display");
  EXPECT_STREQ(original, "-NoSplash -Display");
}

TEST_F(FrameworkApp, MissingCommandLineIsEmpty) {
  TestApp app;
  EXPECT_STREQ(app.m_lpCmdLine, "");
  app.Run(nullptr, nullptr);
  EXPECT_EQ(app.commandLineSeen, "");
}

TEST_F(FrameworkApp, ModalDialogWithoutOwnerIsOwnedByTheMainWindow) {
  TestApp app;
  app.Run(nullptr, "");
  ASSERT_NE(app.mainSeen, nullptr);
  EXPECT_EQ(app.modalOwnerSeen, app.mainSeen);
}

TEST_F(FrameworkApp, FailingInitInstanceStillExits) {
  TestApp app;
  app.mode = TestApp::Mode::kFailAtStart;
  app.exitCode = 4;
  EXPECT_EQ(app.Run(nullptr, ""), 4);
  EXPECT_EQ(log, (std::vector<std::string>{"InitInstance", "ExitInstance main=none"}));
}

TEST(FrameworkAppNone, RunApplicationWithoutAnApplicationObjectFails) {
  ASSERT_EQ(CWinApp::Current(), nullptr);
  EXPECT_EQ(RunApplication(nullptr, ""), -1);
}

}  // namespace
}  // namespace tessaly
