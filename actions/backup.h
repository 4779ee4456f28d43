// System-file backup into five rotating backup sets ("Tessaly1".."Tessaly5")
// in settings.saveDir. The copying itself is done by the companion operation
// SaveSystemFiles; once a set has been overwritten, its old recovery files in
// the main program's recovery folder are deleted and its entry in the main
// program's restore list ("Vantor.ini") is emptied.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "actions/action_context.h"

namespace tessaly {

// The main program's initialisation file (in the Windows directory).
inline constexpr const char kVantorIni[] = "Vantor.ini";

// Room for "Tessaly Backup on " and a formatted date and time.
constexpr size_t kBackupDescriptionSize = 300;

// Runs one backup. With confirm non-zero the user is asked first (Yes/No,
// owned by the main window). Picks the set and hands it to SaveSystemFiles.
// The backup has happened when the set's first cabinet is then a file last
// written at or after the moment the save began (within FAT's two seconds),
// whatever SaveSystemFiles returned; only then is the set's old recovery data
// cleared and the result true. False, with the main program's files
// untouched, when a backup is already running (app.backupBusy), the user
// answered No, saveDir is not a folder or is too long to hold a set's files,
// or the save did not rewrite the first cabinet.
bool RunSystemFileBackup(ActionContext& context, int32_t confirm);

// Picks the set to overwrite and fills description and setName (setNameSize
// at least 16); touches no file. False when saveDir is too long for a set's
// first cabinet path.
bool ChooseBackupSet(ActionContext& context, char* description, size_t descriptionSize,
                     char* setName, size_t setNameSize);

// Deletes <set>1.rcv and <set>1.cab from the main program's recovery folder
// ("Main" of "Directories" in "Vantor.ini", then "Recovery") and empties the
// "Restore Files" entry naming that cabinet. A cabinet last written at or
// after saveBegan (within FAT's two seconds) is kept: it is the set's new
// first cabinet, written by the save that began then (the backup folder is
// the recovery folder, however either is spelled). Does nothing when the
// paths would not fit in kPathSize.
void ClearOldRecoveryFiles(ActionContext& context, const char* setName, Time32 saveBegan);

}  // namespace tessaly
