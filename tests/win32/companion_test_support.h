// Helpers of the companion tests under Wine: private folders, folder
// listings, whole-file reads and the folder of the companion libraries.
#pragma once

#include <windows.h>

#include <map>
#include <set>
#include <string>

namespace companion_test {

// A fresh, empty folder under the temporary folder; deleted with everything
// in it (one level deep) when the object goes.
class ScratchFolder {
 public:
  ScratchFolder() {
    char temp[MAX_PATH], name[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    GetTempFileNameA(temp, "cmp", 0, name);
    DeleteFileA(name);
    CreateDirectoryA(name, nullptr);
    path_ = name;
  }
  ~ScratchFolder() { Remove(path_); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  static void Remove(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          Remove(path);
        } else {
          SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
          DeleteFileA(path.c_str());
        }
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
  }
  std::string path_;
};

// Names of everything in folder, upper-cased.
inline std::set<std::string> ListFolder(const std::string& folder) {
  std::set<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    CharUpperA(&name[0]);
    names.insert(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

// The whole file, or "<missing>" when it cannot be read.
inline std::string ReadWholeFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string text;
  char block[4096];
  DWORD done = 0;
  while (ReadFile(file, block, sizeof block, &done, nullptr) && done > 0) text.append(block, done);
  CloseHandle(file);
  return text;
}

inline bool WriteWholeFile(const std::string& path, const std::string& text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD done = 0;
  const bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
  CloseHandle(file);
  return ok && done == text.size();
}

// The folder the loaded module was taken from, without a trailing backslash.
inline std::string ModuleFolder(const char* module) {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(GetModuleHandleA(module), path, sizeof path);
  std::string folder = path;
  const size_t slash = folder.rfind('\\');
  return slash == std::string::npos ? std::string() : folder.substr(0, slash);
}

// Sets TMP and TEMP for this process; the old values come back on
// destruction.
class TempFolderOverride {
 public:
  explicit TempFolderOverride(const std::string& folder) {
    for (const char* name : {"TMP", "TEMP"}) {
      char value[MAX_PATH] = "";
      const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
      saved_[name] = length ? std::string(value) : std::string();
      had_[name] = length != 0;
      SetEnvironmentVariableA(name, folder.c_str());
    }
  }
  ~TempFolderOverride() {
    for (const char* name : {"TMP", "TEMP"})
      SetEnvironmentVariableA(name, had_[name] ? saved_[name].c_str() : nullptr);
  }

 private:
  std::map<std::string, std::string> saved_;
  std::map<std::string, bool> had_;
};

}  // namespace companion_test
