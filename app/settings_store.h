// The persisted settings: the per-user registry key
// HKEY_CURRENT_USER\Software\<companyName>\<productName>, its typed values, and
// the load and save of TessalySettings with the folders derived from them.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "base/app_state.h"
#include "base/platform.h"
#include "base/registry.h"

namespace tessaly {

constexpr size_t kNameSize = 64;

// Names of the settings key's company and product parts; empty until start-up
// sets them. Change them only through SetApplicationNames.
extern char companyName[kNameSize];
extern char productName[kNameSize];

// Sets companyName and productName. A name that does not fit (63 characters
// at most) leaves both empty, so that no settings key is opened under a cut
// name; returns false then.
bool SetApplicationNames(const char* company, const char* product);

// The settings key opened for reading and writing, the company and product
// keys created when missing; 0 when any step fails or a name is still empty.
RegistryKey OpenSettingsKey(RegistryApi& registry);

// True when key is 0 or was closed.
bool CloseSettingsKey(RegistryApi& registry, RegistryKey key);

// A REG_DWORD of 4 bytes; true on success (false for key 0).
bool WriteDwordValue(RegistryApi& registry, RegistryKey key, const char* name, uint32_t value);

// A REG_SZ holding text and its terminator (null text stores ""); true on
// success (false for key 0).
bool WriteStringValue(RegistryApi& registry, RegistryKey key, const char* name,
                      const char* text);

// The stored value when it is a 4-byte REG_DWORD or REG_BINARY; otherwise
// (no key, no value, another type or length) def.
uint32_t ReadDwordValue(RegistryApi& registry, RegistryKey key, const char* name, uint32_t def);

// Copies the stored text (REG_SZ or REG_EXPAND_SZ, unexpanded) into out, or
// def (null: "") when there is no such text value. At most size - 1
// characters are kept and out is always terminated (size > 0). Returns the
// length of the whole text, so a result >= size means it was cut.
size_t ReadStringValue(RegistryApi& registry, RegistryKey key, const char* name, const char* def,
                       char* out, size_t size);

// Fills app.settings from the settings key, with the defaults for missing or
// malformed values, and derives saveDir (default: install folder\Recovery,
// created) and reportPath (install folder\Tests\QUICKCHK.RPT; the Tests
// folder is created). Writes nothing to the registry.
void LoadSettings(AppState& app, RegistryApi& registry, FileSystem& files);

// Writes the seven persisted settings, in the order Idle, Backup, QuickCheck,
// MaxOnce, LastTime, SaveDir, Disabled. Failures are not reported.
void SaveSettings(const AppState& app, RegistryApi& registry);

}  // namespace tessaly
