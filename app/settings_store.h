// The persisted settings: the per-user registry key
// HKEY_CURRENT_USER\Software\<companyName>\<productName>, and the load and
// save of TessalySettings (the values of base/settings_table.h) with the
// folders derived from them.
#pragma once

#include <stddef.h>

#include "base/app_state.h"
#include "base/platform.h"
#include "base/registry.h"

namespace tessaly {

constexpr size_t kNameSize = 64;

// Names of the settings key's company and product parts; empty until start-up
// sets them. Change them only through SetApplicationNames.
extern char companyName[kNameSize];
extern char productName[kNameSize];

// Sets companyName and productName. A name that does not fit (kNameSize - 1
// characters at most) leaves both empty, so that no settings key is opened
// under a cut name; returns false then.
bool SetApplicationNames(const char* company, const char* product);

// The settings key opened for reading and writing, the company and product
// keys created when missing; 0 when any step fails or a name is still empty.
RegistryKey OpenSettingsKey(RegistryApi& registry);

// Fills app.settings from the settings key, with the defaults for missing or
// malformed values, and derives saveDir (default: install folder\Recovery,
// created) and reportPath (install folder\Tests\QUICKCHK.RPT; the Tests
// folder is created). Writes nothing to the registry.
void LoadSettings(AppState& app, RegistryApi& registry, FileSystem& files);

// Writes every persisted setting, in the order of kPersistedSettings.
// Failures are not reported.
void WriteSettings(const AppState& app, RegistryApi& registry);

}  // namespace tessaly
