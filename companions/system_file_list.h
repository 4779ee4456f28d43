// Which files make up a backup of the machine's critical system files, and
// under which names they go into the cabinet. Platform-free: the caller says
// which files exist.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace companions {

struct CabinetMember {
  std::string source;  // full path on disk; empty for a member held in memory
  std::string name;    // name inside the cabinet
  std::string text;    // the content of a member held in memory
};

// Name of the member that holds the backup's description text.
inline constexpr const char kDescriptionMember[] = "DESCRIPT.TXT";

// The folder without trailing backslashes, except that a bare root keeps its
// backslash ("C:\").
inline std::string TrimFolder(std::string folder) {
  while (folder.size() > 1 && folder.back() == '\\') folder.pop_back();
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  return folder;
}

inline std::string JoinFolder(const std::string& folder, const char* name) {
  std::string path = TrimFolder(folder);
  if (!path.empty() && path.back() != '\\') path += '\\';
  return path + name;
}

// The root folder of the drive that holds windowsDir ("C:\"), or "" when
// windowsDir does not start with a drive letter.
inline std::string BootRoot(const std::string& windowsDir) {
  if (windowsDir.size() < 2 || windowsDir[1] != ':') return "";
  const char drive = windowsDir[0];
  if (!((drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z'))) return "";
  return std::string(1, drive) + ":\\";
}

// Fills *members with the system files to save: WIN.INI and SYSTEM.INI of
// the Windows folder (both required: false when either is missing or the
// folder is empty), then SYSTEM.DAT and USER.DAT of the Windows folder and
// CONFIG.SYS and AUTOEXEC.BAT of the boot drive, each where it exists.
inline bool SystemFileMembers(const std::string& windowsDir,
                              const std::function<bool(const std::string&)>& isFile,
                              std::vector<CabinetMember>* members) {
  members->clear();
  if (TrimFolder(windowsDir).empty()) return false;
  for (const char* name : {"WIN.INI", "SYSTEM.INI"}) {
    const std::string path = JoinFolder(windowsDir, name);
    if (!isFile(path)) {
      members->clear();
      return false;
    }
    members->push_back({path, name, ""});
  }
  for (const char* name : {"SYSTEM.DAT", "USER.DAT"}) {
    const std::string path = JoinFolder(windowsDir, name);
    if (isFile(path)) members->push_back({path, name, ""});
  }
  const std::string root = BootRoot(windowsDir);
  if (!root.empty()) {
    for (const char* name : {"CONFIG.SYS", "AUTOEXEC.BAT"}) {
      const std::string path = root + name;
      if (isFile(path)) members->push_back({path, name, ""});
    }
  }
  return true;
}

}  // namespace companions
