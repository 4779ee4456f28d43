// Which backup set is overwritten: the first missing set, or by the ages of
// the five first cabinets when all are present.
#include <gtest/gtest.h>

#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "actions/backup.h"
#include "fakes/fake_action_context.h"
#include "presentation/date_time_formatter.h"

namespace tessaly {
namespace {

constexpr Time32 kNow = 1100000000;  // November 2004
constexpr Time32 kDay = 86400;
constexpr Time32 kWeek = 604800;
constexpr Time32 kMissing = -0x7fffffff - 1;  // marks a set without a first cabinet

struct RotationCase {
  const char* name;
  Time32 lastWrite[5];  // of Tessaly1..Tessaly5's first cabinet, kMissing = absent
  const char* expectedSet;
  int expectedProbes;   // first cabinets looked up before the choice
};

std::ostream& operator<<(std::ostream& out, const RotationCase& c) { return out << c.name; }

class BackupRotationTest : public ::testing::TestWithParam<RotationCase> {
 protected:
  void SetUp() override {
    bed.clock.now = kNow;
    bed.SetSaveDir("C:\\BACKUP");
    bed.files.AddDirectory("C:\\BACKUP");
  }
  FakeActionContext bed;
};

TEST_P(BackupRotationTest, ChoosesTheExpectedSet) {
  const RotationCase& c = GetParam();
  for (int n = 0; n < 5; ++n) {
    if (c.lastWrite[n] != kMissing)
      bed.files.AddFile("C:\\BACKUP\\Tessaly" + std::to_string(n + 1) + "1.cab", c.lastWrite[n]);
  }

  char description[kBackupDescriptionSize];
  char setName[16];
  ASSERT_TRUE(ChooseBackupSet(bed.context, description, sizeof description, setName,
                              sizeof setName));
  EXPECT_STREQ(c.expectedSet, setName);

  const std::vector<std::string> probes = bed.FileCalls("findfirst ");
  ASSERT_EQ(static_cast<size_t>(c.expectedProbes), probes.size());
  for (int n = 0; n < c.expectedProbes; ++n)
    EXPECT_EQ("C:\\BACKUP\\Tessaly" + std::to_string(n + 1) + "1.cab", probes[n]);
}

const RotationCase kRotationCases[] = {
    {"EmptyFolder", {kMissing, kMissing, kMissing, kMissing, kMissing}, "Tessaly1", 1},
    // The first gap wins without looking at any time.
    {"ThirdMissing", {kNow, kNow - 40 * kDay, kMissing, kNow - kDay, kMissing}, "Tessaly3", 3},
    {"FirstMissing", {kMissing, kNow, kNow, kNow, kNow}, "Tessaly1", 1},
    {"OnlyFifthMissing", {kNow - 90 * kDay, kNow, kNow - kDay, kNow - 2 * kDay, kMissing},
     "Tessaly5", 5},
    // Newest first: now, -1d, -2d, -3d, -40d; entries 2 and 3 a day apart.
    {"ThirdNewestWhenCloseTogether",
     {kNow - 3 * kDay, kNow - 40 * kDay, kNow, kNow - 2 * kDay, kNow - kDay}, "Tessaly4", 5},
    {"AlreadySortedCloseTogether",
     {kNow, kNow - kDay, kNow - 2 * kDay, kNow - 3 * kDay, kNow - 40 * kDay}, "Tessaly3", 5},
    // Exactly a week between the third and fourth newest: the oldest goes.
    {"ExactlyOneWeekApart",
     {kNow - kDay, kNow - 2 * kDay - kWeek, kNow, kNow - 2 * kDay, kNow - 30 * kDay},
     "Tessaly5", 5},
    {"OneSecondUnderAWeek",
     {kNow - kDay, kNow - 2 * kDay - kWeek + 1, kNow, kNow - 2 * kDay, kNow - 30 * kDay},
     "Tessaly4", 5},
    {"OldestNotLastInSetOrder",
     {kNow - 100 * kDay, kNow, kNow - kDay, kNow - 2 * kDay, kNow - 20 * kDay}, "Tessaly1", 5},
    // Equal times keep their order: entry 2 is set 3.
    {"AllTheSameTime", {kNow, kNow, kNow, kNow, kNow}, "Tessaly3", 5},
    // Sorted: set2, set3, set4 (all equal, in set order), set1, set5.
    {"TiesKeepSetOrder", {kNow - kDay, kNow, kNow, kNow, kNow - 2 * kDay}, "Tessaly4", 5},
    {"TiesThenAGap", {kNow - 9 * kDay, kNow, kNow, kNow, kNow - 10 * kDay}, "Tessaly5", 5},
    // The difference is a signed 32-bit number: 2000000000 - (-2000000000)
    // wraps to a negative value, which is less than a week.
    {"DifferenceWrapsAsSigned32",
     {2000000001, 2000000002, 2000000000, -2000000000, -2000000001}, "Tessaly3", 5},
    {"TimesBefore1970", {-10 * kDay, -1, -2 * kDay, -20 * kDay, -30 * kDay}, "Tessaly5", 5},
    {"TimesBefore1970CloseTogether", {-10 * kDay, -1, -2 * kDay, -12 * kDay, -30 * kDay},
     "Tessaly1", 5},
};

INSTANTIATE_TEST_SUITE_P(Rotation, BackupRotationTest, ::testing::ValuesIn(kRotationCases),
                         [](const ::testing::TestParamInfo<RotationCase>& info) {
                           return std::string(info.param.name);
                         });

class BackupSetProbeTest : public ::testing::Test {
 protected:
  FakeActionContext bed;
};

TEST_F(BackupSetProbeTest, RootFolderGetsNoSecondBackslash) {
  bed.SetSaveDir("D:\\");
  bed.files.AddFile("D:\\Tessaly11.cab", 5);
  char description[kBackupDescriptionSize];
  char setName[16];
  ASSERT_TRUE(ChooseBackupSet(bed.context, description, sizeof description, setName,
                              sizeof setName));
  EXPECT_STREQ("Tessaly2", setName);
  const std::vector<std::string>& calls = bed.files.calls;
  EXPECT_NE(calls.end(), std::find(calls.begin(), calls.end(), "findfirst D:\\Tessaly21.cab"));
}

TEST_F(BackupSetProbeTest, DescriptionCarriesTheFormattedCurrentTime) {
  bed.clock.now = bed.clock.At(2004, 11, 9, 14, 5);
  bed.SetSaveDir("C:\\BACKUP");
  char description[kBackupDescriptionSize];
  char setName[16];
  ASSERT_TRUE(ChooseBackupSet(bed.context, description, sizeof description, setName,
                              sizeof setName));
  Time32 now = bed.clock.now;
  DateTimeFormatter formatter(bed.clock);
  const std::string expected = std::string("Tessaly Backup on ") + formatter.FormatSeconds(&now);
  EXPECT_EQ(expected, description);
  EXPECT_GT(expected.size(), strlen("Tessaly Backup on "));
}

// A set counts as present when its first cabinet is found, even when that
// name is taken by a folder; its time still takes part in the rotation.
TEST_F(BackupSetProbeTest, FirstCabinetThatIsAFolderCountsAsPresent) {
  bed.SetSaveDir("C:\\BACKUP");
  bed.files.AddDirectory("C:\\BACKUP\\Tessaly11.cab");
  char description[kBackupDescriptionSize];
  char setName[16];
  ASSERT_TRUE(ChooseBackupSet(bed.context, description, sizeof description, setName,
                              sizeof setName));
  EXPECT_STREQ("Tessaly2", setName);
}

}  // namespace
}  // namespace tessaly
