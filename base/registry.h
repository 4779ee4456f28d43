// The registry calls the settings store relies on, behind a narrow interface:
// the Win32 build passes the real registry (app/win32/win32_registry.h), the
// unit tests an in-memory one (tests/fakes/fake_registry.h). Handles, return
// codes and value types keep their Windows values, so the logic reads like
// the platform code it stands for.
#pragma once

#include <stdint.h>

#include "base/scoped.h"

namespace tessaly {

// An open registry key, opaque to the logic; 0 is no key.
using RegistryKey = uintptr_t;

// The predefined root keys.
constexpr RegistryKey kCurrentUserKey = 0x80000001;   // HKEY_CURRENT_USER
constexpr RegistryKey kLocalMachineKey = 0x80000002;  // HKEY_LOCAL_MACHINE

// Result codes of the registry calls.
constexpr int32_t kRegistrySuccess = 0;      // ERROR_SUCCESS

// Value types.
constexpr uint32_t kRegString = 1;          // REG_SZ
constexpr uint32_t kRegExpandString = 2;    // REG_EXPAND_SZ
constexpr uint32_t kRegBinary = 3;          // REG_BINARY
constexpr uint32_t kRegDword = 4;           // REG_DWORD

// Access rights.
constexpr uint32_t kKeyQueryValue = 0x0001;  // KEY_QUERY_VALUE
constexpr uint32_t kKeyReadWrite = 0x2001F;  // KEY_READ | KEY_WRITE

class RegistryApi {
 public:
  virtual ~RegistryApi() = default;
  // RegOpenKeyExA(parent, subKey, 0, access, result).
  virtual int32_t OpenKey(RegistryKey parent, const char* subKey, uint32_t access,
                          RegistryKey* result) = 0;
  // RegCreateKeyExA(parent, subKey, 0, no class, REG_OPTION_NON_VOLATILE,
  // access, default security, result, no disposition): opens the key,
  // creating it when missing.
  virtual int32_t CreateKey(RegistryKey parent, const char* subKey, uint32_t access,
                            RegistryKey* result) = 0;
  // RegQueryValueExA(key, name, 0, type, data, size). A null data asks only
  // for the size; a buffer too small gives ERROR_MORE_DATA and the size
  // needed. type may be null.
  virtual int32_t QueryValue(RegistryKey key, const char* name, uint32_t* type, void* data,
                             uint32_t* size) = 0;
  // RegSetValueExA(key, name, 0, type, data, size).
  virtual int32_t SetValue(RegistryKey key, const char* name, uint32_t type, const void* data,
                           uint32_t size) = 0;
  // RegCloseKey(key).
  virtual int32_t CloseKey(RegistryKey key) = 0;
};

// Closes the key it holds when it goes out of scope, on every way out of the
// operation that opened it; 0 is no key.
struct RegistryKeyTraits {
  RegistryApi* registry = nullptr;
  static RegistryKey None() { return 0; }
  bool Valid(RegistryKey key) const { return key != 0; }
  void Close(RegistryKey key) const { registry->CloseKey(key); }
};

class ScopedRegistryKey : public ScopedOwner<RegistryKey, RegistryKeyTraits> {
 public:
  explicit ScopedRegistryKey(RegistryApi& registry, RegistryKey key = 0)
      : ScopedOwner(key, RegistryKeyTraits{&registry}) {}
};

}  // namespace tessaly
