// Reading and writing one typed value of an open registry key, for any key:
// the settings key and the main program's install key alike.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "base/registry.h"

namespace tessaly {

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

}  // namespace tessaly
