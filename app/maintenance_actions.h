// What the idle run does: the maintenance actions.
#pragma once

#include "actions/system_file_backup.h"

namespace tessaly {

// The two maintenance actions the idle run performs: the backup of
// SystemFileBackup and the quick check.
class MaintenanceActions : public SystemFileBackup {
 public:
  // Runs the quick check and publishes its result.
  virtual void RunQuickCheck() = 0;
};

}  // namespace tessaly
