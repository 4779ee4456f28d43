// The settings that a user without any stored value gets, checked the same
// way by the native and the Wine tests.
#pragma once

#include <gtest/gtest.h>

#include "app/app_state.h"

namespace tessaly {

// One hour, backup and quick check on, once per day, never run, enabled,
// status light green.
inline void ExpectDefaultSettings(const TessalySettings& s) {
  EXPECT_EQ(s.idle, 1);
  EXPECT_EQ(s.backup, 1);
  EXPECT_EQ(s.quickCheck, 1);
  EXPECT_EQ(s.maxOnce, 1);
  EXPECT_EQ(s.lastTime, 0);
  EXPECT_EQ(s.disabled, 0);
  EXPECT_EQ(s.quickCheckStatus, 0);
}

}  // namespace tessaly
