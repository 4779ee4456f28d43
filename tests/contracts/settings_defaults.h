// Checks of loaded settings shared by the native and the Wine tests.
#pragma once

#include <gtest/gtest.h>

#include "base/app_state.h"
#include "base/settings_table.h"

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

// Every persisted setting of actual is that of expected.
inline void ExpectSamePersisted(const TessalySettings& actual, const TessalySettings& expected) {
  for (const PersistedSetting& setting : kPersistedSettings) {
    if (setting.IsText())
      EXPECT_STREQ(actual.*setting.text, expected.*setting.text) << setting.name;
    else
      EXPECT_EQ(actual.*setting.number, expected.*setting.number) << setting.name;
  }
}

}  // namespace tessaly
