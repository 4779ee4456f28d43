// The backup folder is the main program's recovery folder (the default): a
// recycled set's first cabinet is also its recovery cabinet. SaveSystemFiles
// alone replaces it, and only with a whole new one; clearing the recovery data
// after a successful backup must not delete the new cabinet. A backup that
// fails (a full disk, a folder that cannot be written) removes nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/backup.h"
#include "fakes/fake_action_context.h"

namespace tessaly {
namespace {

constexpr Time32 kNow = 1100000000;
constexpr Time32 kDay = 86400;

struct SameFolderCase {
  const char* name;
  const char* saveDir;  // "Main" is C:\VANTOR
  bool sameFolder;
  int32_t saveResult;
};

std::ostream& operator<<(std::ostream& out, const SameFolderCase& c) { return out << c.name; }

class SameFolderBackupTest : public ::testing::TestWithParam<SameFolderCase> {
 protected:
  void SetUp() override {
    const SameFolderCase& c = GetParam();
    bed.clock.now = kNow;
    bed.profile.Set("Vantor.ini", "Directories", "Main", "C:\\VANTOR");
    bed.SetSaveDir(c.saveDir);
    bed.files.AddDirectory(c.saveDir);
    bed.files.AddDirectory("C:\\VANTOR\\Recovery");
    // Sets 1..5, a day apart, set 1 the oldest: the third newest, set 3, is
    // recycled.
    for (int n = 1; n <= 5; ++n) {
      bed.files.AddFile(FirstCabinet(n), kNow - (6 - n) * kDay);
      bed.files.AddFile("C:\\VANTOR\\Recovery\\Tessaly" + std::to_string(n) + "1.cab",
                        kNow - (6 - n) * kDay);
    }
    bed.files.AddFile("C:\\VANTOR\\Recovery\\Tessaly31.rcv");
    bed.companions.saveResult = c.saveResult;
  }

  std::string FirstCabinet(int n) const {
    std::string folder = GetParam().saveDir;
    if (folder.back() != '\\') folder += '\\';
    return folder + "Tessaly" + std::to_string(n) + "1.cab";
  }

  FakeActionContext bed;
};

TEST_P(SameFolderBackupTest, TheRecycledSetsOwnCabinetIsLeftToSaveSystemFiles) {
  const SameFolderCase& c = GetParam();
  EXPECT_EQ(c.saveResult != 0, RunSystemFileBackup(bed.context, 0));
  ASSERT_EQ(1u, bed.companions.saves.size());
  EXPECT_EQ("Tessaly3", bed.companions.saves[0].setName);

  const std::vector<std::string> removed = bed.FileCalls("remove ");
  if (c.saveResult == 0) {
    // A failed backup leaves the main program's recovery data as it was.
    EXPECT_TRUE(removed.empty());
  } else if (c.sameFolder) {
    // Only the recovery file goes; every set's first cabinet stays.
    EXPECT_EQ((std::vector<std::string>{"C:\\VANTOR\\Recovery\\Tessaly31.rcv"}), removed);
  } else {
    // Another folder: the recovery cabinet is the main program's own copy
    // and goes with the recovery file, as before.
    EXPECT_EQ((std::vector<std::string>{"C:\\VANTOR\\Recovery\\Tessaly31.rcv",
                                        "C:\\VANTOR\\Recovery\\Tessaly31.cab"}),
              removed);
  }
  for (int n = 1; n <= 5; ++n) EXPECT_TRUE(bed.files.Has(FirstCabinet(n))) << n;
}

const SameFolderCase kSameFolderCases[] = {
    {"SameFolderBackupFails", "C:\\VANTOR\\Recovery", true, 0},
    {"SameFolderBackupSucceeds", "C:\\VANTOR\\Recovery", true, 1},
    {"SameFolderOtherLetterCase", "c:\\vantor\\RECOVERY", true, 0},
    {"SameFolderWithTrailingBackslash", "C:\\VANTOR\\Recovery\\", true, 0},
    {"OtherFolderBackupFails", "C:\\BACKUP", false, 0},
    {"OtherFolderBackupSucceeds", "C:\\BACKUP", false, 1},
    {"FolderWithTheSameEnding", "D:\\VANTOR\\Recovery", false, 0},
};

INSTANTIATE_TEST_SUITE_P(Folders, SameFolderBackupTest, ::testing::ValuesIn(kSameFolderCases),
                         [](const ::testing::TestParamInfo<SameFolderCase>& info) {
                           return std::string(info.param.name);
                         });

// The same folder spelled one way in "Main" and another in saveDir. The new
// set's first cabinet, which is also the recovery cabinet, stays whatever the
// spelling: the set then counts as present, and the next backup moves on to
// another set.
struct SpellingCase {
  const char* name;
  const char* main;
  const char* saveDir;
  const char* spelling;  // a further spelling of folder, as the platform sees it
  const char* folder;
};

std::ostream& operator<<(std::ostream& out, const SpellingCase& c) { return out << c.name; }

class SpelledTwoWaysTest : public ::testing::TestWithParam<SpellingCase> {
 protected:
  void SetUp() override {
    const SpellingCase& c = GetParam();
    bed.files.sameFolders.push_back({c.spelling, c.folder});
    bed.clock.now = kNow;
    bed.profile.Set("Vantor.ini", "Directories", "Main", c.main);
    recovery = std::string(c.main) + "\\Recovery\\";
    bed.profile.Set("Vantor.ini", "Restore Files", "Cab1", recovery + "Tessaly31.cab");
    bed.SetSaveDir(c.saveDir);
    bed.files.AddDirectory(c.saveDir);
    // Sets 1..5 a day apart, set 1 the oldest: set 3 is recycled.
    for (int n = 1; n <= 5; ++n)
      bed.files.AddFile(recovery + "Tessaly" + std::to_string(n) + "1.cab", kNow - (6 - n) * kDay);
    bed.files.AddFile(recovery + "Tessaly31.rcv", kNow - 3 * kDay);
  }

  Time32 LastWrite(int set) {
    Time32 lastWrite = 0;
    return bed.files.FindFirst((recovery + "Tessaly" + std::to_string(set) + "1.cab").c_str(),
                               &lastWrite)
               ? lastWrite
               : -1;
  }

  FakeActionContext bed;
  std::string recovery;  // as "Main" spells it
};

TEST_P(SpelledTwoWaysTest, TheNewSetStaysAndTheNextBackupTakesAnother) {
  ASSERT_TRUE(RunSystemFileBackup(bed.context, 0));
  EXPECT_EQ(kNow, LastWrite(3));
  EXPECT_FALSE(bed.files.Has(recovery + "Tessaly31.rcv"));
  EXPECT_EQ((std::vector<std::string>{recovery + "Tessaly31.rcv"}), bed.FileCalls("remove "));
  EXPECT_EQ("", *bed.profile.Find("Vantor.ini", "Restore Files", "Cab1"));

  bed.clock.now = kNow + kDay;
  ASSERT_TRUE(RunSystemFileBackup(bed.context, 0));
  ASSERT_EQ(2u, bed.companions.saves.size());
  EXPECT_EQ("Tessaly3", bed.companions.saves[0].setName);
  EXPECT_EQ("Tessaly4", bed.companions.saves[1].setName);
  EXPECT_EQ(kNow, LastWrite(3));
  EXPECT_EQ(kNow + kDay, LastWrite(4));
  for (int n : {1, 2, 5}) EXPECT_EQ(kNow - (6 - n) * kDay, LastWrite(n)) << n;
}

const SpellingCase kSpellingCases[] = {
    {"MainByShortName", "C:\\PROGRA~1\\VANTOR", "C:\\Program Files\\Vantor\\Recovery",
     "C:\\PROGRA~1\\VANTOR", "C:\\Program Files\\Vantor"},
    {"SaveDirByShortName", "C:\\Program Files\\Vantor", "C:\\PROGRA~1\\VANTOR\\RECOVERY",
     "C:\\PROGRA~1\\VANTOR", "C:\\Program Files\\Vantor"},
    {"MainWithADotComponent", "C:\\VANTOR\\.", "C:\\VANTOR\\Recovery", "C:\\VANTOR\\.\\",
     "C:\\VANTOR\\"},
    {"MainRelativeToTheCurrentFolder", "VANTOR", "C:\\VANTOR\\Recovery", "VANTOR\\",
     "C:\\VANTOR\\"},
    {"SaveDirWithADoubledBackslash", "C:\\VANTOR", "C:\\VANTOR\\\\Recovery", "C:\\VANTOR\\\\",
     "C:\\VANTOR\\"},
    {"SaveDirWithForwardSlashes", "C:\\VANTOR", "C:/VANTOR/Recovery", "C:/VANTOR/Recovery",
     "C:\\VANTOR\\Recovery"},
    {"SaveDirOnASubstDrive", "C:\\VANTOR", "S:\\Recovery", "S:\\", "C:\\VANTOR\\"},
};

INSTANTIATE_TEST_SUITE_P(Spellings, SpelledTwoWaysTest, ::testing::ValuesIn(kSpellingCases),
                         [](const ::testing::TestParamInfo<SpellingCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace tessaly
