#include "actions/quick_check.h"

#include "actions/launcher.h"
#include "base/messages.h"
#include "base/scoped.h"

namespace tessaly {

void NotifyQuickCheckStatus(ActionContext& context) {
  AppState& app = context.app;
  if (!app.mainWindow) return;
  context.windows.SendMessage(app.mainWindow, kMsgQuickCheckStatus,
                              static_cast<uintptr_t>(app.settings.quickCheckStatus), 0);
}

void PerformQuickCheck(ActionContext& context) {
  AppState& app = context.app;
  ReentryGuard busy(app.quickCheckBusy);
  if (!busy.entered()) return;

  QuickCheckResult result = {{0, 0, 0, 0}};
  context.companions.DoQuickCheck(app.mainWindow, &result, app.settings.reportPath);
  const uint32_t verdict = result.words[2];
  const uint32_t detail = result.words[3];

  app.settings.quickCheckStatus = verdict != 0 ? 1 : 0;
  NotifyQuickCheckStatus(context);

  const WindowHandle vantor = FindRunningVantor(context);
  if (vantor) {
    // The words travel as the 32-bit message parameters of the platform.
    context.windows.SendMessage(vantor, kMsgVantorQuickCheck, verdict,
                                static_cast<intptr_t>(static_cast<int32_t>(detail)));
  }
}

}  // namespace tessaly
