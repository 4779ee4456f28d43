// The names a backup set's first cabinet goes through while it is replaced:
// the new cabinet is written and verified as "<set>1.cab.new", the old one is
// kept as "<set>1.cab.old" until the new one is in place. Platform-free.
#pragma once

#include <string>

#include "companions/system_file_list.h"

namespace companions {

// Longest path the platform's file functions take, without the terminator.
inline constexpr size_t kMaxPathLength = 259;
// Limits of the cabinet library's folder and file name fields, without the
// terminator.
inline constexpr size_t kMaxCabinetFolderLength = 255;
inline constexpr size_t kMaxCabinetNameLength = 255;

struct CabinetPaths {
  std::string folder;  // saveDir with exactly one trailing backslash
  std::string name;    // "<set>1.cab"
  std::string newName;
  std::string oldName;

  std::string Final() const { return folder + name; }
  std::string New() const { return folder + newName; }
  std::string Old() const { return folder + oldName; }
};

// A set name is one plain file-name part: not empty, no folder separators,
// drive colon, wildcards or other characters a file name cannot hold.
inline bool IsPlainSetName(const std::string& setName) {
  if (setName.empty() || setName == "." || setName == "..") return false;
  for (const char c : setName) {
    if (static_cast<unsigned char>(c) < 32) return false;
    for (const char* bad = "\\/:*?\"<>|"; *bad; ++bad)
      if (c == *bad) return false;
  }
  return true;
}

// Forms the paths for saveDir and setName; false when either is missing or
// unusable, or when a path would be longer than the platform takes.
inline bool MakeCabinetPaths(const char* saveDir, const char* setName, CabinetPaths* out) {
  if (saveDir == nullptr || setName == nullptr) return false;
  const std::string folder = TrimFolder(saveDir);
  if (folder.empty() || !IsPlainSetName(setName)) return false;
  CabinetPaths paths;
  paths.folder = folder.back() == '\\' ? folder : folder + '\\';
  paths.name = std::string(setName) + "1.cab";
  paths.newName = paths.name + ".new";
  paths.oldName = paths.name + ".old";
  if (paths.folder.size() > kMaxCabinetFolderLength) return false;
  if (paths.newName.size() > kMaxCabinetNameLength) return false;
  if (paths.New().size() > kMaxPathLength || paths.Old().size() > kMaxPathLength) return false;
  *out = paths;
  return true;
}

}  // namespace companions
