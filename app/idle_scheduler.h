// The idle scheduler: the logic of TessalyTimerProc, the timer procedure of
// the main window's start-up timer (kStartupTimerId) and idle poll timer
// (kIdleTimerId). The start-up ticks hide the main window (or show it once
// with "-display"); the idle poll runs the enabled maintenance actions once
// the user has left the keyboard and mouse alone for longer than the chosen
// threshold, logs each run in "Tessaly.ini", has the main window stamp the
// run, and restarts the idle count.
#pragma once

#include <stdint.h>

#include "app/idle_clock.h"
#include "app/maintenance_actions.h"
#include "base/app_state.h"
#include "base/platform.h"
#include "base/window_system.h"

namespace tessaly {

// Seconds of idleness needed for the idle setting 0..5 (30 minutes to 12
// hours); false for any other setting, which never runs the actions.
bool IdleThresholdSeconds(int32_t idle, int32_t* seconds);

// True when the two times fall on the same local calendar day (same year and
// day of the year); false also when either cannot be converted.
bool SameLocalDay(Clock& clock, Time32 a, Time32 b);

class IdleScheduler {
 public:
  IdleScheduler(AppState& app, IdleClock& idleClock, Clock& clock, ProfileApi& profile,
                WindowSystem& windows, MaintenanceActions& actions);

  // TessalyTimerProc: kStartupTimerId makes a start-up tick, every other id an idle
  // poll. Never throws: it is called from the platform's timer dispatch.
  void OnTimer(uintptr_t timerId) noexcept;

  // One tick of the start-up timer.
  void StartupTick();
  // One idle poll; returns at once while another poll is running further up
  // the stack (under an action's own message loop) or when disabled.
  void IdlePoll();

 private:
  // The actions, the log lines, the stamp and the idle-count reset of one run
  // that started at now.
  void Run(Time32 now);

  AppState& app_;
  IdleClock& idleClock_;
  Clock& clock_;
  ProfileApi& profile_;
  WindowSystem& windows_;
  MaintenanceActions& actions_;
};

}  // namespace tessaly
