// In-memory initialisation files for unit tests: the system profile (file
// null) and private files by name. Sections and keys compare without regard to
// letter case, as on the platform.
#pragma once

#include <ctype.h>
#include <stdlib.h>
#include <string.h>

#include <map>
#include <string>
#include <vector>

#include "base/platform.h"
#include "base/text.h"

namespace tessaly {

class FakeProfile : public ProfileApi {
 public:
  // file -> section -> key -> value; file "" is the system profile.
  std::map<std::string, std::map<std::string, std::map<std::string, std::string>>> files;
  std::vector<std::string> writes;  // "file|section|key=value"

  static std::string Lower(const char* text) {
    std::string s;
    for (const char* p = text ? text : ""; *p; ++p)
      s += static_cast<char>(tolower(static_cast<unsigned char>(*p)));
    return s;
  }
  void Set(const char* file, const char* section, const char* key, const std::string& value) {
    files[Lower(file)][Lower(section)][Lower(key)] = value;
  }
  void Erase(const char* file, const char* section, const char* key) {
    files[Lower(file)][Lower(section)].erase(Lower(key));
  }
  const std::string* Find(const char* file, const char* section, const char* key) const {
    auto f = files.find(Lower(file));
    if (f == files.end()) return nullptr;
    auto s = f->second.find(Lower(section));
    if (s == f->second.end()) return nullptr;
    auto k = s->second.find(Lower(key));
    return k == s->second.end() ? nullptr : &k->second;
  }

  size_t GetString(const char* file, const char* section, const char* key, const char* def,
                   char* out, size_t size) override {
    const std::string* value = Find(file, section, key);
    if (size == 0) return 0;
    CopyText(out, size, value ? value->c_str() : (def ? def : ""));
    return strlen(out);
  }
  // As the platform's: an absent or empty value gives def, any other value
  // its leading decimal number (0 when it starts with none).
  int GetInt(const char* file, const char* section, const char* key, int def) override {
    const std::string* value = Find(file, section, key);
    return value && !value->empty() ? atoi(value->c_str()) : def;
  }
  bool WriteString(const char* file, const char* section, const char* key,
                   const char* value) override {
    writes.push_back(std::string(file ? file : "") + "|" + section + "|" + key + "=" + value);
    Set(file, section, key, value);
    return true;
  }
};

}  // namespace tessaly
