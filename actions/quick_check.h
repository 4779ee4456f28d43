// The hardware quick check: runs the companion DoQuickCheck, turns its result
// into the status light of the main window (kMsgQuickCheckStatus) and hands it to the
// main Vantor program when that runs (kMsgVantorQuickCheck).
#pragma once

#include "actions/action_context.h"

namespace tessaly {

// One quick check; returns at once when one is already running
// (app.quickCheckBusy). Sets app.settings.quickCheckStatus to 1 when the
// third result word is non-zero, else 0.
void PerformQuickCheck(ActionContext& context);

// Sends kMsgQuickCheckStatus (wParam quickCheckStatus, lParam 0) to the main window, if any.
void NotifyQuickCheckStatus(ActionContext& context);

}  // namespace tessaly
