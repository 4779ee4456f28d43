// Helpers of the backup tests under Wine: files with a chosen last-write
// time, "Vantor.ini" reads through the platform, and a scratch saveDir and
// main-program folder (names with blanks) wired into an ActionContext over
// the real file system and private-profile functions.
#pragma once

#include <windows.h>

#include <string.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "actions/action_context.h"
#include "app/win32/win32_file_system.h"
#include "app/win32/win32_profile.h"
#include "companion_test_support.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_install_folder.h"
#include "fakes/fake_window_system.h"

namespace tessaly {
namespace backup_test {

constexpr Time32 kNow = 1100000000;  // November 2004
constexpr Time32 kDay = 86400;
constexpr Time32 kWeek = 604800;
constexpr Time32 kMissing = -1;  // a set without a first cabinet

inline std::string VantorIniPath() {
  char folder[MAX_PATH];
  const UINT length = GetWindowsDirectoryA(folder, sizeof folder);
  return std::string(folder, length) + "\\Vantor.ini";
}

inline std::string ReadIni(const char* section, const char* key) {
  char value[512];
  GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, "Vantor.ini");
  return value;
}

// The names of all keys in a section, as the platform lists them.
inline std::vector<std::string> IniKeys(const char* section) {
  char list[4096];
  const DWORD length =
      GetPrivateProfileStringA(section, nullptr, "", list, sizeof list, "Vantor.ini");
  std::vector<std::string> keys;
  for (const char* p = list; p < list + length && *p; p += strlen(p) + 1) keys.push_back(p);
  return keys;
}

inline bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline void MakeFolder(const std::string& path) {
  CreateDirectoryA(path.c_str(), nullptr);
  ASSERT_TRUE(PathExists(path)) << path;
}

// Sets the last-write time of an open file or folder to t (seconds since
// 1970 UTC).
inline bool SetLastWrite(HANDLE handle, Time32 t) {
  const ULONGLONG ticks =
      (static_cast<ULONGLONG>(static_cast<LONGLONG>(t)) + 11644473600ULL) * 10000000ULL;
  FILETIME lastWrite;
  lastWrite.dwLowDateTime = static_cast<DWORD>(ticks);
  lastWrite.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  return SetFileTime(handle, nullptr, nullptr, &lastWrite) != FALSE;
}

// Writes a small file whose last-write time is t.
inline void WriteFileAt(const std::string& path, Time32 t) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file) << path;
  DWORD written = 0;
  WriteFile(file, "MSCF", 4, &written, nullptr);
  EXPECT_TRUE(SetLastWrite(file, t)) << path;
  CloseHandle(file);
}

// Makes a folder whose last-write time is t.
inline void MakeFolderAt(const std::string& path, Time32 t) {
  MakeFolder(path);
  HANDLE folder = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, folder) << path;
  EXPECT_TRUE(SetLastWrite(folder, t)) << path;
  CloseHandle(folder);
}

// saveDir = <scratch>\Backup Sets, "Main" = <scratch>\Vantor Main with its
// Recovery folder; "Vantor.ini" holds only "Main". The clock stands at kNow.
class BackupFolders : public ::testing::Test {
 protected:
  explicit BackupFolders(Companions& companions)
      : context{app, files, profile, clock, windows, companions, noInstallFolder} {}

  void SetUp() override {
    saveDir = scratch / "Backup Sets";
    mainFolder = scratch / "Vantor Main";
    recovery = mainFolder + "\\Recovery";
    MakeFolder(saveDir);
    MakeFolder(mainFolder);
    MakeFolder(recovery);
    DeleteFileA(VantorIniPath().c_str());
    WritePrivateProfileStringA("Directories", "Main", mainFolder.c_str(), "Vantor.ini");
    clock.now = kNow;
    CopyText(app.settings.saveDir, saveDir.c_str());
  }
  void TearDown() override { DeleteFileA(VantorIniPath().c_str()); }

  std::string FirstCabinet(int set) const {
    return saveDir + "\\Tessaly" + std::to_string(set) + "1.cab";
  }
  // First cabinets of the sets 1..5 at the given times (kMissing: none),
  // checked to read back with those times.
  void PlaceSets(const Time32 (&times)[5]) {
    for (int n = 0; n < 5; ++n) {
      if (times[n] == kMissing) continue;
      WriteFileAt(FirstCabinet(n + 1), times[n]);
      Time32 seen = 0;
      ASSERT_TRUE(files.FindFirst(FirstCabinet(n + 1).c_str(), &seen));
      ASSERT_EQ(times[n], seen) << "last-write time of set " << n + 1;
    }
  }

  companion_test::ScratchFolder scratch;
  std::string saveDir, mainFolder, recovery;
  AppState app;
  Win32FileSystem files;
  Win32Profile profile;
  FakeClock clock;
  FakeWindowSystem windows;
  FakeInstallFolder noInstallFolder;
  ActionContext context;
};

}  // namespace backup_test
}  // namespace tessaly
