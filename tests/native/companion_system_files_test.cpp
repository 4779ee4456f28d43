#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "companions/system_file_list.h"

namespace {

using companions::CabinetMember;

struct SystemFilesCase {
  const char* label;
  std::string windowsDir;
  std::set<std::string> present;
  bool ok;
  std::vector<std::pair<std::string, std::string>> expected;  // source, name
};

class SystemFiles : public ::testing::TestWithParam<SystemFilesCase> {};

TEST_P(SystemFiles, ListsTheFilesThatExist) {
  const SystemFilesCase& c = GetParam();
  std::vector<std::string> asked;
  std::vector<CabinetMember> members = {{"stale", "STALE", ""}};
  const bool ok = companions::SystemFileMembers(
      c.windowsDir,
      [&](const std::string& path) {
        asked.push_back(path);
        return c.present.count(path) > 0;
      },
      &members);
  EXPECT_EQ(ok, c.ok);
  std::vector<std::pair<std::string, std::string>> got;
  for (const CabinetMember& m : members) {
    got.emplace_back(m.source, m.name);
    EXPECT_TRUE(m.text.empty());
  }
  EXPECT_EQ(got, c.expected);
}

const std::set<std::string> kEverything = {
    "C:\\WINDOWS\\WIN.INI",  "C:\\WINDOWS\\SYSTEM.INI", "C:\\WINDOWS\\SYSTEM.DAT",
    "C:\\WINDOWS\\USER.DAT", "C:\\CONFIG.SYS",          "C:\\AUTOEXEC.BAT"};

INSTANTIATE_TEST_SUITE_P(
    Cases, SystemFiles,
    ::testing::Values(
        SystemFilesCase{"Everything",
                        "C:\\WINDOWS",
                        kEverything,
                        true,
                        {{"C:\\WINDOWS\\WIN.INI", "WIN.INI"},
                         {"C:\\WINDOWS\\SYSTEM.INI", "SYSTEM.INI"},
                         {"C:\\WINDOWS\\SYSTEM.DAT", "SYSTEM.DAT"},
                         {"C:\\WINDOWS\\USER.DAT", "USER.DAT"},
                         {"C:\\CONFIG.SYS", "CONFIG.SYS"},
                         {"C:\\AUTOEXEC.BAT", "AUTOEXEC.BAT"}}},
        SystemFilesCase{"TrailingBackslash",
                        "C:\\WINDOWS\\",
                        {"C:\\WINDOWS\\WIN.INI", "C:\\WINDOWS\\SYSTEM.INI"},
                        true,
                        {{"C:\\WINDOWS\\WIN.INI", "WIN.INI"},
                         {"C:\\WINDOWS\\SYSTEM.INI", "SYSTEM.INI"}}},
        SystemFilesCase{"OptionalOnesWhereTheyExist",
                        "D:\\WIN95",
                        {"D:\\WIN95\\WIN.INI", "D:\\WIN95\\SYSTEM.INI", "D:\\WIN95\\USER.DAT",
                         "D:\\AUTOEXEC.BAT", "C:\\CONFIG.SYS"},
                        true,
                        {{"D:\\WIN95\\WIN.INI", "WIN.INI"},
                         {"D:\\WIN95\\SYSTEM.INI", "SYSTEM.INI"},
                         {"D:\\WIN95\\USER.DAT", "USER.DAT"},
                         {"D:\\AUTOEXEC.BAT", "AUTOEXEC.BAT"}}},
        SystemFilesCase{"WindowsAtTheRoot",
                        "C:\\",
                        {"C:\\WIN.INI", "C:\\SYSTEM.INI", "C:\\CONFIG.SYS"},
                        true,
                        {{"C:\\WIN.INI", "WIN.INI"},
                         {"C:\\SYSTEM.INI", "SYSTEM.INI"},
                         {"C:\\CONFIG.SYS", "CONFIG.SYS"}}},
        SystemFilesCase{"NoDriveLetterNoBootFiles",
                        "\\\\server\\windows",
                        {"\\\\server\\windows\\WIN.INI", "\\\\server\\windows\\SYSTEM.INI"},
                        true,
                        {{"\\\\server\\windows\\WIN.INI", "WIN.INI"},
                         {"\\\\server\\windows\\SYSTEM.INI", "SYSTEM.INI"}}},
        SystemFilesCase{"WinIniMissing", "C:\\WINDOWS", {"C:\\WINDOWS\\SYSTEM.INI"}, false, {}},
        SystemFilesCase{"SystemIniMissing", "C:\\WINDOWS", {"C:\\WINDOWS\\WIN.INI"}, false, {}},
        SystemFilesCase{"NoWindowsFolder", "", kEverything, false, {}}),
    [](const ::testing::TestParamInfo<SystemFilesCase>& info) { return info.param.label; });

TEST(BootRoot, IsTheDriveOfTheWindowsFolder) {
  EXPECT_EQ(companions::BootRoot("C:\\WINDOWS"), "C:\\");
  EXPECT_EQ(companions::BootRoot("e:\\win"), "e:\\");
  EXPECT_EQ(companions::BootRoot("\\\\server\\share"), "");
  EXPECT_EQ(companions::BootRoot("1:\\x"), "");
  EXPECT_EQ(companions::BootRoot("C"), "");
}

}  // namespace
