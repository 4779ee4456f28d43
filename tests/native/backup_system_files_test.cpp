// A whole backup run: the question, the single-run guard, the hand-over to
// SaveSystemFiles and its result, and bad folders.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "actions/backup.h"
#include "fakes/fake_action_context.h"

namespace tessaly {
namespace {

constexpr WindowHandle kMainWindow = 0x1234;

class BackupSystemFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bed.app.mainWindow = kMainWindow;
    bed.clock.now = 1100000000;
    bed.SetSaveDir("C:\\BACKUP");
    bed.files.AddDirectory("C:\\BACKUP");
    bed.profile.Set("Vantor.ini", "Directories", "Main", "C:\\VANTOR");
  }

  FakeActionContext bed;
};

TEST_F(BackupSystemFilesTest, AsksThenHandsTheChosenSetToSaveSystemFiles) {
  bed.windows.messageBoxAnswer = kIdYes;
  bed.files.AddFile("C:\\BACKUP\\Tessaly11.cab", 5);
  EXPECT_TRUE(RunSystemFileBackup(bed.context, 1));

  ASSERT_EQ(1u, bed.windows.boxes.size());
  const FakeWindowSystem::Box& box = bed.windows.boxes[0];
  EXPECT_EQ("This will save critical system files to C:\\BACKUP. Do you want to proceed?",
            box.text);
  EXPECT_EQ("Vantor Tessaly", box.caption);
  EXPECT_EQ(0x24u, box.style);
  EXPECT_EQ(kMainWindow, box.owner);

  ASSERT_EQ(1u, bed.companions.saves.size());
  const FakeCompanions::Save& save = bed.companions.saves[0];
  EXPECT_EQ(0u, save.description.rfind("Tessaly Backup on ", 0));
  EXPECT_EQ("C:\\BACKUP", save.saveDir);
  EXPECT_EQ("Tessaly2", save.setName);
  EXPECT_EQ(0, bed.app.backupBusy);
}

TEST_F(BackupSystemFilesTest, QuestionBoxWithoutMainWindowHasNoOwner) {
  bed.app.mainWindow = 0;
  bed.windows.messageBoxAnswer = kIdYes;
  EXPECT_TRUE(RunSystemFileBackup(bed.context, 1));
  ASSERT_EQ(1u, bed.windows.boxes.size());
  EXPECT_EQ(0u, bed.windows.boxes[0].owner);
}

TEST_F(BackupSystemFilesTest, NoTouchesNothing) {
  bed.windows.messageBoxAnswer = kIdNo;
  bed.files.AddFile("C:\\VANTOR\\Recovery\\Tessaly11.rcv");
  bed.profile.Set("Vantor.ini", "Restore Files", "Cab1", "C:\\VANTOR\\Recovery\\Tessaly11.cab");
  EXPECT_FALSE(RunSystemFileBackup(bed.context, 1));
  EXPECT_EQ(0, bed.app.backupBusy);
  EXPECT_TRUE(bed.files.calls.empty());
  EXPECT_TRUE(bed.profile.writes.empty());
  EXPECT_TRUE(bed.companions.saves.empty());
  EXPECT_EQ(0, bed.app.settings.lastTime);
}

struct OutcomeCase {
  const char* name;
  int32_t confirm;
  int answer;
  int32_t saveResult;
  bool expected;
  size_t boxes;
  size_t saves;
};

std::ostream& operator<<(std::ostream& out, const OutcomeCase& c) { return out << c.name; }

class BackupOutcomeTest : public BackupSystemFilesTest,
                          public ::testing::WithParamInterface<OutcomeCase> {};

TEST_P(BackupOutcomeTest, ReturnsTrueOnlyForABackupThatHappened) {
  const OutcomeCase& c = GetParam();
  bed.windows.messageBoxAnswer = c.answer;
  bed.companions.saveResult = c.saveResult;
  EXPECT_EQ(c.expected, RunSystemFileBackup(bed.context, c.confirm));
  EXPECT_EQ(c.boxes, bed.windows.boxes.size());
  EXPECT_EQ(c.saves, bed.companions.saves.size());
  EXPECT_EQ(0, bed.app.backupBusy);
}

const OutcomeCase kOutcomeCases[] = {
    {"UnattendedSucceeds", 0, kIdNo, 1, true, 0, 1},
    {"UnattendedCompanionFails", 0, kIdNo, 0, false, 0, 1},
    {"ConfirmedSucceeds", 1, kIdYes, 1, true, 1, 1},
    {"ConfirmedCompanionFails", 1, kIdYes, 0, false, 1, 1},
    {"AnyNonZeroConfirmAsks", 0x100, kIdNo, 1, false, 1, 0},
    {"AnyNonZeroResultIsSuccess", 0, kIdNo, -1, true, 0, 1},
    {"Declined", 1, kIdNo, 1, false, 1, 0},
};

INSTANTIATE_TEST_SUITE_P(Outcomes, BackupOutcomeTest, ::testing::ValuesIn(kOutcomeCases),
                         [](const ::testing::TestParamInfo<OutcomeCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(BackupSystemFilesTest, RunningBackupRefusesASecondOneAtOnce) {
  bed.app.backupBusy = 1;
  EXPECT_FALSE(RunSystemFileBackup(bed.context, 1));
  EXPECT_TRUE(bed.windows.boxes.empty());
  EXPECT_TRUE(bed.companions.saves.empty());
  EXPECT_TRUE(bed.files.calls.empty());
  EXPECT_EQ(1, bed.app.backupBusy);  // still owned by the running backup
}

TEST_F(BackupSystemFilesTest, ReentryWhileTheQuestionIsOpenIsRefused) {
  bed.windows.messageBoxAnswer = kIdYes;
  int nested = -1;
  bed.windows.onMessageBox = [&](const FakeWindowSystem::Box&) {
    bed.windows.onMessageBox = nullptr;
    nested = RunSystemFileBackup(bed.context, 0) ? 1 : 0;
  };
  EXPECT_TRUE(RunSystemFileBackup(bed.context, 1));
  EXPECT_EQ(0, nested);
  EXPECT_EQ(1u, bed.companions.saves.size());
  EXPECT_EQ(0, bed.app.backupBusy);
}

TEST_F(BackupSystemFilesTest, ReentryWhileSavingIsRefused) {
  int nested = -1;
  bed.companions.onSave = [&] {
    bed.companions.onSave = nullptr;
    nested = RunSystemFileBackup(bed.context, 1) ? 1 : 0;
  };
  EXPECT_TRUE(RunSystemFileBackup(bed.context, 0));
  EXPECT_EQ(0, nested);
  EXPECT_TRUE(bed.windows.boxes.empty());
  EXPECT_EQ(1u, bed.companions.saves.size());
  EXPECT_EQ(0, bed.app.backupBusy);
  // The next run goes ahead again.
  EXPECT_TRUE(RunSystemFileBackup(bed.context, 0));
}

TEST_F(BackupSystemFilesTest, GuardIsClearedWhenTheCompanionThrows) {
  bed.companions.onSave = [] { throw std::runtime_error("companion failed"); };
  EXPECT_THROW(RunSystemFileBackup(bed.context, 0), std::runtime_error);
  EXPECT_EQ(0, bed.app.backupBusy);
}

// The folder was removed after start-up: the backup cannot happen, and the
// old recovery data is kept.
TEST_F(BackupSystemFilesTest, VanishedSaveDirIsRefusedWithoutTouchingAnything) {
  bed.files.entries.clear();
  bed.files.AddFile("C:\\VANTOR\\Recovery\\Tessaly11.rcv");
  bed.profile.Set("Vantor.ini", "Restore Files", "Cab1", "C:\\VANTOR\\Recovery\\Tessaly11.cab");
  EXPECT_FALSE(RunSystemFileBackup(bed.context, 0));
  EXPECT_TRUE(bed.companions.saves.empty());
  EXPECT_TRUE(bed.FileCalls("remove ").empty());
  EXPECT_TRUE(bed.profile.writes.empty());
  EXPECT_TRUE(bed.files.Has("C:\\VANTOR\\Recovery\\Tessaly11.rcv"));
  EXPECT_EQ(0, bed.app.backupBusy);
}

TEST_F(BackupSystemFilesTest, EmptySaveDirIsRefused) {
  bed.SetSaveDir("");
  EXPECT_FALSE(RunSystemFileBackup(bed.context, 0));
  EXPECT_TRUE(bed.companions.saves.empty());
  EXPECT_TRUE(bed.FileCalls("remove ").empty());
}

// A read-only folder: the companion cannot write and says so; the run is a
// failure and only the recovery folder was touched.
TEST_F(BackupSystemFilesTest, ReadOnlySaveDirReportsTheCompanionsFailure) {
  bed.files.entries[FakeFileSystem::Key("C:\\BACKUP")].writable = false;
  bed.files.AddFile("C:\\BACKUP\\Tessaly11.cab", 100);
  bed.companions.saveResult = 0;
  EXPECT_FALSE(RunSystemFileBackup(bed.context, 0));
  ASSERT_EQ(1u, bed.companions.saves.size());
  EXPECT_TRUE(bed.files.Has("C:\\BACKUP\\Tessaly11.cab"));
  for (const std::string& path : bed.FileCalls("remove "))
    EXPECT_EQ(0u, path.rfind("C:\\VANTOR\\Recovery\\", 0)) << path;
}

// The main program's recovery data of the recycled set (set 2 here) is
// cleared only once SaveSystemFiles has written the new set. A backup that
// cannot be made (saveDir names a file, a read-only or full folder, which the
// companion reports as a failure) leaves it exactly as it was.
struct RecoveryDataCase {
  const char* name;
  bool saveDirIsAFile;
  int32_t saveResult;
  bool made;
};

std::ostream& operator<<(std::ostream& out, const RecoveryDataCase& c) { return out << c.name; }

class RecoveryDataTest : public BackupSystemFilesTest,
                         public ::testing::WithParamInterface<RecoveryDataCase> {};

TEST_P(RecoveryDataTest, IsClearedOnlyAfterASuccessfulSave) {
  const RecoveryDataCase& c = GetParam();
  if (c.saveDirIsAFile) bed.files.AddFile("C:\\BACKUP");
  bed.files.AddFile("C:\\BACKUP\\Tessaly11.cab", 5);
  bed.files.AddFile("C:\\VANTOR\\Recovery\\Tessaly21.rcv");
  bed.files.AddFile("C:\\VANTOR\\Recovery\\Tessaly21.cab");
  bed.profile.Set("Vantor.ini", "Restore Files", "Cab1", "C:\\VANTOR\\Recovery\\Tessaly11.cab");
  bed.profile.Set("Vantor.ini", "Restore Files", "Cab2", "C:\\VANTOR\\Recovery\\Tessaly21.cab");
  bed.companions.saveResult = c.saveResult;
  bool cleared = false;
  bed.companions.onSave = [&] { cleared = !bed.FileCalls("remove ").empty(); };

  EXPECT_EQ(c.made, RunSystemFileBackup(bed.context, 0));
  EXPECT_FALSE(cleared) << "recovery data cleared before the save";
  EXPECT_EQ(!c.made, bed.files.Has("C:\\VANTOR\\Recovery\\Tessaly21.rcv"));
  EXPECT_EQ(!c.made, bed.files.Has("C:\\VANTOR\\Recovery\\Tessaly21.cab"));
  EXPECT_EQ(c.made ? "" : "C:\\VANTOR\\Recovery\\Tessaly21.cab",
            *bed.profile.Find("Vantor.ini", "Restore Files", "Cab2"));
  EXPECT_EQ("C:\\VANTOR\\Recovery\\Tessaly11.cab",
            *bed.profile.Find("Vantor.ini", "Restore Files", "Cab1"));
  EXPECT_EQ(0, bed.app.backupBusy);
}

const RecoveryDataCase kRecoveryDataCases[] = {
    {"SaveDirNamesAFile", true, 1, false},
    {"CompanionCannotWrite", false, 0, false},
    {"BackupMade", false, 1, true},
};

INSTANTIATE_TEST_SUITE_P(Outcomes, RecoveryDataTest, ::testing::ValuesIn(kRecoveryDataCases),
                         [](const ::testing::TestParamInfo<RecoveryDataCase>& info) {
                           return std::string(info.param.name);
                         });

// Whether the backup happened is read from the recycled set's first cabinet,
// whatever SaveSystemFiles returns: rewritten since the save began (within
// FAT's two seconds), the old set is gone and its recovery data goes too;
// otherwise the old set's recovery data stays and the run is no backup.
enum class SaveEffect { kRewritesTheCabinet, kWritesNothing, kRemovesTheCabinet };

struct SaveEffectCase {
  const char* name;
  int32_t saveResult;
  SaveEffect effect;
  Time32 stampedAfterTheStart;  // last-write time of a rewritten cabinet
  bool made;
};

std::ostream& operator<<(std::ostream& out, const SaveEffectCase& c) { return out << c.name; }

class SaveEffectTest : public BackupSystemFilesTest,
                       public ::testing::WithParamInterface<SaveEffectCase> {};

TEST_P(SaveEffectTest, TheFirstCabinetTellsWhetherTheBackupHappened) {
  const SaveEffectCase& c = GetParam();
  const Time32 start = bed.clock.now;
  // Sets 1..5 a day apart, set 1 the oldest: set 3 is recycled.
  for (int n = 1; n <= 5; ++n)
    bed.files.AddFile("C:\\BACKUP\\Tessaly" + std::to_string(n) + "1.cab", start - (6 - n) * 86400);
  bed.files.AddFile("C:\\VANTOR\\Recovery\\Tessaly31.rcv");
  bed.files.AddFile("C:\\VANTOR\\Recovery\\Tessaly31.cab");
  bed.profile.Set("Vantor.ini", "Restore Files", "Cab1", "C:\\VANTOR\\Recovery\\Tessaly31.cab");
  bed.companions.saveResult = c.saveResult;
  bed.companions.writeSet = nullptr;
  bed.companions.onSave = [&] {
    if (c.effect == SaveEffect::kRewritesTheCabinet)
      bed.files.AddFile("C:\\BACKUP\\Tessaly31.cab", start + c.stampedAfterTheStart);
    else if (c.effect == SaveEffect::kRemovesTheCabinet)
      bed.files.entries.erase(FakeFileSystem::Key("C:\\BACKUP\\Tessaly31.cab"));
  };

  EXPECT_EQ(c.made, RunSystemFileBackup(bed.context, 0));
  ASSERT_EQ(1u, bed.companions.saves.size());
  EXPECT_EQ("Tessaly3", bed.companions.saves[0].setName);
  EXPECT_EQ(!c.made, bed.files.Has("C:\\VANTOR\\Recovery\\Tessaly31.rcv"));
  EXPECT_EQ(!c.made, bed.files.Has("C:\\VANTOR\\Recovery\\Tessaly31.cab"));
  EXPECT_EQ(c.made ? "" : "C:\\VANTOR\\Recovery\\Tessaly31.cab",
            *bed.profile.Find("Vantor.ini", "Restore Files", "Cab1"));
  EXPECT_EQ(c.effect != SaveEffect::kRemovesTheCabinet, bed.files.Has("C:\\BACKUP\\Tessaly31.cab"));
}

const SaveEffectCase kSaveEffectCases[] = {
    {"ZeroButRewritten", 0, SaveEffect::kRewritesTheCabinet, 0, true},
    {"ZeroButRewrittenWithATwoSecondClock", 0, SaveEffect::kRewritesTheCabinet, -2, true},
    {"NonZeroButNothingWritten", 1, SaveEffect::kWritesNothing, 0, false},
    {"NonZeroButTheCabinetIsGone", 1, SaveEffect::kRemovesTheCabinet, 0, false},
    {"NonZeroButOlderThanTheStart", 1, SaveEffect::kRewritesTheCabinet, -3, false},
};

INSTANTIATE_TEST_SUITE_P(Results, SaveEffectTest, ::testing::ValuesIn(kSaveEffectCases),
                         [](const ::testing::TestParamInfo<SaveEffectCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(BackupSystemFilesTest, FirstCabinetThatIsAFolderIsLeftAlone) {
  bed.files.AddDirectory("C:\\BACKUP\\Tessaly11.cab");
  EXPECT_TRUE(RunSystemFileBackup(bed.context, 0));
  ASSERT_EQ(1u, bed.companions.saves.size());
  EXPECT_EQ("Tessaly2", bed.companions.saves[0].setName);
  EXPECT_TRUE(bed.files.IsDirectory("C:\\BACKUP\\Tessaly11.cab"));
}

// Long folders: the question shows the whole folder; a folder too long to
// hold "\Tessaly<n>1.cab" refuses the backup before anything is touched.
class LongSaveDirTest : public BackupSystemFilesTest,
                        public ::testing::WithParamInterface<size_t> {};

TEST_P(LongSaveDirTest, QuestionIsWholeAndNoPathIsCut) {
  const size_t length = GetParam();
  const std::string saveDir = "C:\\" + std::string(length - 3, 'b');
  bed.SetSaveDir(saveDir);
  ASSERT_EQ(length, strlen(bed.app.settings.saveDir));
  bed.files.AddDirectory(saveDir);
  bed.files.AddFile("C:\\VANTOR\\Recovery\\Tessaly11.rcv");
  bed.windows.messageBoxAnswer = kIdYes;

  const bool fits = length + 14 <= 259;  // "\Tessaly11.cab"
  EXPECT_EQ(fits, RunSystemFileBackup(bed.context, 1));
  ASSERT_EQ(1u, bed.windows.boxes.size());
  EXPECT_EQ("This will save critical system files to " + saveDir + ". Do you want to proceed?",
            bed.windows.boxes[0].text);
  EXPECT_EQ(fits ? 1u : 0u, bed.companions.saves.size());
  EXPECT_EQ(fits, !bed.files.Has("C:\\VANTOR\\Recovery\\Tessaly11.rcv"));
  for (const std::string& path : bed.FileCalls("findfirst ")) {
    EXPECT_EQ(0u, path.rfind(saveDir + "\\Tessaly", 0)) << path;
    EXPECT_LE(path.size(), 259u);
  }
  EXPECT_EQ(0, bed.app.backupBusy);
}

INSTANTIATE_TEST_SUITE_P(Lengths, LongSaveDirTest, ::testing::Values(10, 245, 246, 258, 259));

}  // namespace
}  // namespace tessaly
