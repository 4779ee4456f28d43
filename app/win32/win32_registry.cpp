#include "app/win32/win32_registry.h"

#include <windows.h>

namespace tessaly {

namespace {

HKEY ToHkey(RegistryKey key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

int32_t Win32Registry::OpenKey(RegistryKey parent, const char* subKey, uint32_t access,
                               RegistryKey* result) {
  HKEY opened = nullptr;
  const LONG status = RegOpenKeyExA(ToHkey(parent), subKey, 0, access, &opened);
  *result = status == ERROR_SUCCESS ? reinterpret_cast<RegistryKey>(opened) : 0;
  return status;
}

int32_t Win32Registry::CreateKey(RegistryKey parent, const char* subKey, uint32_t access,
                                 RegistryKey* result) {
  HKEY created = nullptr;
  const LONG status = RegCreateKeyExA(ToHkey(parent), subKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      access, nullptr, &created, nullptr);
  *result = status == ERROR_SUCCESS ? reinterpret_cast<RegistryKey>(created) : 0;
  return status;
}

int32_t Win32Registry::QueryValue(RegistryKey key, const char* name, uint32_t* type, void* data,
                                  uint32_t* size) {
  DWORD valueType = 0;
  DWORD byteCount = size != nullptr ? *size : 0;
  const LONG status = RegQueryValueExA(ToHkey(key), name, nullptr, &valueType,
                                       static_cast<BYTE*>(data), size != nullptr ? &byteCount : nullptr);
  if (type != nullptr) *type = valueType;
  if (size != nullptr) *size = byteCount;
  return status;
}

int32_t Win32Registry::SetValue(RegistryKey key, const char* name, uint32_t type, const void* data,
                                uint32_t size) {
  return RegSetValueExA(ToHkey(key), name, 0, type, static_cast<const BYTE*>(data), size);
}

int32_t Win32Registry::CloseKey(RegistryKey key) { return RegCloseKey(ToHkey(key)); }

}  // namespace tessaly
