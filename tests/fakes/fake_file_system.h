// In-memory file system for unit tests. Paths compare without regard to letter
// case, as on the platform; a trailing backslash is ignored except on a root.
// sameFolders gives a folder further spellings (a short name, a subst drive,
// a "." component...), as the platform resolves them.
#pragma once

#include <ctype.h>
#include <string.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "base/platform.h"
#include "base/text.h"

namespace tessaly {

class FakeFileSystem : public FileSystem {
 public:
  struct Entry {
    bool directory = false;
    Time32 lastWrite = 0;
    bool writable = true;
  };

  std::map<std::string, Entry> entries;  // keyed by Resolve(path)
  std::vector<std::string> calls;        // "mkdir <path>", "remove <path>", ...
  std::string moduleFileName = "C:\\TESSALY\\TESSALY.EXE";
  bool moduleFileNameFails = false;
  int currentDrive = 3;
  std::string currentDirectory = "C:\\";

  // {spelling, folder}: a path that begins with spelling names the file that
  // the same path beginning with folder names (letter case ignored).
  std::vector<std::pair<std::string, std::string>> sameFolders;

  static std::string Lower(const std::string& text) {
    std::string lower;
    for (char c : text) lower += static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return lower;
  }
  static std::string Key(const std::string& path) {
    std::string key = Lower(path);
    while (key.size() > 1 && key.back() == '\\' && !(key.size() == 3 && key[1] == ':')) key.pop_back();
    return key;
  }
  // The key of the file that path names, whichever spelling it uses.
  std::string Resolve(const std::string& path) const {
    const std::string lower = Lower(path);
    for (const auto& [spelling, folder] : sameFolders) {
      const std::string prefix = Lower(spelling);
      if (lower.compare(0, prefix.size(), prefix) == 0)
        return Key(folder + lower.substr(prefix.size()));
    }
    return Key(path);
  }
  void AddDirectory(const std::string& path) { entries[Resolve(path)] = Entry{true, 0, true}; }
  void AddFile(const std::string& path, Time32 lastWrite = 0, bool writable = true) {
    entries[Resolve(path)] = Entry{false, lastWrite, writable};
  }
  bool Has(const std::string& path) const { return entries.count(Resolve(path)) != 0; }
  bool IsDirectory(const std::string& path) const {
    auto it = entries.find(Resolve(path));
    return it != entries.end() && it->second.directory;
  }

  bool Exists(const char* path) override {
    calls.push_back(std::string("access0 ") + path);
    return Has(path) || IsRoot(path);
  }
  bool IsWritable(const char* path) override {
    calls.push_back(std::string("access2 ") + path);
    auto it = entries.find(Resolve(path));
    return it != entries.end() && it->second.writable;
  }
  // Not recorded in calls: tests ask it directly too.
  bool IsDirectory(const char* path) override {
    return IsRoot(path) || static_cast<const FakeFileSystem*>(this)->IsDirectory(std::string(path));
  }
  bool MakeDirectory(const char* path) override {
    calls.push_back(std::string("mkdir ") + path);
    if (Has(path)) return false;
    std::string key = Resolve(path);
    const size_t slash = key.rfind('\\');
    if (slash != std::string::npos && slash > 0) {
      std::string parent = key.substr(0, slash);
      if (!Has(parent) && !IsRoot(parent + "\\")) return false;
    }
    AddDirectory(path);
    return true;
  }
  bool Remove(const char* path) override {
    calls.push_back(std::string("remove ") + path);
    auto it = entries.find(Resolve(path));
    if (it == entries.end() || it->second.directory || !it->second.writable) return false;
    entries.erase(it);
    return true;
  }
  bool FindFirst(const char* pattern, Time32* lastWrite) override {
    calls.push_back(std::string("findfirst ") + pattern);
    auto it = entries.find(Resolve(pattern));
    if (it == entries.end()) return false;
    *lastWrite = it->second.lastWrite;
    return true;
  }
  bool ChangeDrive(int drive) override {
    calls.push_back("chdrive " + std::to_string(drive));
    if (drive < 1 || drive > 26) return false;
    currentDrive = drive;
    return true;
  }
  bool ChangeDirectory(const char* path) override {
    calls.push_back(std::string("chdir ") + path);
    if (!IsDirectory(path) && !IsRoot(path)) return false;
    currentDirectory = path;
    return true;
  }
  bool ModuleFileName(char* out, size_t size) override {
    if (moduleFileNameFails) {
      if (size > 0) out[0] = '\0';
      return false;
    }
    CopyText(out, size, moduleFileName.c_str());
    return true;
  }

 private:
  static bool IsRoot(const std::string& path) {
    return (path.size() == 3 && path[1] == ':' && path[2] == '\\') || path == "\\";
  }
};

}  // namespace tessaly
