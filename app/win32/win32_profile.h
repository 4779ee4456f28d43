// ProfileApi over the platform's profile functions: the system profile (file
// null, e.g. the "intl" section) and private initialisation files such as
// "Vantor.ini" and "Tessaly.ini" (a name without a folder lives in the
// Windows directory).
#pragma once

#include "base/platform.h"

namespace tessaly {

class Win32Profile : public ProfileApi {
 public:
  // GetProfileStringA / GetPrivateProfileStringA. A null def reads as "";
  // size 0 copies nothing and returns 0.
  size_t GetString(const char* file, const char* section, const char* key, const char* def,
                   char* out, size_t size) override;
  // GetProfileIntA / GetPrivateProfileIntA.
  int GetInt(const char* file, const char* section, const char* key, int def) override;
  // WriteProfileStringA / WritePrivateProfileStringA.
  bool WriteString(const char* file, const char* section, const char* key,
                   const char* value) override;
  // GetPrivateProfileStringA with no key; a size below 2 copies nothing and
  // returns 0.
  size_t GetKeyNames(const char* file, const char* section, char* out, size_t size) override;
  // WritePrivateProfileStringA with no value.
  bool DeleteKey(const char* file, const char* section, const char* key) override;
};

}  // namespace tessaly
