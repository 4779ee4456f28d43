// Reads the real registry from Win32 tests: whole values with their types,
// and how many values a key holds.
#pragma once

#include <windows.h>

#include <vector>

namespace tessaly {

struct RawValue {
  bool found = false;
  DWORD type = 0;
  std::vector<BYTE> data;
};

inline RawValue Query(HKEY root, const char* path, const char* name) {
  RawValue v;
  HKEY key;
  if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return v;
  DWORD size = 0;
  if (RegQueryValueExA(key, name, nullptr, &v.type, nullptr, &size) == ERROR_SUCCESS) {
    v.data.resize(size);
    v.found = RegQueryValueExA(key, name, nullptr, &v.type, v.data.data(), &size) == ERROR_SUCCESS;
    v.data.resize(size);
  }
  RegCloseKey(key);
  return v;
}

inline DWORD ValueCount(HKEY root, const char* path) {
  HKEY key;
  if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return 0;
  DWORD values = 0;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                   nullptr, nullptr, nullptr);
  RegCloseKey(key);
  return values;
}

}  // namespace tessaly
