// In-memory initialisation files for unit tests: the system profile (file
// null) and private files by name. Sections and keys compare without regard to
// letter case, as on the platform.
#pragma once

#include <ctype.h>
#include <stdlib.h>
#include <string.h>

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "base/platform.h"
#include "base/text.h"

namespace tessaly {

class FakeProfile : public ProfileApi {
 public:
  struct Entry {
    std::string key;  // as first written
    std::string value;
  };
  // file -> section -> keys in file order; file "" is the system profile.
  std::map<std::string, std::map<std::string, std::vector<Entry>>> files;
  std::vector<std::string> writes;  // "file|section|key=value"

  static std::string Lower(const char* text) {
    std::string s;
    for (const char* p = text ? text : ""; *p; ++p)
      s += static_cast<char>(tolower(static_cast<unsigned char>(*p)));
    return s;
  }
  std::vector<Entry>& Section(const char* file, const char* section) {
    return files[Lower(file)][Lower(section)];
  }
  // A key that exists keeps its place and takes the new value; a new one is
  // added at the section's end, as the platform does.
  void Set(const char* file, const char* section, const char* key, const std::string& value) {
    std::vector<Entry>& entries = Section(file, section);
    for (Entry& e : entries) {
      if (Lower(e.key.c_str()) == Lower(key)) {
        e.value = value;
        return;
      }
    }
    entries.push_back({key, value});
  }
  void Erase(const char* file, const char* section, const char* key) {
    std::vector<Entry>& entries = Section(file, section);
    for (size_t i = 0; i < entries.size(); ++i) {
      if (Lower(entries[i].key.c_str()) == Lower(key)) {
        entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(i));
        return;
      }
    }
  }
  const std::string* Find(const char* file, const char* section, const char* key) const {
    auto f = files.find(Lower(file));
    if (f == files.end()) return nullptr;
    auto s = f->second.find(Lower(section));
    if (s == f->second.end()) return nullptr;
    for (const Entry& e : s->second)
      if (Lower(e.key.c_str()) == Lower(key)) return &e.value;
    return nullptr;
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
  // As the platform's: a list that does not fit is cut, its last name too,
  // and ends in two zeros at size - 2.
  size_t GetKeyNames(const char* file, const char* section, char* out, size_t size) override {
    if (size < 2) return 0;
    std::string list;
    for (const Entry& e : Section(file, section)) list += e.key + '\0';
    if (list.size() + 1 > size) {
      memcpy(out, list.data(), size - 2);
      out[size - 2] = '\0';
      out[size - 1] = '\0';
      return size - 2;
    }
    memcpy(out, list.data(), list.size());
    out[list.size()] = '\0';
    return list.size();
  }
  bool DeleteKey(const char* file, const char* section, const char* key) override {
    Erase(file, section, key);
    return true;
  }
};

}  // namespace tessaly
