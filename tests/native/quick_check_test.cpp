// The quick check: its result becomes the status light (1397 to the main
// window) and goes to the running main program (1394).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "actions/launcher.h"
#include "actions/quick_check.h"
#include "fakes/fake_action_context.h"

namespace tessaly {
namespace {

constexpr WindowHandle kMainWindow = 0x100;
constexpr WindowHandle kVantorWindow = 0x200;

struct QuickCheckCase {
  const char* name;
  uint32_t third, fourth;
  bool mutex, window;  // the main program's two signs of life
  WindowHandle mainWindow;
  int32_t expectedStatus;
  bool expectVantorMessage;
};

std::ostream& operator<<(std::ostream& out, const QuickCheckCase& c) { return out << c.name; }

class QuickCheckTest : public ::testing::TestWithParam<QuickCheckCase> {
 protected:
  void SetUp() override {
    CopyText(bed.app.settings.reportPath, "C:\\VANTOR\\Tests\\QUICKCHK.RPT");
  }
  void SetVantor(bool mutex, bool window) {
    if (mutex) bed.windows.mutexes.insert("Vantor Is Running");
    if (window) bed.windows.windowsByTitle["Vantor"] = kVantorWindow;
  }
  FakeActionContext bed;
};

TEST_P(QuickCheckTest, PublishesTheVerdict) {
  const QuickCheckCase& c = GetParam();
  bed.app.mainWindow = c.mainWindow;
  bed.app.settings.quickCheckStatus = c.expectedStatus ? 0 : 1;  // the opposite, before
  SetVantor(c.mutex, c.window);
  bed.companions.quickCheckAnswer = {{11, 22, c.third, c.fourth}};

  PerformQuickCheck(bed.context);

  EXPECT_EQ(c.mainWindow, bed.companions.quickCheckWindow);
  EXPECT_EQ("C:\\VANTOR\\Tests\\QUICKCHK.RPT", bed.companions.quickCheckReport);
  EXPECT_EQ(c.expectedStatus, bed.app.settings.quickCheckStatus);

  std::vector<FakeWindowSystem::Sent> expected;
  if (c.mainWindow)
    expected.push_back({c.mainWindow, 1397, static_cast<uintptr_t>(c.expectedStatus), 0});
  if (c.expectVantorMessage)
    expected.push_back({kVantorWindow, 1394, c.third,
                        static_cast<intptr_t>(static_cast<int32_t>(c.fourth))});
  ASSERT_EQ(expected.size(), bed.windows.sent.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(expected[i].window, bed.windows.sent[i].window) << i;
    EXPECT_EQ(expected[i].message, bed.windows.sent[i].message) << i;
    EXPECT_EQ(expected[i].wParam, bed.windows.sent[i].wParam) << i;
    EXPECT_EQ(expected[i].lParam, bed.windows.sent[i].lParam) << i;
  }
  EXPECT_EQ(0, bed.app.quickCheckBusy);
}

const QuickCheckCase kQuickCheckCases[] = {
    {"FailureWithVantorRunning", 5, 2, true, true, kMainWindow, 1, true},
    {"AllZeroVantorNotRunning", 0, 0, false, false, kMainWindow, 0, false},
    {"PassWithDetailToVantor", 0, 7, true, true, kMainWindow, 0, true},
    {"MutexWithoutWindowIsNotRunning", 5, 2, true, false, kMainWindow, 1, false},
    {"WindowWithoutMutexIsNotRunning", 5, 2, false, true, kMainWindow, 1, false},
    {"NoMainWindowStillTellsVantor", 1, 1, true, true, 0, 1, true},
    {"NoMainWindowNoVantor", 0, 0, false, false, 0, 0, false},
    {"AllBitsSet", 0xffffffffu, 0xffffffffu, true, true, kMainWindow, 1, true},
};

INSTANTIATE_TEST_SUITE_P(Verdicts, QuickCheckTest, ::testing::ValuesIn(kQuickCheckCases),
                         [](const ::testing::TestParamInfo<QuickCheckCase>& info) {
                           return std::string(info.param.name);
                         });

// Records the result words as they arrive: they must be cleared first.
class RecordingCompanions : public FakeCompanions {
 public:
  QuickCheckResult arrived = {{1, 1, 1, 1}};
  int32_t DoQuickCheck(WindowHandle window, QuickCheckResult* result,
                       const char* reportPath) override {
    arrived = *result;
    return FakeCompanions::DoQuickCheck(window, result, reportPath);
  }
};

TEST(QuickCheckResultTest, ResultIsClearedBeforeTheCall) {
  FakeActionContext bed;
  RecordingCompanions companions;
  ActionContext context{bed.app, bed.files, bed.profile, bed.clock, bed.windows, companions,
                        bed.installFolder};
  PerformQuickCheck(context);
  for (uint32_t word : companions.arrived.words) EXPECT_EQ(0u, word);
}

class QuickCheckGuardTest : public ::testing::Test {
 protected:
  FakeActionContext bed;
};

TEST_F(QuickCheckGuardTest, RunningCheckMakesASecondOneReturnAtOnce) {
  bed.app.quickCheckBusy = 1;
  bed.app.mainWindow = kMainWindow;
  bed.app.settings.quickCheckStatus = 1;
  PerformQuickCheck(bed.context);
  EXPECT_TRUE(bed.companions.calls.empty());
  EXPECT_TRUE(bed.windows.calls.empty());
  EXPECT_EQ(1, bed.app.settings.quickCheckStatus);
  EXPECT_EQ(1, bed.app.quickCheckBusy);
}

TEST_F(QuickCheckGuardTest, ReentryDuringTheCheckIsRefused) {
  bed.app.mainWindow = kMainWindow;
  bed.companions.onQuickCheck = [&] { PerformQuickCheck(bed.context); };
  PerformQuickCheck(bed.context);
  EXPECT_EQ(1, std::count(bed.companions.calls.begin(), bed.companions.calls.end(), "quickcheck"));
  EXPECT_EQ(1u, bed.windows.sent.size());
  EXPECT_EQ(0, bed.app.quickCheckBusy);
}

TEST_F(QuickCheckGuardTest, ReentryWhileTheLightIsUpdatedIsRefused) {
  bed.app.mainWindow = kMainWindow;
  bed.windows.mutexes.insert("Vantor Is Running");
  bed.windows.windowsByTitle["Vantor"] = kVantorWindow;
  bed.windows.onSend = [&](const FakeWindowSystem::Sent&) { PerformQuickCheck(bed.context); };
  PerformQuickCheck(bed.context);
  EXPECT_EQ(1u, bed.companions.calls.size());
  EXPECT_EQ(2u, bed.windows.sent.size());
  EXPECT_EQ(0, bed.app.quickCheckBusy);
  // Afterwards a new check runs.
  bed.windows.onSend = nullptr;
  PerformQuickCheck(bed.context);
  EXPECT_EQ(2u, bed.companions.calls.size());
}

TEST_F(QuickCheckGuardTest, NotifySendsTheStoredStatus) {
  bed.app.mainWindow = kMainWindow;
  bed.app.settings.quickCheckStatus = 1;
  NotifyQuickCheckStatus(bed.context);
  ASSERT_EQ(1u, bed.windows.sent.size());
  EXPECT_EQ(kMainWindow, bed.windows.sent[0].window);
  EXPECT_EQ(1397u, bed.windows.sent[0].message);
  EXPECT_EQ(1u, bed.windows.sent[0].wParam);
  EXPECT_EQ(0, bed.windows.sent[0].lParam);

  bed.app.mainWindow = 0;
  NotifyQuickCheckStatus(bed.context);
  EXPECT_EQ(1u, bed.windows.sent.size());
}

}  // namespace
}  // namespace tessaly
