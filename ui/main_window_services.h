// The program's operations that the main window's commands call: the
// application object provides them; the unit tests record the calls.
#pragma once

#include <stddef.h>

#include "actions/system_file_backup.h"

namespace tessaly {

// With the backup of SystemFileBackup.
class MainWindowServices : public SystemFileBackup {
 public:
  virtual void SaveSettings() = 0;
  virtual void LaunchVantor(const char* arguments) = 0;
  virtual void GetInstallDirectory(char* out, size_t size) = 0;
};

}  // namespace tessaly
