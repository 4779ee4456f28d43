// The program's operations that the main window's commands call: the
// application object provides them; the unit tests record the calls.
#pragma once

#include <stddef.h>

namespace tessaly {

class MainWindowServices {
 public:
  virtual ~MainWindowServices() = default;
  virtual void SaveSettings() = 0;
  // True when the backup was made; false when refused, declined or failed.
  virtual bool BackupSystemFiles(bool confirm) = 0;
  virtual void LaunchVantor(const char* arguments) = 0;
  virtual void GetInstallDirectory(char* out, size_t size) = 0;
};

}  // namespace tessaly
