// RegistryApi over the Win32 registry (ADVAPI32).
#pragma once

#include "base/registry.h"

namespace tessaly {

class Win32Registry : public RegistryApi {
 public:
  int32_t OpenKey(RegistryKey parent, const char* subKey, uint32_t access,
                  RegistryKey* result) override;
  int32_t CreateKey(RegistryKey parent, const char* subKey, uint32_t access,
                    RegistryKey* result) override;
  int32_t QueryValue(RegistryKey key, const char* name, uint32_t* type, void* data,
                     uint32_t* size) override;
  int32_t SetValue(RegistryKey key, const char* name, uint32_t type, const void* data,
                   uint32_t size) override;
  int32_t CloseKey(RegistryKey key) override;
};

}  // namespace tessaly
