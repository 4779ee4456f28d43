#include "app/idle_scheduler.h"

#include <time.h>

#include "app/command_line.h"
#include "app/run_log.h"
#include "base/messages.h"
#include "base/timers.h"
#include "base/scoped.h"
#include "base/text.h"
#include "presentation/date_time_formatter.h"

namespace tessaly {
namespace {

constexpr int32_t kIdleThresholds[] = {1800, 3600, 7200, 14400, 28800, 43200};
constexpr int32_t kIdleThresholdCount =
    static_cast<int32_t>(sizeof kIdleThresholds / sizeof kIdleThresholds[0]);

// Start-up ticks: the main window is hidden on this many ticks, and the next
// one kills the timer; "-display" shows it once and marks the count done.
constexpr int32_t kStartupHideTicks = 4;
constexpr int32_t kStartupTicksDone = 5;

}  // namespace

bool IdleThresholdSeconds(int32_t idle, int32_t* seconds) {
  if (idle < 0 || idle >= kIdleThresholdCount) return false;
  *seconds = kIdleThresholds[idle];
  return true;
}

bool SameLocalDay(Clock& clock, Time32 a, Time32 b) {
  struct tm first;
  struct tm second;
  if (!clock.LocalTime(a, &first) || !clock.LocalTime(b, &second)) return false;
  return first.tm_year == second.tm_year && first.tm_yday == second.tm_yday;
}

IdleScheduler::IdleScheduler(AppState& app, IdleClock& idleClock, Clock& clock,
                             ProfileApi& profile, WindowSystem& windows,
                             MaintenanceActions& actions)
    : app_(app),
      idleClock_(idleClock),
      clock_(clock),
      profile_(profile),
      windows_(windows),
      actions_(actions) {}

void IdleScheduler::OnTimer(uintptr_t timerId) noexcept {
  if (timerId == kStartupTimerId) {
    StartupTick();
  } else {
    IdlePoll();
  }
}

void IdleScheduler::StartupTick() {
  if (app_.startupTicks >= kStartupHideTicks) {
    windows_.KillTimer(app_.mainWindow, kStartupTimerId);
    return;
  }
  if (app_.mainWindow == 0) {
    ++app_.startupTicks;
    return;
  }
  if (app_.commandLine != nullptr && HasSwitch(app_.commandLine, kDisplaySwitch)) {
    windows_.ShowWindow(app_.mainWindow, kSwShowNormal);
    app_.startupTicks = kStartupTicksDone;
    return;
  }
  windows_.ShowWindow(app_.mainWindow, kSwHide);
  ++app_.startupTicks;
}

void IdleScheduler::IdlePoll() {
  ReentryGuard guard(app_.idleBusy);
  if (!guard.entered()) return;
  const TessalySettings& settings = app_.settings;
  if (settings.disabled) return;

  const int32_t idle = idleClock_.IdleSeconds();
  int32_t threshold = 0;
  if (!IdleThresholdSeconds(settings.idle, &threshold)) return;
  if (!(idle > threshold)) return;

  const Time32 now = clock_.Now();
  // At most one run per local calendar day. The year counts as well as the
  // day of the year, so the same date a year later runs again.
  if (settings.maxOnce && settings.lastTime != 0 && SameLocalDay(clock_, now, settings.lastTime))
    return;
  Run(now);
}

void IdleScheduler::Run(Time32 now) {
  DateTimeFormatter formatter(clock_);
  // The run's date-and-time text: the key of both log lines and their value's
  // tail. Taken before the actions, which may run for minutes.
  char runText[kRunLogTextSize];
  CopyText(runText, formatter.FormatSeconds(&now));

  char value[kRunLogTextSize];
  if (app_.settings.backup) {
    // Only a backup that was made is logged as done.
    if (actions_.BackupSystemFiles(false)) {
      FormatText(value, sizeof value, "System files backed up on %s", runText);
      WriteRunLogLine(profile_, kSaveFilesSection, runText, value);
    }
  }
  if (app_.settings.quickCheck) {
    actions_.RunQuickCheck();
    FormatText(value, sizeof value, "Quick Check done on %s", runText);
    WriteRunLogLine(profile_, kQuickCheckSection, runText, value);
  }
  // The main window stamps lastTime and saves it; the once-per-day rule
  // depends on that. Then the next run needs a new full idle period.
  windows_.SendMessage(app_.mainWindow, kMsgStampLastRun, 0, 0);
  idleClock_.ResetTimer();
}

}  // namespace tessaly
