// Checks of loaded settings shared by the native and the Wine tests.
#pragma once

#include <gtest/gtest.h>

#include "base/app_state.h"
#include "base/settings_table.h"

namespace tessaly {

// Every persisted number at its default of the table (one hour, backup and
// quick check on, once per day, never run, enabled), and the status light
// green.
inline void ExpectDefaultSettings(const TessalySettings& s) {
  for (const PersistedSetting& setting : kPersistedSettings) {
    if (!setting.IsText()) {
      EXPECT_EQ(s.*setting.number, static_cast<int32_t>(setting.def)) << setting.name;
    }
  }
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
