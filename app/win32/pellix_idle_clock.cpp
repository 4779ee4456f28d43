#include "app/win32/pellix_idle_clock.h"

#include "Pellix.h"

namespace tessaly {

int32_t PellixIdleClock::IdleSeconds() { return HookIdleSeconds(); }

void PellixIdleClock::ResetTimer() { HookResetTimer(); }

}  // namespace tessaly
