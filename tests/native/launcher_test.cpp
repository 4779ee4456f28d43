// Finding, raising and starting the main program.
#include <gtest/gtest.h>

#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "actions/launcher.h"
#include "fakes/fake_action_context.h"

namespace tessaly {
namespace {

constexpr WindowHandle kMainWindow = 0x100;
constexpr WindowHandle kVantorWindow = 0x200;

class LauncherTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bed.app.mainWindow = kMainWindow;
    bed.windows.visible.insert(kMainWindow);
    bed.installFolder = "C:\\Program Files\\Vantor";
    bed.files.AddDirectory("C:\\Program Files\\Vantor");
    bed.files.moduleFileName = "D:\\TESSALY\\TESSALY.EXE";
    bed.files.AddDirectory("D:\\TESSALY");
  }
  void RunVantor() {
    bed.windows.mutexes.insert("Vantor Is Running");
    bed.windows.windowsByTitle["Vantor"] = kVantorWindow;
  }
  // Position of a call in the window system's record, or -1.
  long WindowCall(const std::string& call) const {
    auto it = std::find(bed.windows.calls.begin(), bed.windows.calls.end(), call);
    return it == bed.windows.calls.end() ? -1 : it - bed.windows.calls.begin();
  }
  bool FileCall(const std::string& call) const {
    return std::find(bed.files.calls.begin(), bed.files.calls.end(), call) !=
           bed.files.calls.end();
  }

  FakeActionContext bed;
};

struct RunningCase {
  const char* name;
  const char* arguments;
  bool ownVisible;
  bool expect1395;
};

std::ostream& operator<<(std::ostream& out, const RunningCase& c) { return out << c.name; }

class LaunchRunningTest : public LauncherTest, public ::testing::WithParamInterface<RunningCase> {};

TEST_P(LaunchRunningTest, BringsTheRunningProgramForward) {
  const RunningCase& c = GetParam();
  RunVantor();
  if (!c.ownVisible) bed.windows.visible.erase(kMainWindow);

  ShowOrStartVantor(bed.context, c.arguments);

  std::vector<std::string> expected = {"mutex Vantor Is Running", "find Vantor", "show 512 1",
                                       "top 512", "foreground 512"};
  if (c.expect1395) expected.push_back("send 512 1395");
  if (c.ownVisible) expected.push_back("show 256 0");
  EXPECT_EQ(expected, bed.windows.calls);
  if (c.expect1395) {
    ASSERT_EQ(1u, bed.windows.sent.size());
    EXPECT_EQ(0u, bed.windows.sent[0].wParam);
    EXPECT_EQ(0, bed.windows.sent[0].lParam);
  }
  EXPECT_TRUE(bed.windows.executed.empty());
  EXPECT_FALSE(bed.windows.visible.count(kMainWindow));
}

const RunningCase kRunningCases[] = {
    {"ShowMe", "/D:610", true, true},
    {"ShowMeOwnWindowHidden", "/D:610", false, true},
    {"TrayCommand", "", true, false},
    {"NullArguments", nullptr, true, false},
};

INSTANTIATE_TEST_SUITE_P(Running, LaunchRunningTest, ::testing::ValuesIn(kRunningCases),
                         [](const ::testing::TestParamInfo<RunningCase>& info) {
                           return std::string(info.param.name);
                         });

struct StartCase {
  const char* name;
  bool inInstallFolder, inOwnFolder;
  bool mutexOnly;  // a mutex but no window: not running
  const char* arguments;
  const char* commandLine;
  const char* chdrive;
  const char* chdir;
};

std::ostream& operator<<(std::ostream& out, const StartCase& c) { return out << c.name; }

class LaunchStartTest : public LauncherTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(LaunchStartTest, StartsTheProgramQuotedFromItsFolder) {
  const StartCase& c = GetParam();
  if (c.inInstallFolder) bed.files.AddFile("C:\\Program Files\\Vantor\\Vantor.Exe");
  if (c.inOwnFolder) bed.files.AddFile("D:\\TESSALY\\Vantor.Exe");
  if (c.mutexOnly) bed.windows.mutexes.insert("Vantor Is Running");

  ShowOrStartVantor(bed.context, c.arguments);

  EXPECT_EQ((std::vector<std::string>{c.commandLine}), bed.windows.executed);
  EXPECT_LE(0, WindowCall(std::string("winexec ") + c.commandLine + " 1"));
  EXPECT_TRUE(FileCall(c.chdrive));
  EXPECT_TRUE(FileCall(c.chdir));
  EXPECT_TRUE(bed.windows.boxes.empty());
  EXPECT_FALSE(bed.windows.visible.count(kMainWindow));
  EXPECT_TRUE(bed.windows.sent.empty());
}

const StartCase kStartCases[] = {
    {"ShowMeFromInstallFolder", true, true, false, "/D:610",
     "\"C:\\Program Files\\Vantor\\Vantor.Exe\" /D:610", "chdrive 3",
     "chdir C:\\Program Files\\Vantor"},
    {"TrayFromInstallFolderKeepsTheBlank", true, false, false, "",
     "\"C:\\Program Files\\Vantor\\Vantor.Exe\" ", "chdrive 3", "chdir C:\\Program Files\\Vantor"},
    {"OnlyInOwnFolder", false, true, false, "", "\"D:\\TESSALY\\Vantor.Exe\" ", "chdrive 4",
     "chdir D:\\TESSALY\\"},
    {"MutexWithoutWindowStartsANewCopy", true, false, true, "/D:610",
     "\"C:\\Program Files\\Vantor\\Vantor.Exe\" /D:610", "chdrive 3",
     "chdir C:\\Program Files\\Vantor"},
};

INSTANTIATE_TEST_SUITE_P(Start, LaunchStartTest, ::testing::ValuesIn(kStartCases),
                         [](const ::testing::TestParamInfo<StartCase>& info) {
                           return std::string(info.param.name);
                         });

// Notes the current folder of the file system when the program is started.
class FolderAtStartWindowSystem : public FakeWindowSystem {
 public:
  explicit FolderAtStartWindowSystem(FakeFileSystem& files) : files_(files) {}
  std::string folderAtStart;
  int driveAtStart = 0;
  uint32_t WinExec(const char* commandLine, int show) override {
    folderAtStart = files_.currentDirectory;
    driveAtStart = files_.currentDrive;
    return FakeWindowSystem::WinExec(commandLine, show);
  }

 private:
  FakeFileSystem& files_;
};

TEST_F(LauncherTest, FolderIsMadeCurrentBeforeTheStart) {
  bed.files.AddFile("C:\\Program Files\\Vantor\\Vantor.Exe");
  bed.files.currentDrive = 4;
  bed.files.currentDirectory = "D:\\";
  FolderAtStartWindowSystem windows(bed.files);
  ActionContext context{bed.app,     bed.files, bed.profile, bed.clock,
                        windows,     bed.companions, bed.installFolder};
  ShowOrStartVantor(context, "");
  ASSERT_EQ(1u, windows.executed.size());
  EXPECT_EQ("C:\\Program Files\\Vantor", windows.folderAtStart);
  EXPECT_EQ(3, windows.driveAtStart);
}

TEST_F(LauncherTest, NowhereToBeFound) {
  ShowOrStartVantor(bed.context, "/D:610");
  ASSERT_EQ(1u, bed.windows.boxes.size());
  EXPECT_EQ("Error - Couldn't locate Vantor.Exe", bed.windows.boxes[0].text);
  EXPECT_EQ("Vantor Tessaly", bed.windows.boxes[0].caption);
  EXPECT_EQ(64u, bed.windows.boxes[0].style);
  EXPECT_EQ(kMainWindow, bed.windows.boxes[0].owner);
  EXPECT_TRUE(bed.windows.executed.empty());
  EXPECT_TRUE(bed.windows.visible.count(kMainWindow));
  EXPECT_EQ(-1, WindowCall("show 256 0"));
  EXPECT_TRUE(FileCall("access0 C:\\Program Files\\Vantor\\Vantor.Exe"));
  EXPECT_TRUE(FileCall("access0 D:\\TESSALY\\Vantor.Exe"));
}

TEST_F(LauncherTest, UnreadableModuleNameLeavesOnlyTheInstallFolder) {
  bed.files.moduleFileNameFails = true;
  bed.files.AddFile("D:\\TESSALY\\Vantor.Exe");
  ShowOrStartVantor(bed.context, "");
  ASSERT_EQ(1u, bed.windows.boxes.size());
  EXPECT_EQ("Error - Couldn't locate Vantor.Exe", bed.windows.boxes[0].text);
  EXPECT_TRUE(bed.windows.executed.empty());
}

class WinExecResultTest : public LauncherTest, public ::testing::WithParamInterface<uint32_t> {};

TEST_P(WinExecResultTest, ResultsBelow32AreFailures) {
  const uint32_t result = GetParam();
  const bool failed = result < 32;
  bed.files.AddFile("C:\\Program Files\\Vantor\\Vantor.Exe");
  bed.windows.winExecResult = result;
  ShowOrStartVantor(bed.context, "/D:610");
  EXPECT_EQ(1u, bed.windows.executed.size());
  ASSERT_EQ(failed ? 1u : 0u, bed.windows.boxes.size());
  if (failed) {
    EXPECT_EQ("Error - Couldn't run Vantor.Exe", bed.windows.boxes[0].text);
    EXPECT_EQ("Vantor Tessaly", bed.windows.boxes[0].caption);
    EXPECT_EQ(64u, bed.windows.boxes[0].style);
    EXPECT_EQ(kMainWindow, bed.windows.boxes[0].owner);
  }
  EXPECT_EQ(failed, bed.windows.visible.count(kMainWindow) == 1);
}

INSTANTIATE_TEST_SUITE_P(Results, WinExecResultTest, ::testing::Values(0u, 2u, 31u, 32u, 33u));

TEST_F(LauncherTest, WithoutMainWindowNothingIsHidden) {
  bed.app.mainWindow = 0;
  bed.files.AddFile("C:\\Program Files\\Vantor\\Vantor.Exe");
  ShowOrStartVantor(bed.context, "");
  EXPECT_EQ(1u, bed.windows.executed.size());
  EXPECT_EQ(-1, WindowCall("show 0 0"));
}

// An install folder too long to hold "\Vantor.Exe" is skipped, never cut.
TEST_F(LauncherTest, OverlongInstallFolderFallsBackToOwnFolder) {
  bed.installFolder = "C:\\" + std::string(256, 'v');
  bed.files.AddFile("D:\\TESSALY\\Vantor.Exe");
  ShowOrStartVantor(bed.context, "/D:610");
  EXPECT_EQ((std::vector<std::string>{"\"D:\\TESSALY\\Vantor.Exe\" /D:610"}),
            bed.windows.executed);
  for (const std::string& call : bed.files.calls) EXPECT_LE(call.size(), 8u + 259u) << call;
}

// The longest program path still gives the whole command line.
TEST_F(LauncherTest, LongestProgramPathIsNotCut) {
  const std::string folder = "C:\\" + std::string(259 - 3 - 11, 'v');
  const std::string program = folder + "\\Vantor.Exe";
  ASSERT_EQ(259u, program.size());
  bed.installFolder = folder;
  bed.files.AddFile(program);
  ShowOrStartVantor(bed.context, "/D:610");
  EXPECT_EQ((std::vector<std::string>{"\"" + program + "\" /D:610"}), bed.windows.executed);
}

// An argument text too long for the command line is not cut into another
// command: the start fails with the message.
TEST_F(LauncherTest, OverlongArgumentsAreNotCut) {
  bed.files.AddFile("C:\\Program Files\\Vantor\\Vantor.Exe");
  const std::string arguments(600, 'a');
  ShowOrStartVantor(bed.context, arguments.c_str());
  EXPECT_TRUE(bed.windows.executed.empty());
  ASSERT_EQ(1u, bed.windows.boxes.size());
  EXPECT_EQ("Error - Couldn't run Vantor.Exe", bed.windows.boxes[0].text);
}

struct FindCase {
  const char* name;
  bool mutex, window;
  WindowHandle expected;
  std::vector<std::string> calls;
};

std::ostream& operator<<(std::ostream& out, const FindCase& c) { return out << c.name; }

class FindRunningVantorTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindRunningVantorTest, NeedsTheMutexAndTheWindow) {
  const FindCase& c = GetParam();
  FakeActionContext bed;
  if (c.mutex) bed.windows.mutexes.insert("Vantor Is Running");
  if (c.window) bed.windows.windowsByTitle["Vantor"] = kVantorWindow;
  EXPECT_EQ(c.expected, FindRunningVantor(bed.context));
  EXPECT_EQ(c.calls, bed.windows.calls);
}

const FindCase kFindCases[] = {
    {"Both", true, true, kVantorWindow, {"mutex Vantor Is Running", "find Vantor"}},
    {"MutexOnly", true, false, 0, {"mutex Vantor Is Running", "find Vantor"}},
    {"WindowOnly", false, true, 0, {"mutex Vantor Is Running"}},
    {"Neither", false, false, 0, {"mutex Vantor Is Running"}},
};

INSTANTIATE_TEST_SUITE_P(Signs, FindRunningVantorTest, ::testing::ValuesIn(kFindCases),
                         [](const ::testing::TestParamInfo<FindCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace tessaly
