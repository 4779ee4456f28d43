// The timers of the main and splash windows: ids and periods.
#pragma once

#include <stdint.h>

namespace tessaly {

enum : uintptr_t { kIdleTimerId = 1, kSplashTimerId = 2, kStartupTimerId = 3 };
enum : uint32_t { kIdleTimerPeriod = 60000, kSplashTimerPeriod = 3000, kStartupTimerPeriod = 100 };

}  // namespace tessaly
