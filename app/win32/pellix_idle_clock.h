// The activity hook library, imported by ordinal: its idle clock and its
// hooks.
#pragma once

#include "app/startup.h"

namespace tessaly {

class PellixIdleClock : public ActivityHooks {
 public:
  void Install(int32_t install) override;
  int32_t IdleSeconds() override;
  void ResetTimer() override;
};

}  // namespace tessaly
