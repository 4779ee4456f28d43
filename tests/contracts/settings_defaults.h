// Checks of loaded settings shared by the native and the Wine tests.
#pragma once

#include <gtest/gtest.h>

#include "base/app_state.h"

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

// The seven persisted settings of actual are those of expected.
inline void ExpectSamePersisted(const TessalySettings& actual, const TessalySettings& expected) {
  EXPECT_EQ(actual.idle, expected.idle);
  EXPECT_EQ(actual.backup, expected.backup);
  EXPECT_EQ(actual.quickCheck, expected.quickCheck);
  EXPECT_EQ(actual.maxOnce, expected.maxOnce);
  EXPECT_EQ(actual.lastTime, expected.lastTime);
  EXPECT_EQ(actual.disabled, expected.disabled);
  EXPECT_STREQ(actual.saveDir, expected.saveDir);
}

}  // namespace tessaly
