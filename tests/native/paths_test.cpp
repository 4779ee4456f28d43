// JoinPath, ChangeDriveAndDirectory and GetInstallDirectory over the in-memory
// registry and file system.
#include "app/install_folder.h"
#include "base/paths.h"

#include <string.h>

#include <string>

#include <gtest/gtest.h>

#include "fakes/fake_file_system.h"
#include "fakes/fake_registry.h"

namespace tessaly {
namespace {

struct JoinCase {
  const char* first;
  const char* second;
  const char* joined;
};

class JoinPathTable : public ::testing::TestWithParam<JoinCase> {};

TEST_P(JoinPathTable, PutsExactlyOneBackslashBetween) {
  const JoinCase& c = GetParam();
  char out[kPathSize];
  EXPECT_TRUE(JoinPath(out, c.first, c.second));
  EXPECT_STREQ(out, c.joined);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, JoinPathTable,
    ::testing::Values(JoinCase{"C:\\", "Tests", "C:\\Tests"},
                      JoinCase{"C:\\Vantor", "Tests", "C:\\Vantor\\Tests"},
                      JoinCase{"C:\\Vantor\\", "Tests", "C:\\Vantor\\Tests"},
                      JoinCase{"", "Tests", "\\Tests"},
                      JoinCase{"C:\\Vantor\\Tests", "QUICKCHK.RPT",
                               "C:\\Vantor\\Tests\\QUICKCHK.RPT"},
                      JoinCase{"C:\\Vantor", "", "C:\\Vantor\\"}));

TEST(JoinPath, OutMayBeTheFirstPart) {
  char path[kPathSize] = "C:\\Vantor";
  EXPECT_TRUE(JoinPath(path, path, "Recovery"));
  EXPECT_STREQ(path, "C:\\Vantor\\Recovery");
}

struct LimitCase {
  size_t joinedLength;
  bool fits;
};

class JoinPathAtLimit : public ::testing::TestWithParam<LimitCase> {};

TEST_P(JoinPathAtLimit, FitsUpTo259CharactersAndOtherwiseGivesNoPath) {
  const LimitCase c = GetParam();
  // "C:\ddd...d" + "\" + "Recovery"
  const std::string first = "C:\\" + std::string(c.joinedLength - 3 - 1 - 8, 'd');
  char out[kPathSize + 16];
  memset(out, '#', sizeof out);
  EXPECT_EQ(JoinPath(out, kPathSize, first.c_str(), "Recovery"), c.fits);
  if (c.fits)
    EXPECT_EQ(std::string(out), first + "\\Recovery");
  else
    EXPECT_STREQ(out, "");
  for (size_t i = kPathSize; i < sizeof out; ++i) ASSERT_EQ(out[i], '#') << i;
}

INSTANTIATE_TEST_SUITE_P(Limits, JoinPathAtLimit,
                         ::testing::Values(LimitCase{258, true}, LimitCase{259, true},
                                           LimitCase{260, false}, LimitCase{261, false},
                                           LimitCase{5000, false}));

TEST(JoinPath, HonoursASmallBuffer) {
  char out[8];
  EXPECT_TRUE(JoinPath(out, "C:", "abcd"));
  EXPECT_STREQ(out, "C:\\abcd");
  EXPECT_FALSE(JoinPath(out, "C:", "abcde"));
  EXPECT_STREQ(out, "");
}

struct DriveCase {
  const char* path;
  int drive;  // 0: no drive change
};

class ChangeDrive : public ::testing::TestWithParam<DriveCase> {};

TEST_P(ChangeDrive, TakesTheDriveNumberFromTheLetter) {
  const DriveCase& c = GetParam();
  FakeFileSystem files;
  files.AddDirectory(c.path);
  EXPECT_TRUE(ChangeDriveAndDirectory(files, c.path));
  std::vector<std::string> expected;
  if (c.drive != 0) expected.push_back("chdrive " + std::to_string(c.drive));
  expected.push_back(std::string("chdir ") + c.path);
  EXPECT_EQ(files.calls, expected);
}

INSTANTIATE_TEST_SUITE_P(Letters, ChangeDrive,
                         ::testing::Values(DriveCase{"A:\\", 1}, DriveCase{"b:\\Sets", 2},
                                           DriveCase{"C:\\Vantor\\Recovery", 3},
                                           DriveCase{"z:\\", 26}, DriveCase{"\\Vantor", 0},
                                           DriveCase{"Sets", 0}));

TEST(ChangeDriveAndDirectory, ReportsTheFolderChange) {
  FakeFileSystem files;
  EXPECT_FALSE(ChangeDriveAndDirectory(files, "D:\\Missing"));
  EXPECT_FALSE(ChangeDriveAndDirectory(files, ""));
  EXPECT_FALSE(ChangeDriveAndDirectory(files, nullptr));
}

const char kInstallPath[] = "HKEY_LOCAL_MACHINE\\Software\\Brenmoor Software Corp\\Vantor\\Settings";

class InstallDirectory : public ::testing::Test {
 protected:
  void SetUp() override {
    files.moduleFileName = "C:\\PROGRA~1\\TESSALY\\TESSALY.EXE";
    files.AddDirectory("C:\\VANTOR");
    memset(out, '#', sizeof out);
  }
  void TearDown() override {
    EXPECT_EQ(registry.OpenHandles(), 0u);
    for (size_t i = kPathSize; i < sizeof out; ++i) ASSERT_EQ(out[i], '#') << i;
  }
  bool Get() { return GetInstallDirectory(registry, files, out, kPathSize); }

  FakeRegistry registry;
  FakeFileSystem files;
  char out[kPathSize + 16];
};

TEST_F(InstallDirectory, ComesFromTheDirectoryValue) {
  registry.SetString(kInstallPath, "Directory", "C:\\VANTOR");
  EXPECT_TRUE(Get());
  EXPECT_STREQ(out, "C:\\VANTOR");
}

TEST_F(InstallDirectory, MissingKeyGivesTheProgramsFolder) {
  EXPECT_TRUE(Get());
  EXPECT_STREQ(out, "C:\\PROGRA~1\\TESSALY\\");
}

TEST_F(InstallDirectory, MissingValueGivesTheProgramsFolder) {
  registry.AddKey(kInstallPath);
  EXPECT_TRUE(Get());
  EXPECT_STREQ(out, "C:\\PROGRA~1\\TESSALY\\");
}

TEST_F(InstallDirectory, MissingFolderGivesTheProgramsFolder) {
  registry.SetString(kInstallPath, "Directory", "C:\\GONE");
  EXPECT_TRUE(Get());
  EXPECT_STREQ(out, "C:\\PROGRA~1\\TESSALY\\");
}

TEST_F(InstallDirectory, EmptyValueGivesTheProgramsFolder) {
  registry.SetString(kInstallPath, "Directory", "");
  EXPECT_TRUE(Get());
  EXPECT_STREQ(out, "C:\\PROGRA~1\\TESSALY\\");
}

TEST_F(InstallDirectory, UnreadableKeyGivesTheProgramsFolder) {
  registry.SetString(kInstallPath, "Directory", "C:\\VANTOR");
  registry.denied.insert(FakeRegistry::Lower(kInstallPath));
  EXPECT_TRUE(Get());
  EXPECT_STREQ(out, "C:\\PROGRA~1\\TESSALY\\");
}

TEST_F(InstallDirectory, ModulePathFailureGivesEmptyText) {
  files.moduleFileNameFails = true;
  EXPECT_FALSE(Get());
  EXPECT_STREQ(out, "");
}

TEST_F(InstallDirectory, ModulePathWithoutBackslashGivesEmptyText) {
  files.moduleFileName = "TESSALY.EXE";
  EXPECT_FALSE(Get());
  EXPECT_STREQ(out, "");
}

TEST_F(InstallDirectory, DirectoryOf300CharactersIsNotUsed) {
  const std::string longDir = "C:\\" + std::string(297, 'v');
  files.AddDirectory(longDir);
  files.AddDirectory(longDir.substr(0, 259));
  registry.SetString(kInstallPath, "Directory", longDir);
  EXPECT_TRUE(Get());
  EXPECT_STREQ(out, "C:\\PROGRA~1\\TESSALY\\");
}

struct DirectoryLimitCase {
  size_t length;
  bool used;
};

class InstallDirectoryAtLimit : public InstallDirectory,
                                public ::testing::WithParamInterface<DirectoryLimitCase> {};

TEST_P(InstallDirectoryAtLimit, UsesADirectoryThatFits) {
  const std::string dir = "C:\\" + std::string(GetParam().length - 3, 'v');
  files.AddDirectory(dir);
  registry.SetString(kInstallPath, "Directory", dir);
  EXPECT_TRUE(Get());
  EXPECT_EQ(std::string(out), GetParam().used ? dir : std::string("C:\\PROGRA~1\\TESSALY\\"));
}

INSTANTIATE_TEST_SUITE_P(Limits, InstallDirectoryAtLimit,
                         ::testing::Values(DirectoryLimitCase{258, true},
                                           DirectoryLimitCase{259, true},
                                           DirectoryLimitCase{260, false},
                                           DirectoryLimitCase{261, false}));

TEST_F(InstallDirectory, DirectoryStoredAsANumberIsNotUsed) {
  registry.SetRaw(kInstallPath, "Directory", kRegDword, {'C', ':', '\\', 0});
  EXPECT_TRUE(Get());
  EXPECT_STREQ(out, "C:\\PROGRA~1\\TESSALY\\");
}

TEST_F(InstallDirectory, OpensTheMachineKeyForQueryingOnly) {
  registry.SetString(kInstallPath, "Directory", "C:\\VANTOR");
  EXPECT_TRUE(Get());
  EXPECT_TRUE(registry.writes.empty());
  EXPECT_TRUE(registry.createdKeys.empty());
}

}  // namespace
}  // namespace tessaly
