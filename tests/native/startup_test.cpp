#include "app/startup.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/text.h"
#include "app/settings_store.h"
#include "fakes/fake_companions.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_install_folder.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_window_system.h"

namespace tessaly {
namespace {

// Records every step in order, through the shell and through recording
// versions of the services that start-up calls.
struct RecordingHost : StartupShell {
  std::vector<std::string> steps;
  uint32_t ntVersion = 0;
  bool firstInstance = true;
  std::string commandLine;

  // The first-instance check and the refusal box.
  struct Windows : FakeWindowSystem {
    RecordingHost& host;
    explicit Windows(RecordingHost& h) : host(h) {}
    bool CreateProcessMutex(const char* name) override {
      host.steps.push_back("first instance?");
      FakeWindowSystem::CreateProcessMutex(name);
      return host.firstInstance;
    }
    WindowHandle FindTopLevelWindow(const char* title) override {
      host.steps.push_back("find running window");
      FakeWindowSystem::FindTopLevelWindow(title);
      return 77;
    }
    // Steps on the program's own main window; the running instance's window
    // (the second-start case) is not one.
    void ShowWindow(WindowHandle window, int command) override {
      FakeWindowSystem::ShowWindow(window, command);
      if (window == host.state.mainWindow) host.steps.push_back("show " + std::to_string(command));
    }
    void KillTimer(WindowHandle window, uintptr_t id) override {
      FakeWindowSystem::KillTimer(window, id);
      if (window == host.state.mainWindow) host.steps.push_back("kill timer " + std::to_string(id));
    }
    int MessageBox(WindowHandle, const char* text, const char* caption,
                   uint32_t style) override {
      host.steps.push_back(std::string("refuse ") + text + "|" + caption + "|" +
                           std::to_string(style));
      return 1;
    }
  } windows{*this};
  // The regional formats: the first read of the "intl" section.
  struct Profile : FakeProfile {
    RecordingHost& host;
    bool read = false;
    explicit Profile(RecordingHost& h) : host(h) {}
    size_t GetString(const char* file, const char* section, const char* key, const char* def,
                     char* out, size_t size) override {
      if (!read && strcmp(section, "intl") == 0) host.steps.push_back("locale");
      read = true;
      return FakeProfile::GetString(file, section, key, def, out, size);
    }
  } profile{*this};
  // The settings: the first key opened, with the names that the settings key
  // is made of at that moment.
  struct Registry : FakeRegistry {
    RecordingHost& host;
    bool opened = false;
    explicit Registry(RecordingHost& h) : host(h) {}
    int32_t OpenKey(RegistryKey parent, const char* subKey, uint32_t access,
                    RegistryKey* result) override {
      if (!opened)
        host.steps.push_back(std::string("settings ") + companyName + "|" + productName);
      opened = true;
      return FakeRegistry::OpenKey(parent, subKey, access, result);
    }
  } registry{*this};
  struct Companions : FakeCompanions {
    RecordingHost& host;
    explicit Companions(RecordingHost& h) : host(h) {}
    int32_t InitializeTools(const char* c, const char* p, const char* f) override {
      host.steps.push_back(std::string("tools ") + c + "|" + p + "|" + f);
      return 1;
    }
    int32_t InitializeTests(const char* c, const char* p, const char* f) override {
      host.steps.push_back(std::string("tests ") + c + "|" + p + "|" + f);
      return 1;
    }
  } companions{*this};
  struct Hooks : ActivityHooks {
    RecordingHost& host;
    explicit Hooks(RecordingHost& h) : host(h) {}
    void Install(int32_t install) override {
      host.steps.push_back("hook install " + std::to_string(install));
    }
    void ResetTimer() override { host.steps.push_back("hook reset"); }
    int32_t IdleSeconds() override { return 0; }
  } hooks{*this};
  FakeFileSystem files;
  FakeInstallFolder installFolder{"C:\\VANTOR"};
  AppState state;
  StartupServices services{state, *this, windows, profile, registry, files, installFolder,
                           companions, hooks};

  RecordingHost() { SetApplicationNames("", ""); }

  void ConstructSplash() override { steps.push_back("construct splash"); }
  void DestroySplash() override { steps.push_back("destroy splash"); }
  uint32_t GetNTVersion() override { return ntVersion; }
  char* CommandLine() override { return &commandLine[0]; }
  void ProbeDisplay() override { steps.push_back("probe"); }
  void BuildPalette() override { steps.push_back("palette"); }
  void CreateMainWindow() override {
    steps.push_back("main window");
    state.mainWindow = 42;
  }
  void SetMainWindowTimer(uintptr_t id, uint32_t period) override {
    steps.push_back("timer " + std::to_string(id) + " " + std::to_string(period));
  }
  void RunSplash() override { steps.push_back("splash"); }
  void RunModalLoop() override { steps.push_back("modal loop"); }
};

const std::vector<std::string> kFullRun = {
    "construct splash", "first instance?", "locale",
    "tools Brenmoor Software Corp|Vantor|C:\\VANTOR", "tests Brenmoor Software Corp|Vantor|C:\\VANTOR",
    "settings Brenmoor Software Corp|Tessaly", "probe", "palette", "main window", "hook install 1", "hook reset",
    "timer 1 60000", "show 7", "timer 3 100", "splash", "modal loop", "destroy splash"};

TEST(Startup, RunsEveryStepInOrderAndReportsFailure) {
  RecordingHost host;
  EXPECT_FALSE(RunInitInstance(host.services));
  EXPECT_EQ(host.steps, kFullRun);
}

struct SwitchCase {
  const char* commandLine;
  bool splash;
  const char* lowered;
};
class SplashSwitch : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(SplashSwitch, MatchedInAnyCaseAnywhere) {
  RecordingHost host;
  host.commandLine = GetParam().commandLine;
  RunInitInstance(host.services);
  const bool splashed =
      std::find(host.steps.begin(), host.steps.end(), "splash") != host.steps.end();
  EXPECT_EQ(splashed, GetParam().splash);
  EXPECT_EQ(host.commandLine, GetParam().lowered);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, SplashSwitch,
    ::testing::Values(SwitchCase{"", true, ""}, SwitchCase{"-nosplash", false, "-nosplash"},
                      SwitchCase{"-NoSplash", false, "-nosplash"},
                      SwitchCase{"/x -NOSPLASHING", false, "/x -nosplashing"},
                      SwitchCase{"-display", true, "-display"},
                      SwitchCase{"nosplash", true, "nosplash"}));

TEST(Startup, NtShowsOnlyTheRefusal) {
  RecordingHost host;
  host.ntVersion = 4;
  EXPECT_FALSE(RunInitInstance(host.services));
  const std::vector<std::string> expected = {
      "construct splash",
      "refuse This application only runs under Windows 95.|Vantor Tessaly|16", "destroy splash"};
  EXPECT_EQ(host.steps, expected);
}

TEST(Startup, SecondInstanceStopsWithoutTouchingAnything) {
  RecordingHost host;
  host.firstInstance = false;
  host.commandLine = "-DISPLAY";
  RunInitInstance(host.services);
  const std::vector<std::string> expected = {"construct splash", "first instance?",
                                             "find running window", "destroy splash"};
  EXPECT_EQ(host.steps, expected);
  EXPECT_EQ(host.commandLine, "-DISPLAY") << "not even the command line is touched";
}

TEST(Shutdown, RemovesHooksThenKillsIdleTimer) {
  RecordingHost host;
  host.state.mainWindow = 42;  // destroyed by now, its handle still known
  RunExitInstance(host.services);
  EXPECT_EQ(host.steps, (std::vector<std::string>{"hook install 0", "kill timer 1"}));
}

struct VersionCase {
  OsVersionInfo info;
  uint32_t expected;
};
class NtVersion : public ::testing::TestWithParam<VersionCase> {};

TEST_P(NtVersion, OnlyNtGivesNonZero) {
  EXPECT_EQ(NtVersionFrom(GetParam().info), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Platforms, NtVersion,
    ::testing::Values(VersionCase{{true, 1, 4, 0}, 0u},            // Windows 95
                      VersionCase{{true, 1, 4, 10}, 0u},           // Windows 98
                      VersionCase{{true, 0, 3, 10}, 0u},           // Win32s
                      VersionCase{{true, 2, 4, 0}, 4u},            // NT 4.0
                      VersionCase{{true, 2, 5, 1}, 0x00010005u},   // XP
                      VersionCase{{true, 2, 0x12345, 0x10002}, 0x00022345u},  // masked to 16 bits
                      VersionCase{{false, 2, 5, 1}, 0u}));          // call failed

// The mutex decides, in one step, before any window is looked for: a copy
// still starting has no main window yet, and the title alone proves nothing.
struct FirstInstanceCase {
  const char* name;
  bool mutexHeld;       // another process created the instance mutex
  WindowHandle window;  // the running main window found by its title, or 0
  bool first;
  std::vector<std::string> calls;
};

class FirstInstance : public ::testing::TestWithParam<FirstInstanceCase> {};

TEST_P(FirstInstance, MutexFirstThenTheRunningWindowIfAny) {
  const FirstInstanceCase& c = GetParam();
  FakeWindowSystem windows;
  if (c.mutexHeld) windows.mutexes.insert(kInstanceMutex);
  if (c.window != 0) windows.windowsByTitle["Vantor Tessaly"] = c.window;
  EXPECT_EQ(IsFirstInstance(windows), c.first);
  EXPECT_EQ(windows.calls, c.calls);
  EXPECT_EQ(windows.mutexes.count(kInstanceMutex), 1u) << "held from now on";
  EXPECT_TRUE(windows.boxes.empty()) << "a second copy ends without a message";
}

const char kCreate[] = "create mutex Vantor Tessaly Is Running";

INSTANTIATE_TEST_SUITE_P(
    Cases, FirstInstance,
    ::testing::Values(
        FirstInstanceCase{"NothingRunning", false, 0, true, {kCreate}},
        FirstInstanceCase{"TitleWithoutMutexIsNoCopyOfOurs", false, 77, true, {kCreate}},
        FirstInstanceCase{"RunningWindowIsShownRaisedAndFocused", true, 77, false,
                          {kCreate, "find Vantor Tessaly", "show 77 1", "top 77",
                           "foreground 77"}},
        FirstInstanceCase{"CopyStillStartingHasNoWindowYet", true, 0, false,
                          {kCreate, "find Vantor Tessaly"}}),
    [](const ::testing::TestParamInfo<FirstInstanceCase>& info) { return info.param.name; });

}  // namespace
}  // namespace tessaly
