// Pellix's platform-free logic: the install/remove state machine and the hook
// procedures against a recording fake of the platform's hook calls, also as
// two processes that map the library see them, and the idle arithmetic
// against a clock set by the test.
#include "pellix_core.h"

#include <gtest/gtest.h>
#include <stdint.h>

#include <limits>
#include <string>
#include <vector>

#include "fakes/fake_hook_api.h"

namespace {

// Names each parameterised case after its table row.
struct NameOf {
  template <typename Row>
  std::string operator()(const testing::TestParamInfo<Row>& info) const {
    return info.param.name;
  }
};

using tessaly::FakeHookApi;

// ---------------------------------------------------------------------------
// Install state machine

int mouseProcedure;     // stand-ins for the two hook procedures' addresses
int keyboardProcedure;
int moduleInstance;     // stand-in for the library's instance handle

void* const kMouseProc = &mouseProcedure;
void* const kKeyboardProc = &keyboardProcedure;
void* const kModule = &moduleInstance;

constexpr int32_t kStart = 900000000;  // an ordinary stamp in 1998

// What an Install call must return.
enum class Returns { kRequest, kKeyboardHandle, kZero, kUnhookResult };

struct Step {
  int32_t install;
  Returns returns;
  std::vector<std::string> calls;  // platform calls this step makes, in order
};

struct Scenario {
  const char* name;
  std::vector<int32_t> unhookResults;
  std::vector<Step> steps;
  bool installedAtEnd;
};

// Names a recorded call by what it did: which hook it set (checking that the
// procedure, the module and thread-wide type belong together) or which
// earlier handle it released.
std::string Describe(const FakeHookApi::Call& call, const std::vector<FakeHookApi::Call>& all) {
  if (call.name == "SetHook") {
    if (call.module != kModule) return "set hook with a wrong module";
    if (call.type == pellix::kMouseHookType && call.procedure == kMouseProc) return "set mouse";
    if (call.type == pellix::kKeyboardHookType && call.procedure == kKeyboardProc)
      return "set keyboard";
    return "set type " + std::to_string(call.type) + " with a mismatched procedure";
  }
  if (call.hook == nullptr) return "unhook null";
  for (const FakeHookApi::Call& earlier : all) {
    if (&earlier == &call) break;
    if (earlier.name == "SetHook" && earlier.hook == call.hook)
      return earlier.type == pellix::kMouseHookType ? "unhook mouse" : "unhook keyboard";
  }
  return "unhook unknown handle";
}

class PellixInstall : public testing::TestWithParam<Scenario> {};

TEST_P(PellixInstall, MakesExactlyTheExpectedCallsAndReturns) {
  const Scenario& scenario = GetParam();
  FakeHookApi api;
  api.unhookResults = scenario.unhookResults;
  std::vector<int32_t> unhookResults = scenario.unhookResults;
  pellix::SharedState shared = {};
  pellix::ProcessState state = {};
  state.moduleInstance = kModule;

  for (size_t i = 0; i < scenario.steps.size(); ++i) {
    const Step& step = scenario.steps[i];
    SCOPED_TRACE("step " + std::to_string(i) + ": install " + std::to_string(step.install));
    const size_t before = api.calls.size();
    const int32_t result =
        pellix::Install(shared, state, step.install, api, kMouseProc, kKeyboardProc);

    std::vector<std::string> made;
    for (size_t c = before; c < api.calls.size(); ++c)
      made.push_back(Describe(api.calls[c], api.calls));
    EXPECT_EQ(made, step.calls);

    switch (step.returns) {
      case Returns::kRequest:
        EXPECT_EQ(result, step.install);
        break;
      case Returns::kZero:
        EXPECT_EQ(result, 0);
        break;
      case Returns::kKeyboardHandle:
        ASSERT_EQ(api.calls.size(), before + 2);
        EXPECT_EQ(result, static_cast<int32_t>(reinterpret_cast<intptr_t>(api.calls.back().hook)));
        EXPECT_EQ(shared.keyboardHook, api.calls.back().hook);
        EXPECT_EQ(shared.mouseHook, api.calls[before].hook);
        EXPECT_EQ(state.hookState, step.install);
        break;
      case Returns::kUnhookResult: {
        // The result of the second (keyboard) unhook.
        int32_t expected = 1;
        if (unhookResults.size() >= 2) expected = unhookResults[1];
        if (unhookResults.size() >= 2)
          unhookResults.erase(unhookResults.begin(), unhookResults.begin() + 2);
        else
          unhookResults.clear();
        EXPECT_EQ(result, expected);
        break;
      }
    }
  }
  EXPECT_EQ(state.hookState != 0, scenario.installedAtEnd);
  EXPECT_EQ(shared.mouseHook != nullptr, scenario.installedAtEnd);
  EXPECT_EQ(shared.keyboardHook != nullptr, scenario.installedAtEnd);
  EXPECT_EQ(shared.lastInputTime, 0) << "installing and removing never stamp";
  EXPECT_EQ(state.moduleInstance, kModule);
}

const std::vector<std::string> kInstalls = {"set mouse", "set keyboard"};
const std::vector<std::string> kRemoves = {"unhook mouse", "unhook keyboard"};
const std::vector<std::string> kNothing = {};

const Scenario kScenarios[] = {
    {"RemoveWhileRemovedReturnsZeroAndCallsNothing", {}, {{0, Returns::kZero, kNothing}}, false},
    {"InstallSetsMouseThenKeyboardAndReturnsKeyboardHandle",
     {},
     {{1, Returns::kKeyboardHandle, kInstalls}},
     true},
    {"SecondInstallReturnsOneAndCallsNothing",
     {},
     {{1, Returns::kKeyboardHandle, kInstalls}, {1, Returns::kRequest, kNothing}},
     true},
    {"RemoveUnhooksMouseThenKeyboard",
     {},
     {{1, Returns::kKeyboardHandle, kInstalls}, {0, Returns::kUnhookResult, kRemoves}},
     false},
    {"RemoveReturnsTheKeyboardUnhookResultNotTheMouseOne",
     {1, 0},
     {{1, Returns::kKeyboardHandle, kInstalls}, {0, Returns::kUnhookResult, kRemoves}},
     false},
    {"RemoveReturnsTheKeyboardUnhookResultWhenMouseFails",
     {0, 1},
     {{1, Returns::kKeyboardHandle, kInstalls}, {0, Returns::kUnhookResult, kRemoves}},
     false},
    {"InstallAfterRemoveInstallsAgain",
     {},
     {{1, Returns::kKeyboardHandle, kInstalls},
      {0, Returns::kUnhookResult, kRemoves},
      {1, Returns::kKeyboardHandle, kInstalls}},
     true},
    {"SecondRemoveReturnsZeroAndCallsNothing",
     {},
     {{1, Returns::kKeyboardHandle, kInstalls},
      {0, Returns::kUnhookResult, kRemoves},
      {0, Returns::kZero, kNothing}},
     false},
    {"AnyNonZeroFlagInstallsAndIsKeptAsTheState",
     {},
     {{5, Returns::kKeyboardHandle, kInstalls}, {5, Returns::kRequest, kNothing}},
     true},
    {"NegativeFlagInstalls", {}, {{-1, Returns::kKeyboardHandle, kInstalls}}, true},
    // A different non-zero flag while installed must not install a second
    // pair and lose the first: the later remove must release the first pair.
    {"OtherNonZeroFlagWhileInstalledCallsNothing",
     {},
     {{1, Returns::kKeyboardHandle, kInstalls},
      {2, Returns::kRequest, kNothing},
      {0, Returns::kUnhookResult, kRemoves}},
     false},
    {"ManyCyclesAlternate",
     {},
     {{1, Returns::kKeyboardHandle, kInstalls},
      {0, Returns::kUnhookResult, kRemoves},
      {1, Returns::kKeyboardHandle, kInstalls},
      {1, Returns::kRequest, kNothing},
      {0, Returns::kUnhookResult, kRemoves},
      {0, Returns::kZero, kNothing}},
     false},
};

INSTANTIATE_TEST_SUITE_P(Scenarios, PellixInstall, testing::ValuesIn(kScenarios),
                         NameOf());

// Removing releases exactly the handles that the matching install obtained,
// not those of an earlier cycle.
TEST(PellixInstallHandles, RemoveReleasesTheHandlesOfTheCurrentPair) {
  FakeHookApi api;
  pellix::SharedState shared = {};
  pellix::ProcessState state = {};
  state.moduleInstance = kModule;
  pellix::Install(shared, state, 1, api, kMouseProc, kKeyboardProc);
  pellix::Install(shared, state, 0, api, kMouseProc, kKeyboardProc);
  pellix::Install(shared, state, 1, api, kMouseProc, kKeyboardProc);
  void* const mouse = shared.mouseHook;
  void* const keyboard = shared.keyboardHook;
  pellix::Install(shared, state, 0, api, kMouseProc, kKeyboardProc);
  ASSERT_EQ(api.calls.size(), 8u);
  EXPECT_EQ(api.calls[6].hook, mouse);
  EXPECT_EQ(api.calls[7].hook, keyboard);
  EXPECT_NE(api.calls[6].hook, api.calls[2].hook);
}

// ---------------------------------------------------------------------------
// Two processes: the platform runs the hook procedures in whichever process
// takes the input, and Windows 95 finds the next hook in the chain by the
// handle that the procedure passes on. Every process maps the same shared
// words and has its own per-process words; only the tray program (A)
// installs, the input arrives in another program (B).

struct HookCallCase {
  pellix::HookKind kind;
  int code;  // negative codes and no-remove peeks stamp and chain too
};

const HookCallCase kHookCalls[] = {
    {pellix::HookKind::kMouse, 0},    {pellix::HookKind::kMouse, -1},
    {pellix::HookKind::kKeyboard, 0}, {pellix::HookKind::kKeyboard, 3},
};

// Runs every hook call of the table in process B at time `now` and returns
// the handle each one chained with; each also stamps and passes the next
// hook's result back.
std::vector<void*> ChainedHandlesInProcessB(pellix::SharedState& shared, FakeHookApi& api,
                                            int32_t now) {
  std::vector<void*> handles;
  for (const HookCallCase& c : kHookCalls) {
    shared.lastInputTime = 0;
    const size_t before = api.calls.size();
    const intptr_t result = pellix::HookCall(shared, c.kind, now, api, c.code, 0x200, 0x5);
    EXPECT_EQ(result, FakeHookApi::NextResult(c.code, 0x200, 0x5));
    EXPECT_EQ(shared.lastInputTime, now);
    EXPECT_EQ(api.calls.size(), before + 1);
    const FakeHookApi::Call& call = api.calls.back();
    EXPECT_EQ(call.name, "CallNext");
    EXPECT_EQ(call.type, c.code);
    handles.push_back(call.hook);
  }
  return handles;
}

TEST(PellixTwoProcesses, HookCallsElsewhereChainWithTheInstallersHandlesUntilRemoved) {
  FakeHookApi api;
  pellix::SharedState shared = {};
  pellix::ProcessState trayProgram = {};
  pellix::ProcessState otherProgram = {};
  trayProgram.moduleInstance = kModule;
  otherProgram.moduleInstance = kModule;

  pellix::Install(shared, trayProgram, 1, api, kMouseProc, kKeyboardProc);
  ASSERT_EQ(api.calls.size(), 2u);
  void* const mouse = api.calls[0].hook;
  void* const keyboard = api.calls[1].hook;
  EXPECT_EQ(ChainedHandlesInProcessB(shared, api, kStart),
            (std::vector<void*>{mouse, mouse, keyboard, keyboard}));
  EXPECT_EQ(otherProgram.hookState, 0) << "only the installing process changes state";

  pellix::Install(shared, trayProgram, 0, api, kMouseProc, kKeyboardProc);
  EXPECT_EQ(ChainedHandlesInProcessB(shared, api, kStart + 1),
            (std::vector<void*>{nullptr, nullptr, nullptr, nullptr}));
}

// A second tray program (process 3) installing while the hooks of a first
// one (process 1) are in the shared words. While the first runs, the second
// installs nothing, so the handles that hook calls elsewhere chain with stay
// the first's; once the first has ended without removing them (a crash), the
// system removed them with the process and the second installs its own.
struct SecondInstallerCase {
  const char* name;
  bool firstEnded;
};

class PellixSecondInstaller : public testing::TestWithParam<SecondInstallerCase> {
 protected:
  PellixSecondInstaller() {
    first.moduleInstance = kModule;
    second.moduleInstance = kModule;
    api.process = 1;
    pellix::Install(shared, first, 1, api, kMouseProc, kKeyboardProc);
  }

  // The four chained handles, as a hook call elsewhere sees them, when the
  // pair set by calls[at] and calls[at + 1] is installed.
  std::vector<void*> HandlesOfPairAt(size_t at) const {
    return {api.calls[at].hook, api.calls[at].hook, api.calls[at + 1].hook,
            api.calls[at + 1].hook};
  }

  FakeHookApi api;
  pellix::SharedState shared = {};
  pellix::ProcessState first = {};
  pellix::ProcessState second = {};
};

TEST_P(PellixSecondInstaller, InstallsOnlyOnceTheFirstHasEnded) {
  ASSERT_EQ(api.calls.size(), 2u);
  if (GetParam().firstEnded) api.ended.insert(1);
  api.process = 3;
  const int32_t result = pellix::Install(shared, second, 1, api, kMouseProc, kKeyboardProc);
  if (GetParam().firstEnded) {
    ASSERT_EQ(api.calls.size(), 4u);
    EXPECT_EQ(second.hookState, 1);
    EXPECT_EQ(ChainedHandlesInProcessB(shared, api, kStart), HandlesOfPairAt(2));
  } else {
    EXPECT_EQ(result, 0);
    EXPECT_EQ(api.calls.size(), 2u) << "the second install set no hook";
    EXPECT_EQ(second.hookState, 0);
    EXPECT_EQ(ChainedHandlesInProcessB(shared, api, kStart), HandlesOfPairAt(0));
  }
}

INSTANTIATE_TEST_SUITE_P(Table, PellixSecondInstaller,
                         testing::Values(SecondInstallerCase{"FirstRuns", false},
                                         SecondInstallerCase{"FirstEnded", true}),
                         [](const testing::TestParamInfo<SecondInstallerCase>& info) {
                           return info.param.name;
                         });

// The second program's removal, while the first runs, takes none of the
// first's hooks away; once the first has removed its own, the second's next
// install installs.
TEST_F(PellixSecondInstaller, RemovalLeavesTheFirstsHooksUntilItRemovesThem) {
  const std::vector<void*> firstHandles = HandlesOfPairAt(0);
  api.process = 3;
  pellix::Install(shared, second, 1, api, kMouseProc, kKeyboardProc);
  const size_t before = api.calls.size();
  EXPECT_EQ(pellix::Install(shared, second, 0, api, kMouseProc, kKeyboardProc), 0);
  EXPECT_EQ(api.calls.size(), before) << "the second removal unhooked nothing";
  EXPECT_EQ(ChainedHandlesInProcessB(shared, api, kStart + 1), firstHandles);

  api.process = 1;
  pellix::Install(shared, first, 0, api, kMouseProc, kKeyboardProc);
  api.process = 3;
  const size_t removed = api.calls.size();
  pellix::Install(shared, second, 1, api, kMouseProc, kKeyboardProc);
  ASSERT_EQ(api.calls.size(), removed + 2);
  EXPECT_EQ(Describe(api.calls[removed], api.calls), "set mouse");
  EXPECT_EQ(second.hookState, 1);
}

// ---------------------------------------------------------------------------
// Idle arithmetic

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

struct IdleCase {
  const char* name;
  int32_t stamp;  // value of the shared word (0: never stamped)
  int32_t now;
  int32_t idle;
};

class PellixIdle : public testing::TestWithParam<IdleCase> {};

TEST_P(PellixIdle, IsNowMinusStamp) {
  const IdleCase& c = GetParam();
  volatile int32_t word = c.stamp;
  EXPECT_EQ(pellix::IdleSeconds(word, [&] { return c.now; }), c.idle);
  EXPECT_EQ(word, c.stamp) << "reading must not write the word";
}

const IdleCase kIdleCases[] = {
    {"NeverStampedIsZeroNotLarge", 0, kStart, 0},
    {"NeverStampedIsZeroAtMaxClock", 0, kMax, 0},
    {"RightAfterStampIsZero", kStart, kStart, 0},
    {"OneSecondLater", kStart, kStart + 1, 1},
    {"OneMinuteLater", kStart, kStart + 60, 60},
    {"TwelveHoursLater", kStart, kStart + 12 * 3600, 12 * 3600},
    {"ClockSetBackAnHour", kStart, kStart - 3600, -3600},
    {"ClockSetBackASecond", kStart, kStart - 1, -1},
    {"ClockWrapsPastTheLargestSecond", kMax - 1, kMin + 1, 3},
    {"StampAtTheLargestSecond", kMax, kMax, 0},
    {"StampAtTheSmallestSecond", kMin, kMin + 7, 7},
    {"StampBefore1970", -5, 10, 15},
};

INSTANTIATE_TEST_SUITE_P(Cases, PellixIdle, testing::ValuesIn(kIdleCases),
                         NameOf());

TEST(PellixIdleClock, NotReadWhenNeverStamped) {
  volatile int32_t word = 0;
  int reads = 0;
  EXPECT_EQ(pellix::IdleSeconds(word, [&] { ++reads; return kStart; }), 0);
  EXPECT_EQ(reads, 0);
}

TEST(PellixIdleClock, CountsUpOnePerSecondAfterResetAndFallsBackOnStamp) {
  volatile int32_t word = 0;
  int32_t clock = kStart;
  auto now = [&] { return clock; };
  EXPECT_EQ(pellix::Stamp(word, now()), kStart);  // the reset
  for (int32_t second = 0; second <= 10; ++second) {
    EXPECT_EQ(pellix::IdleSeconds(word, now), second);
    ++clock;
  }
  pellix::Stamp(word, now());  // input
  EXPECT_EQ(pellix::IdleSeconds(word, now), 0);
  clock += 2;
  EXPECT_EQ(pellix::IdleSeconds(word, now), 2);
}

TEST(PellixIdleClock, StaysNegativeAfterClockSetBackUntilNextStamp) {
  volatile int32_t word = 0;
  int32_t clock = kStart;
  auto now = [&] { return clock; };
  pellix::Stamp(word, now());
  clock -= 3600;
  EXPECT_EQ(pellix::IdleSeconds(word, now), -3600);
  clock += 5;
  EXPECT_EQ(pellix::IdleSeconds(word, now), -3595);
  pellix::Stamp(word, now());
  EXPECT_EQ(pellix::IdleSeconds(word, now), 0);
}

// A hook on another thread may stamp between the zero test and the
// subtraction; the newer stamp wins and the result only gets smaller.
TEST(PellixIdleClock, StampLandingBetweenTheTwoReadsMakesTheResultSmaller) {
  volatile int32_t word = kStart;
  const int32_t current = kStart + 100;
  auto stampWhileReadingTheClock = [&] {
    word = current - 4;
    return current;
  };
  EXPECT_EQ(pellix::IdleSeconds(word, stampWhileReadingTheClock), 4);
}

struct StampCase {
  const char* name;
  int32_t before;
  int32_t now;
};

class PellixStamp : public testing::TestWithParam<StampCase> {};

TEST_P(PellixStamp, OverwritesTheWordAndReturnsTheNewValue) {
  const StampCase& c = GetParam();
  volatile int32_t word = c.before;
  EXPECT_EQ(pellix::Stamp(word, c.now), c.now);
  EXPECT_EQ(word, c.now);
}

const StampCase kStampCases[] = {
    {"FirstStamp", 0, kStart},
    {"LaterStamp", kStart, kStart + 30},
    {"EarlierClockStillOverwrites", kStart, kStart - 3600},
    {"SameSecond", kStart, kStart},
    {"LargestSecond", kStart, kMax},
};

INSTANTIATE_TEST_SUITE_P(Cases, PellixStamp, testing::ValuesIn(kStampCases),
                         NameOf());

}  // namespace
