// Under Wine: the backup-set rotation on real files whose last-write times are
// set with SetFileTime, and the clean-up of the recycled set's recovery files
// and restore-list entry through the real private-profile functions; the
// companion is a fake that records what it is given and writes the set's
// first cabinet.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "actions/backup.h"
#include "backup_test_support.h"
#include "fakes/fake_companions.h"

namespace tessaly {
namespace {

using namespace backup_test;

// A save that reports success writes the set's first cabinet, stamped with
// the clock's time.
class WineBackup : public BackupFolders {
 protected:
  WineBackup() : BackupFolders(companions) {
    companions.writeSet = [this](const FakeCompanions::Save& save) {
      WriteFileAt(save.saveDir + "\\" + save.setName + "1.cab", clock.now);
    };
  }
  FakeCompanions companions;
};

struct WineRotationCase {
  const char* name;
  Time32 lastWrite[5];
  const char* expectedSet;
};

std::ostream& operator<<(std::ostream& out, const WineRotationCase& c) { return out << c.name; }

class WineRotation : public WineBackup, public ::testing::WithParamInterface<WineRotationCase> {};

TEST_P(WineRotation, ChoosesBySetFilesAndTheirTimes) {
  const WineRotationCase& c = GetParam();
  PlaceSets(c.lastWrite);
  EXPECT_TRUE(RunSystemFileBackup(context, 0));
  ASSERT_EQ(1u, companions.saves.size());
  EXPECT_EQ(c.expectedSet, companions.saves[0].setName);
  EXPECT_EQ(saveDir, companions.saves[0].saveDir);
}

const WineRotationCase kWineRotationCases[] = {
    {"EmptyFolder", {kMissing, kMissing, kMissing, kMissing, kMissing}, "Tessaly1"},
    {"FirstGapWins", {kNow, kNow - kDay, kMissing, kNow - 40 * kDay, kNow}, "Tessaly3"},
    {"ThirdNewestWhenCloseTogether",
     {kNow - 3 * kDay, kNow - 40 * kDay, kNow, kNow - 2 * kDay, kNow - kDay}, "Tessaly4"},
    {"OldestWhenAWeekApart",
     {kNow - kDay, kNow - 2 * kDay - kWeek, kNow, kNow - 2 * kDay, kNow - 30 * kDay},
     "Tessaly5"},
    {"AllTheSameTime", {kNow, kNow, kNow, kNow, kNow}, "Tessaly3"},
};

INSTANTIATE_TEST_SUITE_P(RealFiles, WineRotation, ::testing::ValuesIn(kWineRotationCases),
                         [](const ::testing::TestParamInfo<WineRotationCase>& info) {
                           return std::string(info.param.name);
                         });

// The recycled set's recovery files go, its restore-list entry is emptied
// (the key stays), and the other sets' files and entries are kept.
TEST_F(WineBackup, ClearsTheRecycledSetsRecoveryData) {
  const Time32 times[5] = {kNow - 3 * kDay, kNow - 40 * kDay, kNow, kNow - 2 * kDay, kNow - kDay};
  PlaceSets(times);  // Tessaly4 is recycled
  WriteFileAt(recovery + "\\Tessaly41.rcv", kNow - kDay);
  WriteFileAt(recovery + "\\Tessaly41.cab", kNow - kDay);
  WriteFileAt(recovery + "\\Tessaly31.rcv", kNow - kDay);
  WriteFileAt(recovery + "\\Tessaly31.cab", kNow - kDay);
  std::string upper = recovery + "\\TESSALY41.CAB";
  CharUpperA(&upper[0]);
  const std::string other = recovery + "\\Tessaly31.cab";
  WritePrivateProfileStringA("Restore Files", "Cab1", other.c_str(), "Vantor.ini");
  WritePrivateProfileStringA("Restore Files", "Cab2", upper.c_str(), "Vantor.ini");
  WritePrivateProfileStringA("Restore Files", "Cab3", upper.c_str(), "Vantor.ini");

  EXPECT_TRUE(RunSystemFileBackup(context, 0));
  ASSERT_EQ(1u, companions.saves.size());
  EXPECT_EQ("Tessaly4", companions.saves[0].setName);

  EXPECT_FALSE(PathExists(recovery + "\\Tessaly41.rcv"));
  EXPECT_FALSE(PathExists(recovery + "\\Tessaly41.cab"));
  EXPECT_TRUE(PathExists(recovery + "\\Tessaly31.rcv"));
  EXPECT_TRUE(PathExists(recovery + "\\Tessaly31.cab"));
  EXPECT_EQ(other, ReadIni("Restore Files", "Cab1"));
  EXPECT_EQ("", ReadIni("Restore Files", "Cab2"));
  EXPECT_EQ(upper, ReadIni("Restore Files", "Cab3"));
  EXPECT_EQ((std::vector<std::string>{"Cab1", "Cab2", "Cab3"}), IniKeys("Restore Files"));
  EXPECT_EQ(mainFolder, ReadIni("Directories", "Main"));
  // The set files in saveDir are the companion's to write: none was removed.
  for (int n = 1; n <= 5; ++n) EXPECT_TRUE(PathExists(FirstCabinet(n))) << n;
}

TEST_F(WineBackup, ReadOnlyRecoveryFileIsKept) {
  WriteFileAt(recovery + "\\Tessaly11.rcv", kNow);
  ASSERT_TRUE(SetFileAttributesA((recovery + "\\Tessaly11.rcv").c_str(), FILE_ATTRIBUTE_READONLY));
  WriteFileAt(recovery + "\\Tessaly11.cab", kNow - kDay);
  EXPECT_TRUE(RunSystemFileBackup(context, 0));
  EXPECT_TRUE(PathExists(recovery + "\\Tessaly11.rcv"));
  EXPECT_FALSE(PathExists(recovery + "\\Tessaly11.cab"));
  SetFileAttributesA((recovery + "\\Tessaly11.rcv").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A first cabinet name taken by a folder counts as a present set; nothing
// tries to delete the folder, in saveDir or in the recovery folder.
TEST_F(WineBackup, FirstCabinetThatIsAFolder) {
  MakeFolder(FirstCabinet(1));
  MakeFolder(recovery + "\\Tessaly21.cab");
  EXPECT_TRUE(RunSystemFileBackup(context, 0));
  ASSERT_EQ(1u, companions.saves.size());
  EXPECT_EQ("Tessaly2", companions.saves[0].setName);
  EXPECT_TRUE(PathExists(FirstCabinet(1)));
  EXPECT_TRUE(PathExists(recovery + "\\Tessaly21.cab"));
}

TEST_F(WineBackup, IniWithoutMainAndAThousandCabKeys) {
  WritePrivateProfileStringA("Directories", "Main", nullptr, "Vantor.ini");
  ASSERT_EQ("<missing>", ReadIni("Directories", "Main"));
  // Written as one section, as the main program's file would hold it.
  std::string section;
  for (int k = 1; k <= 1000; ++k) {
    const std::string value =
        k == 1000 ? "\\recovery\\TESSALY11.cab" : "C:\\Old Sets\\Set" + std::to_string(k) + ".cab";
    section += "Cab" + std::to_string(k) + "=" + value + '\0';
  }
  section += '\0';
  ASSERT_TRUE(WritePrivateProfileSectionA("Restore Files", section.c_str(), "Vantor.ini"));
  ASSERT_EQ("C:\\Old Sets\\Set999.cab", ReadIni("Restore Files", "Cab999"));

  EXPECT_TRUE(RunSystemFileBackup(context, 0));
  EXPECT_EQ("", ReadIni("Restore Files", "Cab1000"));
  EXPECT_EQ("C:\\Old Sets\\Set1.cab", ReadIni("Restore Files", "Cab1"));
  EXPECT_EQ("C:\\Old Sets\\Set999.cab", ReadIni("Restore Files", "Cab999"));
}

// The folder went away after start-up: no backup, and the recovery data
// that the backup would have replaced is kept.
TEST_F(WineBackup, VanishedSaveDir) {
  RemoveDirectoryA(saveDir.c_str());
  ASSERT_FALSE(PathExists(saveDir));
  WriteFileAt(recovery + "\\Tessaly11.rcv", kNow);
  EXPECT_FALSE(RunSystemFileBackup(context, 0));
  EXPECT_TRUE(companions.saves.empty());
  EXPECT_TRUE(PathExists(recovery + "\\Tessaly11.rcv"));
  EXPECT_FALSE(PathExists(saveDir));
}

// Repeated backups by a companion that writes the set's first cabinet: the
// sets fill in order, then the rotation keeps the two oldest while the
// newer ones lie close together.
TEST_F(WineBackup, RepeatedBackupsRotate) {
  Time32 stamp = kNow;
  companions.onSave = [&] {
    const FakeCompanions::Save& save = companions.saves.back();
    WriteFileAt(save.saveDir + "\\" + save.setName + "1.cab", stamp);
  };
  std::vector<std::string> chosen;
  for (int run = 0; run < 8; ++run) {
    stamp = kNow + run * kDay;
    clock.now = stamp;
    ASSERT_TRUE(RunSystemFileBackup(context, 0));
    chosen.push_back(companions.saves.back().setName);
  }
  // Day 5: d4 d3 [d2] d1 d0 -> Tessaly3; day 6: Tessaly3=d5 -> d5 d4 [d3] d1 d0
  // -> Tessaly4; day 7: Tessaly4=d6 -> d6 d5 [d4]... entry 2 is Tessaly5 (d4),
  // entry 3 Tessaly2 (d1), three days apart -> Tessaly5.
  EXPECT_EQ((std::vector<std::string>{"Tessaly1", "Tessaly2", "Tessaly3", "Tessaly4", "Tessaly5",
                                      "Tessaly3", "Tessaly4", "Tessaly5"}),
            chosen);
}

}  // namespace
}  // namespace tessaly
