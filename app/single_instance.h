// One running copy of the program at a time.
#pragma once

#include "base/window_system.h"

namespace tessaly {

// Held by the running instance for its whole life, from the first step of
// its start-up; the system releases it when the process ends, however.
inline constexpr const char kInstanceMutex[] = "Vantor Tessaly Is Running";

// True when no other instance runs: this call created kInstanceMutex, in one
// step, so that of two copies started at the same moment only one goes on.
// Otherwise shows the running instance's main window (found by its title)
// when it exists already, brings it to the front and returns false.
bool IsFirstInstance(WindowSystem& windows);

}  // namespace tessaly
