// The persisted settings as one table: registry value name, field of
// TessalySettings, type and default. Load, save and every test that names the
// stored values go through it; a new persisted setting is a field in
// base/app_state.h and one row here.
//
// The rows stand in the order in which SaveSettings writes the values, which
// other readers of the key may rely on: "Idle", "Backup", "QuickCheck",
// "MaxOnce", "LastTime", "SaveDir", "Disabled". The end-to-end scripts read
// the names from the rows (scripts/layout.sh): keep one row a line, as below.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "base/app_state.h"

namespace tessaly {

// The idle setting's default, "1 Hour", the second threshold; also what an
// index outside the list becomes.
inline constexpr int32_t kDefaultIdleIndex = 1;

struct PersistedSetting {
  // A 32-bit value, stored as a REG_DWORD; `def` when missing or malformed.
  constexpr PersistedSetting(const char* valueName, int32_t TessalySettings::*field,
                             uint32_t defaultValue)
      : name(valueName), number(field), text(nullptr), def(defaultValue) {}
  // A folder, stored as a REG_SZ; empty when missing or too long.
  constexpr PersistedSetting(const char* valueName, char (TessalySettings::*field)[kPathSize])
      : name(valueName), number(nullptr), text(field), def(0) {}

  bool IsText() const { return text != nullptr; }

  const char* name;
  int32_t TessalySettings::*number;        // the field of a number, or null
  char (TessalySettings::*text)[kPathSize];  // the field of a text, or null
  uint32_t def;                            // numbers only
};

inline constexpr PersistedSetting kPersistedSettings[] = {
    {"Idle", &TessalySettings::idle, kDefaultIdleIndex},
    {"Backup", &TessalySettings::backup, 1},
    {"QuickCheck", &TessalySettings::quickCheck, 1},
    {"MaxOnce", &TessalySettings::maxOnce, 1},
    {"LastTime", &TessalySettings::lastTime, 0},
    {"SaveDir", &TessalySettings::saveDir},
    {"Disabled", &TessalySettings::disabled, 0},
};

inline constexpr size_t kPersistedSettingCount =
    sizeof kPersistedSettings / sizeof kPersistedSettings[0];

}  // namespace tessaly
