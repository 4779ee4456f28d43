// The timer procedure's logic: start-up ticks and idle polls.
#include "app/idle_scheduler.h"

#include <limits.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/messages.h"
#include "base/timers.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_idle_clock.h"
#include "fakes/fake_maintenance_actions.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_window_system.h"
#include "presentation/locale_formats.h"

namespace tessaly {
namespace {

constexpr WindowHandle kMainWindow = 42;

// Records log writes in the shared journal as well.
class JournalProfile : public FakeProfile {
 public:
  std::vector<std::string>* journal = nullptr;
  bool WriteString(const char* file, const char* section, const char* key,
                   const char* value) override {
    if (journal) journal->push_back(std::string("log ") + section);
    return FakeProfile::WriteString(file, section, key, value);
  }
};

class IdleSchedulerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Regional settings left empty: month/day/year, 24-hour clock.
    FakeProfile empty;
    LoadLocaleFormats(empty);

    clock.utcOffsetSeconds = 3600;
    clock.now = clock.At(1998, 3, 5, 9, 7);
    app.mainWindow = kMainWindow;
    app.settings.idle = 0;
    app.settings.backup = 1;
    app.settings.quickCheck = 1;
    idleClock.idleSeconds = 100000;

    idleClock.journal = &journal;
    actions.journal = &journal;
    profile.journal = &journal;
    // The main window's handling of 1396: stamp the time of the run.
    windows.onSend = [this](const FakeWindowSystem::Sent& s) {
      journal.push_back("send " + std::to_string(s.message));
      if (s.window == kMainWindow && s.message == kMsgStampLastRun)
        app.settings.lastTime = clock.Now();
    };
  }

  int Runs() const {
    int runs = 0;
    for (const auto& s : windows.sent) runs += s.message == kMsgStampLastRun;
    return runs;
  }

  // Nothing ran: no action, no log line, no stamp, no reset.
  void ExpectNoRun() const {
    EXPECT_EQ(Runs(), 0);
    EXPECT_TRUE(actions.backupConfirms.empty());
    EXPECT_EQ(actions.quickChecks, 0);
    EXPECT_TRUE(profile.writes.empty());
    EXPECT_EQ(idleClock.resets, 0);
    EXPECT_EQ(app.idleBusy, 0);
  }

  AppState app;
  FakeIdleClock idleClock;
  FakeClock clock;
  JournalProfile profile;
  FakeWindowSystem windows;
  FakeMaintenanceActions actions;
  std::vector<std::string> journal;
  IdleScheduler scheduler{app, idleClock, clock, profile, windows, actions};
};

TEST(IdleThresholdSeconds, Table) {
  const int32_t expected[] = {1800, 3600, 7200, 14400, 28800, 43200};
  for (int32_t idle = 0; idle < 6; ++idle) {
    int32_t seconds = -1;
    EXPECT_TRUE(IdleThresholdSeconds(idle, &seconds)) << idle;
    EXPECT_EQ(seconds, expected[idle]) << idle;
  }
  for (int32_t idle : {-1, 6, 7, INT32_MIN, INT32_MAX}) {
    int32_t seconds = -1;
    EXPECT_FALSE(IdleThresholdSeconds(idle, &seconds)) << idle;
    EXPECT_EQ(seconds, -1) << idle;
  }
}

// Threshold boundaries: exactly the threshold does not run, one more does.
struct ThresholdCase {
  int32_t idle;
  int32_t idleSeconds;
  bool runs;
};

class Threshold : public IdleSchedulerTest, public ::testing::WithParamInterface<ThresholdCase> {};

TEST_P(Threshold, RunsOnlyAboveTheThreshold) {
  const ThresholdCase& c = GetParam();
  app.settings.idle = c.idle;
  idleClock.idleSeconds = c.idleSeconds;
  scheduler.OnTimer(kIdleTimerId);
  EXPECT_EQ(idleClock.idleQueries, 1);
  if (c.runs) {
    EXPECT_EQ(Runs(), 1);
    EXPECT_EQ(idleClock.resets, 1);
    EXPECT_EQ(actions.backupConfirms, std::vector<bool>{false});
    EXPECT_EQ(actions.quickChecks, 1);
  } else {
    ExpectNoRun();
  }
  EXPECT_EQ(app.idleBusy, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, Threshold,
    ::testing::Values(ThresholdCase{0, 1800, false}, ThresholdCase{0, 1801, true},
                      ThresholdCase{1, 3600, false}, ThresholdCase{1, 3601, true},
                      ThresholdCase{2, 7200, false}, ThresholdCase{2, 7201, true},
                      ThresholdCase{3, 14400, false}, ThresholdCase{3, 14401, true},
                      ThresholdCase{4, 28800, false}, ThresholdCase{4, 28801, true},
                      ThresholdCase{5, 43200, false}, ThresholdCase{5, 43201, true},
                      ThresholdCase{5, INT32_MAX, true}, ThresholdCase{0, 0, false},
                      // Negative idle counts (the clock set back) never run.
                      ThresholdCase{0, -1, false}, ThresholdCase{0, -100000, false},
                      ThresholdCase{5, INT32_MIN, false},
                      // An idle setting outside 0..5 has no threshold.
                      ThresholdCase{-1, 100000, false}, ThresholdCase{6, 100000, false},
                      ThresholdCase{7, INT32_MAX, false},
                      ThresholdCase{INT32_MIN, 100000, false}));

TEST_F(IdleSchedulerTest, AnyTimerOtherThanTheStartupTimerPolls) {
  for (uintptr_t id : {uintptr_t{1}, uintptr_t{0}, uintptr_t{2}, uintptr_t{4}, uintptr_t{99}}) {
    idleClock.idleSeconds = 100000;
    scheduler.OnTimer(id);
  }
  EXPECT_EQ(idleClock.idleQueries, 5);
  EXPECT_EQ(Runs(), 5);
  EXPECT_TRUE(windows.calls.size() == 5u);  // only the five 1396 messages
}

TEST_F(IdleSchedulerTest, DisabledDoesNotEvenAskForTheIdleCount) {
  app.settings.disabled = 1;
  const Time32 lastTime = app.settings.lastTime = clock.At(1998, 3, 1, 8, 0);
  scheduler.OnTimer(kIdleTimerId);
  EXPECT_EQ(idleClock.idleQueries, 0);
  ExpectNoRun();
  EXPECT_EQ(app.settings.lastTime, lastTime);
}

TEST_F(IdleSchedulerTest, BusyPollReturnsAtOnce) {
  app.idleBusy = 1;
  scheduler.OnTimer(kIdleTimerId);
  EXPECT_EQ(idleClock.idleQueries, 0);
  EXPECT_EQ(Runs(), 0);
  EXPECT_EQ(app.idleBusy, 1);  // belongs to the poll further up the stack
}

TEST_F(IdleSchedulerTest, RunOrderAndLogLines) {
  scheduler.OnTimer(kIdleTimerId);
  EXPECT_EQ(journal, (std::vector<std::string>{"idleseconds", "backup", "log SaveFiles",
                                               "quickcheck", "log QuickCheck", "send 1396",
                                               "resettimer"}));
  EXPECT_EQ(profile.writes,
            (std::vector<std::string>{
                "Tessaly.ini|SaveFiles|03/05/1998 09:07=System files backed up on 03/05/1998 09:07",
                "Tessaly.ini|QuickCheck|03/05/1998 09:07=Quick Check done on 03/05/1998 09:07"}));
  ASSERT_EQ(windows.sent.size(), 1u);
  EXPECT_EQ(windows.sent[0].window, kMainWindow);
  EXPECT_EQ(windows.sent[0].wParam, 0u);
  EXPECT_EQ(windows.sent[0].lParam, 0);
  EXPECT_EQ(app.settings.lastTime, clock.now);
  EXPECT_EQ(app.idleBusy, 0);
}

TEST_F(IdleSchedulerTest, LogCarriesTheTimeTakenBeforeTheActions) {
  // The backup and the quick check take minutes; the key stays the start.
  actions.onBackup = [this] { clock.now += 10 * 60; };
  actions.onQuickCheck = [this] { clock.now += 2 * 60; };
  const Time32 start = clock.now;
  scheduler.OnTimer(kIdleTimerId);
  EXPECT_EQ(profile.writes,
            (std::vector<std::string>{
                "Tessaly.ini|SaveFiles|03/05/1998 09:07=System files backed up on 03/05/1998 09:07",
                "Tessaly.ini|QuickCheck|03/05/1998 09:07=Quick Check done on 03/05/1998 09:07"}));
  EXPECT_EQ(app.settings.lastTime, start + 12 * 60);  // stamped after the actions
}

TEST_F(IdleSchedulerTest, NegativeNowLogsTheStartOf1970) {
  clock.utcOffsetSeconds = 0;
  clock.now = -5;
  app.settings.quickCheck = 0;
  scheduler.OnTimer(kIdleTimerId);
  EXPECT_EQ(profile.writes, (std::vector<std::string>{
                                "Tessaly.ini|SaveFiles|01/01/1970 00:00=System files backed up on "
                                "01/01/1970 00:00"}));
}

// Which actions run and which lines are written, by the two switches and the
// backup's result. A refused or failed backup writes no "SaveFiles" line,
// but the run is still stamped and the idle count still restarts.
struct ActionsCase {
  const char* name;
  int32_t backup;
  int32_t quickCheck;
  bool backupResult;
  std::vector<std::string> journal;
};

class Actions : public IdleSchedulerTest, public ::testing::WithParamInterface<ActionsCase> {};

TEST_P(Actions, RunAndLog) {
  const ActionsCase& c = GetParam();
  app.settings.backup = c.backup;
  app.settings.quickCheck = c.quickCheck;
  actions.backupResult = c.backupResult;
  scheduler.OnTimer(kIdleTimerId);
  EXPECT_EQ(journal, c.journal);
  EXPECT_EQ(app.settings.lastTime, clock.now);
  EXPECT_EQ(idleClock.resets, 1);
  EXPECT_EQ(app.idleBusy, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Switches, Actions,
    ::testing::Values(
        ActionsCase{"Both", 1, 1, true,
                    {"idleseconds", "backup", "log SaveFiles", "quickcheck", "log QuickCheck",
                     "send 1396", "resettimer"}},
        ActionsCase{"BothBackupFailed", 1, 1, false,
                    {"idleseconds", "backup", "quickcheck", "log QuickCheck", "send 1396",
                     "resettimer"}},
        ActionsCase{"BackupOnly", 1, 0, true,
                    {"idleseconds", "backup", "log SaveFiles", "send 1396", "resettimer"}},
        ActionsCase{"BackupOnlyFailed", 1, 0, false,
                    {"idleseconds", "backup", "send 1396", "resettimer"}},
        ActionsCase{"QuickCheckOnly", 0, 1, true,
                    {"idleseconds", "quickcheck", "log QuickCheck", "send 1396", "resettimer"}},
        ActionsCase{"Neither", 0, 0, true, {"idleseconds", "send 1396", "resettimer"}},
        ActionsCase{"NonZeroFlags", 7, -1, true,
                    {"idleseconds", "backup", "log SaveFiles", "quickcheck", "log QuickCheck",
                     "send 1396", "resettimer"}}),
    [](const ::testing::TestParamInfo<ActionsCase>& info) { return std::string(info.param.name); });

// The once-per-day rule compares local calendar days, year included.
struct OnceCase {
  const char* name;
  int utcOffset;
  int32_t maxOnce;
  int last[5];  // year, month, day, hour, minute; year 0: lastTime 0 (never)
  int now[5];
  bool runs;
};

class OncePerDay : public IdleSchedulerTest, public ::testing::WithParamInterface<OnceCase> {};

TEST_P(OncePerDay, Rule) {
  const OnceCase& c = GetParam();
  clock.utcOffsetSeconds = c.utcOffset;
  app.settings.maxOnce = c.maxOnce;
  app.settings.lastTime =
      c.last[0] == 0 ? 0 : clock.At(c.last[0], c.last[1], c.last[2], c.last[3], c.last[4]);
  const Time32 before = app.settings.lastTime;
  clock.now = clock.At(c.now[0], c.now[1], c.now[2], c.now[3], c.now[4]);
  scheduler.OnTimer(kIdleTimerId);
  if (c.runs) {
    EXPECT_EQ(Runs(), 1);
    EXPECT_EQ(app.settings.lastTime, clock.now);
  } else {
    ExpectNoRun();
    EXPECT_EQ(app.settings.lastTime, before);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Days, OncePerDay,
    ::testing::Values(
        OnceCase{"NeverRun", 3600, 1, {0}, {1998, 3, 5, 9, 7}, true},
        OnceCase{"EarlierSameDay", 3600, 1, {1998, 3, 5, 0, 1}, {1998, 3, 5, 23, 59}, false},
        OnceCase{"AfterLocalMidnight", 3600, 1, {1998, 3, 5, 23, 59}, {1998, 3, 6, 0, 0}, true},
        // Local days differ while the UTC day is the same, and the reverse.
        OnceCase{"LocalDayNotUtcDayEast", 5 * 3600, 1, {1998, 3, 5, 20, 0}, {1998, 3, 6, 0, 30},
                 true},
        OnceCase{"LocalDayNotUtcDayWest", -5 * 3600, 1, {1998, 3, 5, 18, 0}, {1998, 3, 5, 23, 0},
                 false},
        // The same date a year later is another day.
        OnceCase{"SameDateYearEarlier", 3600, 1, {1997, 3, 5, 9, 0}, {1998, 3, 5, 9, 7}, true},
        OnceCase{"SameDayOfYearAcrossLeapYear", 3600, 1, {1996, 2, 29, 12, 0}, {1997, 3, 1, 12, 0},
                 true},
        OnceCase{"SameDayOfYearNextCentury", 0, 1, {1999, 12, 31, 12, 0}, {2000, 12, 30, 12, 0},
                 true},
        OnceCase{"OffRunsSameDay", 3600, 0, {1998, 3, 5, 9, 0}, {1998, 3, 5, 9, 7}, true},
        OnceCase{"OffNeverRun", 3600, 0, {0}, {1998, 3, 5, 9, 7}, true}),
    [](const ::testing::TestParamInfo<OnceCase>& info) { return std::string(info.param.name); });

TEST_F(IdleSchedulerTest, OncePerDayOverSuccessivePolls) {
  app.settings.maxOnce = 1;
  idleClock.idleSeconds = 0;
  const int32_t poll = 60;
  int runs = 0;
  // Input left alone from 09:00 for a day and a half, polled every minute.
  for (Time32 t = clock.At(1998, 3, 5, 9, 0); t < clock.At(1998, 3, 6, 21, 0); t += poll) {
    clock.now = t;
    idleClock.idleSeconds += poll;
    scheduler.OnTimer(kIdleTimerId);
    if (Runs() != runs) {
      runs = Runs();
      EXPECT_EQ(app.settings.lastTime, t);
    }
  }
  // 09:30 on the 5th (31 polls: 1860 > 1800 seconds); then nothing until
  // local midnight, where the first poll of the 6th qualifies.
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(app.settings.lastTime, clock.At(1998, 3, 6, 0, 0));
  EXPECT_EQ(profile.writes.front(),
            "Tessaly.ini|SaveFiles|03/05/1998 09:30=System files backed up on 03/05/1998 09:30");
}

TEST_F(IdleSchedulerTest, WithoutMaxOnceRunsEveryThresholdPeriod) {
  idleClock.idleSeconds = 0;
  const int32_t poll = 60;
  for (Time32 t = clock.At(1998, 3, 5, 9, 0); t < clock.At(1998, 3, 5, 12, 0); t += poll) {
    clock.now = t;
    idleClock.idleSeconds += poll;
    scheduler.OnTimer(kIdleTimerId);
  }
  // More than 1800 seconds takes 31 polls: 09:30, 10:01, 10:32, 11:03, 11:34.
  EXPECT_EQ(Runs(), 5);
  EXPECT_EQ(app.settings.lastTime, clock.At(1998, 3, 5, 11, 34));
}

// A poll arriving while an action runs its own message loop returns at once.
TEST_F(IdleSchedulerTest, NestedPollsDoNotNest) {
  std::vector<int32_t> busyInside;
  auto nested = [&] {
    busyInside.push_back(app.idleBusy);
    scheduler.OnTimer(kIdleTimerId);
  };
  actions.onBackup = nested;
  actions.onQuickCheck = nested;
  windows.onSend = [&](const FakeWindowSystem::Sent& s) {
    journal.push_back("send " + std::to_string(s.message));
    nested();
  };
  scheduler.OnTimer(kIdleTimerId);
  EXPECT_EQ(busyInside, (std::vector<int32_t>{1, 1, 1}));
  EXPECT_EQ(journal, (std::vector<std::string>{"idleseconds", "backup", "log SaveFiles",
                                               "quickcheck", "log QuickCheck", "send 1396",
                                               "resettimer"}));
  EXPECT_EQ(app.idleBusy, 0);
  // The next poll is served again.
  idleClock.idleSeconds = 100000;
  windows.onSend = nullptr;
  actions.onBackup = actions.onQuickCheck = nullptr;
  scheduler.OnTimer(kIdleTimerId);
  EXPECT_EQ(idleClock.idleQueries, 2);
  EXPECT_EQ(Runs(), 2);
}

TEST_F(IdleSchedulerTest, StartupTicksAreServedDuringAPoll) {
  app.commandLine = "tessaly.exe";
  actions.onBackup = [this] { scheduler.OnTimer(kStartupTimerId); };
  scheduler.OnTimer(kIdleTimerId);
  EXPECT_EQ(app.startupTicks, 1);
  EXPECT_EQ(windows.calls.front(), "show 42 0");
}

// idleBusy is cleared on every way out of a poll.
struct ClearCase {
  const char* name;
  int32_t idle;
  int32_t idleSeconds;
  int32_t maxOnce;
  bool actionsRun;  // the backup runs in the poll
};

class BusyCleared : public IdleSchedulerTest, public ::testing::WithParamInterface<ClearCase> {};

TEST_P(BusyCleared, AfterThePoll) {
  const ClearCase& c = GetParam();
  app.settings.idle = c.idle;
  app.settings.maxOnce = c.maxOnce;
  app.settings.lastTime = clock.now - 60;
  idleClock.idleSeconds = c.idleSeconds;
  int backups = 0;
  actions.onBackup = [&] {
    EXPECT_EQ(app.idleBusy, 1);  // held while the actions run
    ++backups;
  };
  scheduler.OnTimer(kIdleTimerId);
  EXPECT_EQ(backups, c.actionsRun ? 1 : 0);
  EXPECT_EQ(app.idleBusy, 0);
  EXPECT_EQ(idleClock.idleQueries, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Exits, BusyCleared,
    ::testing::Values(ClearCase{"NoThreshold", 9, 100000, 0, false},
                      ClearCase{"BelowThreshold", 0, 10, 0, false},
                      ClearCase{"SameDay", 0, 100000, 1, false},
                      ClearCase{"Ran", 0, 100000, 0, true}),
    [](const ::testing::TestParamInfo<ClearCase>& info) { return std::string(info.param.name); });

// Start-up ticks.
TEST_F(IdleSchedulerTest, StartupTicksHideFourTimesThenKillTheTimer) {
  app.commandLine = "c:\\tessaly\\tessaly.exe -nosplash";
  for (int tick = 0; tick < 6; ++tick) scheduler.OnTimer(kStartupTimerId);
  EXPECT_EQ(windows.calls, (std::vector<std::string>{"show 42 0", "show 42 0", "show 42 0",
                                                     "show 42 0", "killtimer 42 3",
                                                     "killtimer 42 3"}));
  EXPECT_EQ(app.startupTicks, 4);
  EXPECT_EQ(idleClock.idleQueries, 0);
}

TEST_F(IdleSchedulerTest, StartupTicksWithDisplayShowOnceThenKillTheTimer) {
  app.commandLine = "c:\\tessaly\\tessaly.exe -nosplash -display";
  for (int tick = 0; tick < 3; ++tick) scheduler.OnTimer(kStartupTimerId);
  EXPECT_EQ(windows.calls,
            (std::vector<std::string>{"show 42 1", "killtimer 42 3", "killtimer 42 3"}));
  EXPECT_EQ(app.startupTicks, 5);
  EXPECT_TRUE(windows.IsWindowVisible(kMainWindow));
}

TEST_F(IdleSchedulerTest, StartupTicksBeforeTheWindowExistsOnlyCount) {
  app.mainWindow = 0;
  app.commandLine = "tessaly.exe";
  scheduler.OnTimer(kStartupTimerId);
  scheduler.OnTimer(kStartupTimerId);
  EXPECT_TRUE(windows.calls.empty());
  EXPECT_EQ(app.startupTicks, 2);
  app.mainWindow = kMainWindow;
  for (int tick = 0; tick < 3; ++tick) scheduler.OnTimer(kStartupTimerId);
  EXPECT_EQ(windows.calls,
            (std::vector<std::string>{"show 42 0", "show 42 0", "killtimer 42 3"}));
}

TEST_F(IdleSchedulerTest, StartupTicksIgnoreIdleBusy) {
  app.idleBusy = 1;
  app.commandLine = "-display";
  scheduler.OnTimer(kStartupTimerId);
  EXPECT_EQ(windows.calls, std::vector<std::string>{"show 42 1"});
}

TEST_F(IdleSchedulerTest, StartupTicksWithoutCommandLineHide) {
  app.commandLine = nullptr;
  scheduler.OnTimer(kStartupTimerId);
  EXPECT_EQ(windows.calls, std::vector<std::string>{"show 42 0"});
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

// A lastTime that the local calendar cannot place does not stop a run.
class UnconvertibleClock : public FakeClock {
 public:
  Time32 unconvertible = -1;
  bool LocalTime(Time32 t, struct tm* out) override {
    return t != unconvertible && FakeClock::LocalTime(t, out);
  }
};

TEST(SameLocalDay, FalseWhenEitherTimeCannotBeConverted) {
  UnconvertibleClock clock;
  clock.unconvertible = 1000;
  EXPECT_TRUE(SameLocalDay(clock, 2000, 3000));
  EXPECT_FALSE(SameLocalDay(clock, 1000, 3000));
  EXPECT_FALSE(SameLocalDay(clock, 3000, 1000));
}

}  // namespace
}  // namespace tessaly
