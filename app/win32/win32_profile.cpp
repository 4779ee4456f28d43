#include "app/win32/win32_profile.h"

#include <windows.h>

namespace tessaly {

size_t Win32Profile::GetString(const char* file, const char* section, const char* key,
                               const char* def, char* out, size_t size) {
  if (out == nullptr || size == 0) return 0;
  if (def == nullptr) def = "";
  // The platform takes a 32-bit size; a larger buffer is simply used in part.
  const DWORD limit = size > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<DWORD>(size);
  const DWORD copied = file == nullptr
                           ? GetProfileStringA(section, key, def, out, limit)
                           : GetPrivateProfileStringA(section, key, def, out, limit, file);
  out[copied < limit ? copied : limit - 1] = '\0';
  return copied < limit ? copied : limit - 1;
}

int Win32Profile::GetInt(const char* file, const char* section, const char* key, int def) {
  const UINT value = file == nullptr ? GetProfileIntA(section, key, def)
                                     : GetPrivateProfileIntA(section, key, def, file);
  return static_cast<int>(value);
}

bool Win32Profile::WriteString(const char* file, const char* section, const char* key,
                               const char* value) {
  const BOOL written = file == nullptr ? WriteProfileStringA(section, key, value)
                                       : WritePrivateProfileStringA(section, key, value, file);
  return written != FALSE;
}

size_t Win32Profile::GetKeyNames(const char* file, const char* section, char* out,
                                 size_t size) {
  if (out == nullptr || size < 2) return 0;
  const DWORD limit = size > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<DWORD>(size);
  return GetPrivateProfileStringA(section, nullptr, "", out, limit, file);
}

bool Win32Profile::DeleteKey(const char* file, const char* section, const char* key) {
  return WritePrivateProfileStringA(section, key, nullptr, file) != FALSE;
}

}  // namespace tessaly
