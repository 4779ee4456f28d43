// In-memory registry for unit tests, behaving like the platform's: key and
// value names compare without regard to letter case, values keep their type
// and bytes, a query without a buffer gives the size, a buffer too small gives
// kRegistryMoreData and the size needed, and a key opened for querying only
// cannot be written. Keys are named by full paths such as
// "HKEY_CURRENT_USER\Software\Brenmoor Software Corp\Tessaly".
#pragma once

#include <ctype.h>
#include <string.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/registry.h"

namespace tessaly {

// The platform's failure codes that the fake gives, as the real registry does.
constexpr int32_t kRegistryNotFound = 2;      // ERROR_FILE_NOT_FOUND
constexpr int32_t kRegistryAccessDenied = 5;  // ERROR_ACCESS_DENIED
constexpr int32_t kRegistryMoreData = 234;    // ERROR_MORE_DATA

class FakeRegistry : public RegistryApi {
 public:
  struct Value {
    std::string name;  // as first written
    uint32_t type = 0;
    std::vector<uint8_t> data;
  };
  struct Key {
    std::vector<Value> values;  // in the order first written
  };

  std::map<std::string, Key> keys;                // keyed by Lower(full path)
  std::set<std::string> denied;                   // Lower(full path): opening fails
  std::vector<std::string> writes;                // "<path>|<name>|<type>|<size>"
  std::vector<std::string> createdKeys;           // full paths, as created

  FakeRegistry() {
    AddKey("HKEY_CURRENT_USER\\Software");
    AddKey("HKEY_LOCAL_MACHINE\\Software");
  }

  static std::string Lower(const std::string& text) {
    std::string s;
    for (char c : text) s += static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return s;
  }

  // --- set-up and inspection for tests ---
  void AddKey(const std::string& path) {
    std::string partial;
    size_t start = 0;
    while (start <= path.size()) {
      size_t end = path.find('\\', start);
      if (end == std::string::npos) end = path.size();
      partial = path.substr(0, end);
      keys[Lower(partial)];
      start = end + 1;
    }
  }
  void SetRaw(const std::string& path, const std::string& name, uint32_t type,
              std::vector<uint8_t> data) {
    AddKey(path);
    Store(keys[Lower(path)], name, type, std::move(data));
  }
  void SetDword(const std::string& path, const std::string& name, uint32_t value) {
    std::vector<uint8_t> data(4);
    memcpy(data.data(), &value, 4);
    SetRaw(path, name, kRegDword, data);
  }
  void SetString(const std::string& path, const std::string& name, const std::string& text) {
    std::vector<uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    SetRaw(path, name, kRegString, data);
  }
  bool HasKey(const std::string& path) const { return keys.count(Lower(path)) != 0; }
  const Value* Find(const std::string& path, const std::string& name) const {
    auto k = keys.find(Lower(path));
    if (k == keys.end()) return nullptr;
    for (const Value& v : k->second.values)
      if (Lower(v.name) == Lower(name)) return &v;
    return nullptr;
  }
  size_t ValueCount(const std::string& path) const {
    auto k = keys.find(Lower(path));
    return k == keys.end() ? 0 : k->second.values.size();
  }
  size_t OpenHandles() const { return open_.size(); }

  // --- RegistryApi ---
  int32_t OpenKey(RegistryKey parent, const char* subKey, uint32_t access,
                  RegistryKey* result) override {
    std::string path;
    if (!Resolve(parent, subKey, &path)) return kInvalidHandle;
    if (denied.count(Lower(path))) return kRegistryAccessDenied;
    if (!HasKey(path)) return kRegistryNotFound;
    *result = NewHandle(path, access);
    return kRegistrySuccess;
  }
  int32_t CreateKey(RegistryKey parent, const char* subKey, uint32_t access,
                    RegistryKey* result) override {
    std::string path;
    if (!Resolve(parent, subKey, &path)) return kInvalidHandle;
    if (denied.count(Lower(path))) return kRegistryAccessDenied;
    if (!HasKey(path)) {
      AddKey(path);
      createdKeys.push_back(path);
    }
    *result = NewHandle(path, access);
    return kRegistrySuccess;
  }
  int32_t QueryValue(RegistryKey key, const char* name, uint32_t* type, void* data,
                     uint32_t* size) override {
    auto h = open_.find(key);
    if (h == open_.end()) return kInvalidHandle;
    if (data != nullptr && size == nullptr) return kInvalidParameter;
    const Value* v = Find(h->second.path, name != nullptr ? name : "");
    if (v == nullptr) return kRegistryNotFound;
    if (type != nullptr) *type = v->type;
    const uint32_t needed = static_cast<uint32_t>(v->data.size());
    if (data == nullptr) {
      if (size != nullptr) *size = needed;
      return kRegistrySuccess;
    }
    if (*size < needed) {
      *size = needed;
      return kRegistryMoreData;
    }
    if (needed > 0) memcpy(data, v->data.data(), needed);
    *size = needed;
    return kRegistrySuccess;
  }
  int32_t SetValue(RegistryKey key, const char* name, uint32_t type, const void* data,
                   uint32_t size) override {
    auto h = open_.find(key);
    if (h == open_.end()) return kInvalidHandle;
    if ((h->second.access & kKeySetValue) == 0) return kRegistryAccessDenied;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    const std::string valueName = name != nullptr ? name : "";
    Store(keys[Lower(h->second.path)], valueName, type, std::vector<uint8_t>(bytes, bytes + size));
    writes.push_back(h->second.path + "|" + valueName + "|" + std::to_string(type) + "|" +
                     std::to_string(size));
    return kRegistrySuccess;
  }
  int32_t CloseKey(RegistryKey key) override {
    if (open_.erase(key) == 0) return kInvalidHandle;
    return kRegistrySuccess;
  }

 private:
  static constexpr int32_t kInvalidHandle = 6;      // ERROR_INVALID_HANDLE
  static constexpr int32_t kInvalidParameter = 87;  // ERROR_INVALID_PARAMETER
  static constexpr uint32_t kKeySetValue = 0x0002;  // KEY_SET_VALUE

  struct Handle {
    std::string path;
    uint32_t access;
  };
  std::map<RegistryKey, Handle> open_;
  RegistryKey next_ = 0x1000;

  static void Store(Key& key, const std::string& name, uint32_t type, std::vector<uint8_t> data) {
    for (Value& v : key.values) {
      if (Lower(v.name) == Lower(name)) {
        v.type = type;
        v.data = std::move(data);
        return;
      }
    }
    key.values.push_back(Value{name, type, std::move(data)});
  }
  bool Resolve(RegistryKey parent, const char* subKey, std::string* path) const {
    if (parent == kCurrentUserKey) {
      *path = "HKEY_CURRENT_USER";
    } else if (parent == kLocalMachineKey) {
      *path = "HKEY_LOCAL_MACHINE";
    } else {
      auto h = open_.find(parent);
      if (h == open_.end()) return false;
      *path = h->second.path;
    }
    if (subKey != nullptr && subKey[0] != '\0') *path += std::string("\\") + subKey;
    return true;
  }
  RegistryKey NewHandle(const std::string& path, uint32_t access) {
    const RegistryKey handle = next_;
    next_ += 4;
    open_[handle] = Handle{path, access};
    return handle;
  }
};

}  // namespace tessaly
