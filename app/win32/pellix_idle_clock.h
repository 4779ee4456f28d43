// The idle clock of the activity hook library, imported by ordinal.
#pragma once

#include "app/idle_scheduler.h"

namespace tessaly {

class PellixIdleClock : public IdleClock {
 public:
  int32_t IdleSeconds() override;
  void ResetTimer() override;
};

}  // namespace tessaly
