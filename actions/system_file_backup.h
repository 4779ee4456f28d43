// The backup as the main window's commands and the idle run ask for it: one
// operation, which the application object provides over the actions of
// actions/backup.h and the unit tests record.
#pragma once

namespace tessaly {

class SystemFileBackup {
 public:
  virtual ~SystemFileBackup() = default;
  // Backs up the critical system files, asking the user first when confirm
  // is set; true only when a backup was made (false when refused, declined
  // or failed).
  virtual bool BackupSystemFiles(bool confirm) = 0;
};

}  // namespace tessaly
