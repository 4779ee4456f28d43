#include "app/win32/win32_registry.h"

#include <windows.h>

#include "base/win32/handles.h"

namespace tessaly {

int32_t Win32Registry::OpenKey(RegistryKey parent, const char* subKey, uint32_t access,
                               RegistryKey* result) {
  HKEY opened = nullptr;
  const LONG status = RegOpenKeyExA(ToHandle<HKEY>(parent), subKey, 0, access, &opened);
  *result = status == ERROR_SUCCESS ? FromHandle(opened) : 0;
  return status;
}

int32_t Win32Registry::CreateKey(RegistryKey parent, const char* subKey, uint32_t access,
                                 RegistryKey* result) {
  HKEY created = nullptr;
  const LONG status = RegCreateKeyExA(ToHandle<HKEY>(parent), subKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      access, nullptr, &created, nullptr);
  *result = status == ERROR_SUCCESS ? FromHandle(created) : 0;
  return status;
}

int32_t Win32Registry::QueryValue(RegistryKey key, const char* name, uint32_t* type, void* data,
                                  uint32_t* size) {
  DWORD valueType = 0;
  DWORD byteCount = size != nullptr ? *size : 0;
  const LONG status = RegQueryValueExA(ToHandle<HKEY>(key), name, nullptr, &valueType,
                                       static_cast<BYTE*>(data), size != nullptr ? &byteCount : nullptr);
  if (type != nullptr) *type = valueType;
  if (size != nullptr) *size = byteCount;
  return status;
}

int32_t Win32Registry::SetValue(RegistryKey key, const char* name, uint32_t type, const void* data,
                                uint32_t size) {
  return RegSetValueExA(ToHandle<HKEY>(key), name, 0, type, static_cast<const BYTE*>(data), size);
}

int32_t Win32Registry::CloseKey(RegistryKey key) { return RegCloseKey(ToHandle<HKEY>(key)); }

}  // namespace tessaly
