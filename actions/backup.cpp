#include "actions/backup.h"


#include "base/names.h"
#include "base/paths.h"
#include "base/scoped.h"
#include "base/text.h"
#include "presentation/date_time_formatter.h"

namespace tessaly {
namespace {

constexpr int kSetCount = 5;
constexpr int32_t kOneWeek = 604800;
constexpr size_t kSetNameSize = 16;     // "Tessaly5" and room to spare
constexpr size_t kQuestionSize = 400;   // the question around a saveDir of kPathSize - 1 characters
// FAT keeps last-write times to two seconds, so a file written in the second
// a save began may carry a time up to two seconds earlier.
constexpr int32_t kFileTimeSlack = 2;
// The main program keeps one "Cab<k>" entry per recovery cabinet, a handful.
// The walk over them ends at this count, far above any real list, so that
// however many entries a file holds, k never runs past the largest int.
constexpr int kMaxRestoreEntries = 65536;

const char kDirectoriesSection[] = "Directories";
const char kMainKey[] = "Main";
const char kRestoreSection[] = "Restore Files";

struct Candidate {
  Time32 lastWrite;
  char setName[kSetNameSize];
};

// Newest first; a pair is swapped only when the earlier entry is strictly
// older, so sets of equal age keep their order.
void SortNewestFirst(Candidate (&table)[kSetCount]) {
  bool swapped = true;
  while (swapped) {
    swapped = false;
    for (int i = 0; i + 1 < kSetCount; ++i) {
      if (table[i].lastWrite < table[i + 1].lastWrite) {
        const Candidate older = table[i];
        table[i] = table[i + 1];
        table[i + 1] = older;
        swapped = true;
      }
    }
  }
}

// Difference of two times as a signed 32-bit number (wrapping, as the
// 32-bit times themselves do).
int32_t Difference32(Time32 later, Time32 earlier) {
  return static_cast<int32_t>(static_cast<uint32_t>(later) - static_cast<uint32_t>(earlier));
}

// saveDir\<set>1.cab, the set's first cabinet; false when it does not fit.
bool FirstCabinetPath(char (&out)[kPathSize], const char* saveDir, const char* setName) {
  return JoinPath(out, saveDir, setName) && AppendText(out, "1.cab");
}

// True when path is a file last written at or after the moment since (within
// FAT's two seconds): written by the save that began then. A file is judged by
// its time, not by how its name is spelled: one folder has many spellings
// (short names, "." components, doubled or forward slashes, subst drives).
bool WrittenSince(FileSystem& files, const char* path, Time32 since) {
  Time32 lastWrite = 0;
  return files.FindFirst(path, &lastWrite) && !files.IsDirectory(path) &&
         Difference32(lastWrite, since) >= -kFileTimeSlack;
}

void RemoveIfWritable(FileSystem& files, const char* path) {
  if (files.IsWritable(path)) files.Remove(path);
}

// Empties the first "Restore Files" entry naming cabinetPath. The walk ends
// at the first missing or empty "Cab<k>" value, or after kMaxRestoreEntries.
void ForgetRestoreEntry(ProfileApi& profile, const char* cabinetPath) {
  for (int k = 1; k <= kMaxRestoreEntries; ++k) {
    char key[16];
    FormatText(key, sizeof key, "Cab%d", k);
    // One byte more than a path can hold: a longer value reads as
    // kPathSize characters and so can never match a path of at most kPathSize - 1.
    char value[kPathSize + 1];
    if (profile.GetString(kVantorIni, kRestoreSection, key, "", value, sizeof value) == 0 ||
        value[0] == '\0')
      return;
    if (SameTextIgnoringCase(value, cabinetPath)) {
      profile.WriteString(kVantorIni, kRestoreSection, key, "");
      return;
    }
  }
}

}  // namespace

void ClearOldRecoveryFiles(ActionContext& context, const char* setName, Time32 saveBegan) {
  char mainFolder[kPathSize];
  context.profile.GetString(kVantorIni, kDirectoriesSection, kMainKey, "", mainFolder,
                            sizeof mainFolder);
  char recovery[kPathSize];
  char fileName[kPathSize];
  char recoveryFile[kPathSize];
  char recoveryCabinet[kPathSize];
  // A path that does not fit is never cut and used: it could name another file.
  if (!JoinPath(recovery, mainFolder, "Recovery") ||
      !FormatText(fileName, sizeof fileName, "%s1.rcv", setName) ||
      !JoinPath(recoveryFile, recovery, fileName) ||
      !FormatText(fileName, sizeof fileName, "%s1.cab", setName) ||
      !JoinPath(recoveryCabinet, recovery, fileName))
    return;

  RemoveIfWritable(context.files, recoveryFile);
  // When the backup folder is the recovery folder (its default, however
  // either is spelled), this cabinet is the set's own first cabinet, the one
  // SaveSystemFiles has just written: it stays.
  if (context.files.IsWritable(recoveryCabinet) &&
      !WrittenSince(context.files, recoveryCabinet, saveBegan))
    context.files.Remove(recoveryCabinet);
  ForgetRestoreEntry(context.profile, recoveryCabinet);
}

bool ChooseBackupSet(ActionContext& context, char* description, size_t descriptionSize,
                     char* setName, size_t setNameSize) {
  Time32 now = context.clock.Now();
  {
    DateTimeFormatter formatter(context.clock);
    FormatText(description, descriptionSize, "Tessaly Backup on %s",
               formatter.FormatSeconds(&now));
  }

  Candidate table[kSetCount] = {};
  const char* chosen = nullptr;
  for (int n = 1; n <= kSetCount && !chosen; ++n) {
    Candidate& entry = table[n - 1];
    FormatText(entry.setName, sizeof entry.setName, "Tessaly%d", n);
    char probe[kPathSize];
    if (!FirstCabinetPath(probe, context.app.settings.saveDir, entry.setName)) return false;
    if (!context.files.FindFirst(probe, &entry.lastWrite)) chosen = entry.setName;
  }

  if (!chosen) {
    // All five present: keep the two oldest while the third and fourth
    // newest lie less than a week apart, otherwise recycle the oldest.
    SortNewestFirst(table);
    chosen = Difference32(table[2].lastWrite, table[3].lastWrite) < kOneWeek
                 ? table[2].setName
                 : table[4].setName;
  }

  CopyText(setName, setNameSize, chosen);
  return true;
}

bool RunSystemFileBackup(ActionContext& context, int32_t confirm) {
  AppState& app = context.app;
  ReentryGuard busy(app.backupBusy);
  if (!busy.entered()) return false;

  if (confirm) {
    char question[kQuestionSize];
    FormatText(question, sizeof question,
               "This will save critical system files to %s. Do you want to proceed?",
               app.settings.saveDir);
    if (context.windows.MessageBox(app.mainWindow, question, kAppCaption,
                                   kMbIconQuestion | kMbYesNo) == kIdNo)
      return false;
  }

  // A backup into a folder that is gone, or into a file, cannot succeed.
  if (!context.files.IsDirectory(app.settings.saveDir)) return false;

  char description[kBackupDescriptionSize];
  char setName[kSetNameSize];
  char firstCabinet[kPathSize];
  if (!ChooseBackupSet(context, description, sizeof description, setName, sizeof setName) ||
      !FirstCabinetPath(firstCabinet, app.settings.saveDir, setName))
    return false;

  // What SaveSystemFiles returns is not part of its contract; the set's first
  // cabinet, rewritten or not, tells whether the backup happened.
  const Time32 saveBegan = context.clock.Now();
  context.companions.SaveSystemFiles(description, app.settings.saveDir, setName);
  if (!WrittenSince(context.files, firstCabinet, saveBegan)) return false;
  // The old set is overwritten, so the main program's recovery data of it
  // goes, whatever SaveSystemFiles reported. A save that did not rewrite the
  // first cabinet (a full or read-only folder) left the old set whole, and
  // its recovery data keeps pointing at it.
  ClearOldRecoveryFiles(context, setName, saveBegan);
  return true;
}

}  // namespace tessaly
