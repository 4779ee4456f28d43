// The idle clock that the activity hook library keeps: how long keyboard and
// mouse have been left alone.
#pragma once

#include <stdint.h>

namespace tessaly {

// The activity hook library's idle clock (Pellix's HookIdleSeconds and
// HookResetTimer).
class IdleClock {
 public:
  virtual ~IdleClock() = default;
  // HookIdleSeconds: seconds since the last input or reset; 0 before any.
  virtual int32_t IdleSeconds() = 0;
  // HookResetTimer: the idle count starts again from 0.
  virtual void ResetTimer() = 0;
};

}  // namespace tessaly
