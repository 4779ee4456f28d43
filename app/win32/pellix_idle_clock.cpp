#include "app/win32/pellix_idle_clock.h"

#include "Pellix.h"

namespace tessaly {

int32_t PellixIdleClock::IdleSeconds() { return HookIdleSeconds(); }

void PellixIdleClock::ResetTimer() { HookResetTimer(); }

void PellixIdleClock::Install(int32_t install) { HookInstall(install); }

}  // namespace tessaly
