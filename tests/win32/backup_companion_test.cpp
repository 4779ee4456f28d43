// Under Wine: whole backups through the real VarnTools.dll binding. The
// rotation picks the set, the companion writes its cabinet, and the result
// of BackupSystemFiles tells whether a backup really happened.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "actions/backup.h"
#include "actions/win32/companion_bindings.h"
#include "backup_test_support.h"

namespace tessaly {
namespace {

using namespace backup_test;

class WineCompanionBackup : public BackupFolders {
 protected:
  WineCompanionBackup() : BackupFolders(companions) {}
  Win32Companions companions;
};

bool IsCabinet(const std::string& path) {
  return companion_test::ReadWholeFile(path).compare(0, 4, "MSCF") == 0;
}

TEST_F(WineCompanionBackup, FillsTheSetsInOrderWithRealCabinets) {
  EXPECT_TRUE(RunSystemFileBackup(context, 0));
  EXPECT_TRUE(IsCabinet(FirstCabinet(1)));
  EXPECT_FALSE(PathExists(FirstCabinet(2)));
  EXPECT_TRUE(RunSystemFileBackup(context, 0));
  EXPECT_TRUE(IsCabinet(FirstCabinet(2)));
  EXPECT_EQ(0, app.backupBusy);
}

// Sets 1 to 4 a day apart and set 5 forty days old: the third newest is
// rewritten, its old recovery data cleared, and the others stay as they were.
TEST_F(WineCompanionBackup, RewritesTheChosenSetOnly) {
  const Time32 times[5] = {kNow - 3 * kDay, kNow - kDay, kNow - 2 * kDay, kNow, kNow - 40 * kDay};
  PlaceSets(times);  // newest first: 4, 2, [3], 1, 5
  WriteFileAt(recovery + "\\Tessaly31.rcv", kNow - kDay);
  const std::string recoveryCabinet = recovery + "\\Tessaly31.cab";
  WriteFileAt(recoveryCabinet, kNow - kDay);
  WritePrivateProfileStringA("Restore Files", "Cab1", recoveryCabinet.c_str(), "Vantor.ini");

  EXPECT_TRUE(RunSystemFileBackup(context, 0));

  Time32 written = 0;
  ASSERT_TRUE(files.FindFirst(FirstCabinet(3).c_str(), &written));
  EXPECT_GT(written, kNow);  // written just now, not in 2004
  EXPECT_TRUE(IsCabinet(FirstCabinet(3)));
  for (int n : {1, 2, 4, 5}) {
    Time32 kept = 0;
    ASSERT_TRUE(files.FindFirst(FirstCabinet(n).c_str(), &kept));
    EXPECT_EQ(times[n - 1], kept) << n;
  }
  EXPECT_FALSE(PathExists(recovery + "\\Tessaly31.rcv"));
  EXPECT_FALSE(PathExists(recoveryCabinet));
  EXPECT_EQ("", ReadIni("Restore Files", "Cab1"));
}

// The chosen set's first cabinet name is taken by a folder: the companion
// cannot put its cabinet there, and the backup is reported as not done.
TEST_F(WineCompanionBackup, CompanionFailureIsNotReportedAsABackup) {
  const Time32 times[5] = {kNow, kNow, kMissing, kNow, kNow};
  PlaceSets(times);
  MakeFolderAt(FirstCabinet(3), kNow);  // all equal: set 3 is chosen
  EXPECT_FALSE(RunSystemFileBackup(context, 0));
  EXPECT_TRUE(PathExists(FirstCabinet(3)));
  EXPECT_TRUE(GetFileAttributesA(FirstCabinet(3).c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(0, app.backupBusy);
}

TEST_F(WineCompanionBackup, VanishedSaveDirIsNoBackup) {
  RemoveDirectoryA(saveDir.c_str());
  EXPECT_FALSE(RunSystemFileBackup(context, 0));
  EXPECT_FALSE(PathExists(saveDir));
}

}  // namespace
}  // namespace tessaly
