// Private window messages, timer ids and the texts shared by several parts.
#pragma once

#include <stdint.h>

namespace tessaly {

// Window messages.
enum : uint32_t {
  kMsgTrayCallback = 1025,      // the shell -> main window: wParam icon id, lParam mouse message
  kMsgVantorQuickCheck = 1394,  // -> Vantor: wParam third, lParam fourth result word
  kMsgVantorShow = 1395,        // -> Vantor: asked for with a non-empty argument text
  kMsgStampLastRun = 1396,      // scheduler -> main window: stamp lastTime, save, refresh
  kMsgQuickCheckStatus = 1397,  // quick check -> main window: wParam light index
};

// Timers of the main and splash windows.
enum : uintptr_t { kIdleTimerId = 1, kSplashTimerId = 2, kStartupTimerId = 3 };
enum : uint32_t { kIdleTimerPeriod = 60000, kSplashTimerPeriod = 3000, kStartupTimerPeriod = 100 };

// Caption of every message box and title of the main window.
inline constexpr const char kAppCaption[] = "Vantor Tessaly";

// Registry and product names.
inline constexpr const char kCompanyKey[] = "Brenmoor Software Corp";
inline constexpr const char kProductKey[] = "Tessaly";
inline constexpr const char kFamilyName[] = "Vantor";

}  // namespace tessaly
