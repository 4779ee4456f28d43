// Clearing a recycled set's old recovery data: the two recovery files in the
// main program's recovery folder and its entry in the restore list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/backup.h"
#include "fakes/fake_action_context.h"

namespace tessaly {
namespace {

const char kIni[] = "Vantor.ini";
// A save that began after every file these tests make (they are stamped 0).
constexpr Time32 kSaveBegan = 1100000000;

class BackupRecoveryTest : public ::testing::Test {
 protected:
  void SetMain(const std::string& folder) { bed.profile.Set(kIni, "Directories", "Main", folder); }
  void SetCab(int k, const std::string& value) {
    bed.profile.Set(kIni, "Restore Files", ("Cab" + std::to_string(k)).c_str(), value);
  }
  std::string Cab(int k) const {
    const std::string* value =
        bed.profile.Find(kIni, "Restore Files", ("Cab" + std::to_string(k)).c_str());
    return value ? *value : "<missing>";
  }

  FakeActionContext bed;
};

TEST_F(BackupRecoveryTest, RemovesBothRecoveryFilesOfTheSet) {
  SetMain("C:\\VANTOR");
  bed.files.AddFile("C:\\VANTOR\\Recovery\\Tessaly31.rcv");
  bed.files.AddFile("C:\\VANTOR\\Recovery\\Tessaly31.cab");
  bed.files.AddFile("C:\\VANTOR\\Recovery\\Tessaly21.cab");
  ClearOldRecoveryFiles(bed.context, "Tessaly3", kSaveBegan);
  EXPECT_EQ((std::vector<std::string>{"C:\\VANTOR\\Recovery\\Tessaly31.rcv",
                                      "C:\\VANTOR\\Recovery\\Tessaly31.cab"}),
            bed.FileCalls("remove "));
  EXPECT_FALSE(bed.files.Has("C:\\VANTOR\\Recovery\\Tessaly31.rcv"));
  EXPECT_FALSE(bed.files.Has("C:\\VANTOR\\Recovery\\Tessaly31.cab"));
  EXPECT_TRUE(bed.files.Has("C:\\VANTOR\\Recovery\\Tessaly21.cab"));
}

TEST_F(BackupRecoveryTest, LeavesReadOnlyAndMissingFilesAlone) {
  SetMain("C:\\VANTOR\\");
  bed.files.AddFile("C:\\VANTOR\\Recovery\\Tessaly11.rcv", 0, /*writable=*/false);
  ClearOldRecoveryFiles(bed.context, "Tessaly1", kSaveBegan);
  EXPECT_EQ((std::vector<std::string>{"C:\\VANTOR\\Recovery\\Tessaly11.rcv",
                                      "C:\\VANTOR\\Recovery\\Tessaly11.cab"}),
            bed.FileCalls("access2 "));
  EXPECT_TRUE(bed.FileCalls("remove ").empty());
  EXPECT_TRUE(bed.files.Has("C:\\VANTOR\\Recovery\\Tessaly11.rcv"));
}

TEST_F(BackupRecoveryTest, RecoveryCabinetThatIsAFolderIsNotRemoved) {
  SetMain("C:\\VANTOR");
  bed.files.AddDirectory("C:\\VANTOR\\Recovery\\Tessaly21.cab");
  SetCab(1, "C:\\VANTOR\\Recovery\\Tessaly21.cab");
  ClearOldRecoveryFiles(bed.context, "Tessaly2", kSaveBegan);
  EXPECT_TRUE(bed.files.IsDirectory("C:\\VANTOR\\Recovery\\Tessaly21.cab"));
  EXPECT_EQ("", Cab(1));
}

struct RestoreListCase {
  const char* name;
  std::vector<std::string> cabs;    // Cab1, Cab2, ...; "<missing>" = no key
  std::vector<std::string> after;   // expected values afterwards
  size_t writes;
};

std::ostream& operator<<(std::ostream& out, const RestoreListCase& c) { return out << c.name; }

class RestoreListTest : public BackupRecoveryTest,
                        public ::testing::WithParamInterface<RestoreListCase> {};

TEST_P(RestoreListTest, EmptiesOnlyTheEntryOfTheSetsCabinet) {
  const RestoreListCase& c = GetParam();
  SetMain("C:\\VANTOR");
  for (size_t k = 0; k < c.cabs.size(); ++k)
    if (c.cabs[k] != "<missing>") SetCab(static_cast<int>(k + 1), c.cabs[k]);
  ClearOldRecoveryFiles(bed.context, "Tessaly2", kSaveBegan);
  for (size_t k = 0; k < c.after.size(); ++k)
    EXPECT_EQ(c.after[k], Cab(static_cast<int>(k + 1))) << "Cab" << k + 1;
  EXPECT_EQ(c.writes, bed.profile.writes.size());
  for (const std::string& write : bed.profile.writes)
    EXPECT_EQ(0u, write.rfind("Vantor.ini|Restore Files|Cab", 0)) << write;
}

const RestoreListCase kRestoreListCases[] = {
    {"SecondInOtherLetterCase",
     {"C:\\VANTOR\\Recovery\\Tessaly11.cab", "c:\\vantor\\recovery\\TESSALY21.CAB"},
     {"C:\\VANTOR\\Recovery\\Tessaly11.cab", ""},
     1},
    {"FirstEmptyEndsTheWalk",
     {"", "C:\\VANTOR\\Recovery\\Tessaly21.cab"},
     {"", "C:\\VANTOR\\Recovery\\Tessaly21.cab"},
     0},
    {"FirstMissingEndsTheWalk",
     {"<missing>", "C:\\VANTOR\\Recovery\\Tessaly21.cab"},
     {"<missing>", "C:\\VANTOR\\Recovery\\Tessaly21.cab"},
     0},
    {"OnlyTheFirstMatchIsEmptied",
     {"C:\\VANTOR\\Recovery\\Tessaly21.cab", "C:\\VANTOR\\Recovery\\Tessaly21.cab"},
     {"", "C:\\VANTOR\\Recovery\\Tessaly21.cab"},
     1},
    {"NoMatch",
     {"C:\\VANTOR\\Recovery\\Tessaly11.cab", "C:\\VANTOR\\Tessaly21.cab"},
     {"C:\\VANTOR\\Recovery\\Tessaly11.cab", "C:\\VANTOR\\Tessaly21.cab"},
     0},
    // A longer name that merely starts with the cabinet path is another file.
    {"PrefixIsNoMatch",
     {"C:\\VANTOR\\Recovery\\Tessaly21.cab.old"},
     {"C:\\VANTOR\\Recovery\\Tessaly21.cab.old"},
     0},
    {"EmptyListWritesNothing", {}, {"<missing>"}, 0},
};

INSTANTIATE_TEST_SUITE_P(RestoreList, RestoreListTest, ::testing::ValuesIn(kRestoreListCases),
                         [](const ::testing::TestParamInfo<RestoreListCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(BackupRecoveryTest, AnEntryEmptiedEarlierEndsLaterWalks) {
  SetMain("C:\\VANTOR");
  SetCab(1, "C:\\VANTOR\\Recovery\\Tessaly11.cab");
  SetCab(2, "C:\\VANTOR\\Recovery\\Tessaly21.cab");
  ClearOldRecoveryFiles(bed.context, "Tessaly1", kSaveBegan);
  ClearOldRecoveryFiles(bed.context, "Tessaly2", kSaveBegan);
  EXPECT_EQ("", Cab(1));
  EXPECT_EQ("C:\\VANTOR\\Recovery\\Tessaly21.cab", Cab(2));
  EXPECT_EQ(1u, bed.profile.writes.size());
}

// Without "Main" the recovery folder is Recovery at the root of the current
// drive; nothing outside it is touched.
TEST_F(BackupRecoveryTest, IniWithoutMainUsesRecoveryAtTheRoot) {
  bed.files.AddFile("\\Recovery\\Tessaly41.rcv");
  bed.files.AddFile("C:\\VANTOR\\Recovery\\Tessaly41.rcv");
  SetCab(1, "\\Recovery\\Tessaly41.cab");
  ClearOldRecoveryFiles(bed.context, "Tessaly4", kSaveBegan);
  EXPECT_EQ((std::vector<std::string>{"\\Recovery\\Tessaly41.rcv"}), bed.FileCalls("remove "));
  EXPECT_TRUE(bed.files.Has("C:\\VANTOR\\Recovery\\Tessaly41.rcv"));
  EXPECT_EQ("", Cab(1));
}

class ThousandCabKeysTest : public BackupRecoveryTest,
                            public ::testing::WithParamInterface<int> {};

// 1,000 "Cab" keys and no "Main": the walk reaches every key, empties only
// the matching one (if any) and ends.
TEST_P(ThousandCabKeysTest, WalksAllKeysAndEmptiesOnlyTheMatch) {
  const int match = GetParam();  // 0: none matches
  for (int k = 1; k <= 1000; ++k)
    SetCab(k, k == match ? "\\RECOVERY\\tessaly51.cab" : "C:\\OLD\\Set" + std::to_string(k) + ".cab");
  ClearOldRecoveryFiles(bed.context, "Tessaly5", kSaveBegan);
  for (int k = 1; k <= 1000; ++k) {
    if (k == match)
      EXPECT_EQ("", Cab(k));
    else
      EXPECT_EQ("C:\\OLD\\Set" + std::to_string(k) + ".cab", Cab(k));
  }
  EXPECT_EQ(match ? 1u : 0u, bed.profile.writes.size());
  EXPECT_EQ("<missing>", Cab(1001));
}

INSTANTIATE_TEST_SUITE_P(ThousandKeys, ThousandCabKeysTest, ::testing::Values(0, 1, 500, 1000));

// Recovery paths that would not fit in 259 characters are never cut and
// used: nothing is removed and the list is not written.
class LongMainFolderTest : public BackupRecoveryTest,
                           public ::testing::WithParamInterface<size_t> {};

TEST_P(LongMainFolderTest, TouchesNothingUnlessTheWholePathFits) {
  const size_t length = GetParam();
  const std::string main = "C:\\" + std::string(length - 3, 'm');
  const std::string cabinet = main + "\\Recovery\\Tessaly51.cab";
  const bool fits = cabinet.size() <= 259;
  SetMain(main);
  bed.files.AddFile(main + "\\Recovery\\Tessaly51.rcv");
  bed.files.AddFile(cabinet);
  SetCab(1, fits ? cabinet : cabinet.substr(0, 259));
  ClearOldRecoveryFiles(bed.context, "Tessaly5", kSaveBegan);
  EXPECT_EQ(fits ? 2u : 0u, bed.FileCalls("remove ").size());
  EXPECT_EQ(fits ? 1u : 0u, bed.profile.writes.size());
  for (const std::string& path : bed.FileCalls("remove ")) EXPECT_LE(path.size(), 259u);
}

INSTANTIATE_TEST_SUITE_P(Lengths, LongMainFolderTest,
                         ::testing::Values(20, 236, 237, 250, 258, 259));

// A list value longer than any path cannot name the cabinet, even when it
// starts with the whole cabinet path.
TEST_F(BackupRecoveryTest, OverlongListValueIsNoMatch) {
  const std::string main = "C:\\" + std::string(233, 'm');
  const std::string cabinet = main + "\\Recovery\\Tessaly51.cab";
  ASSERT_EQ(259u, cabinet.size());
  SetMain(main);
  SetCab(1, cabinet + "X");
  SetCab(2, cabinet);
  ClearOldRecoveryFiles(bed.context, "Tessaly5", kSaveBegan);
  EXPECT_EQ(cabinet + "X", Cab(1));
  EXPECT_EQ("", Cab(2));
}

}  // namespace
}  // namespace tessaly
