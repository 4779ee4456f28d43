// Main-window services that do nothing, for tests of the real windows that
// never press a button which saves, backs up or launches.
#pragma once

#include <stddef.h>

#include "base/text.h"
#include "ui/main_window_services.h"

namespace tessaly {

class NoMainWindowServices : public MainWindowServices {
 public:
  void SaveSettings() override {}
  bool BackupSystemFiles(bool) override { return false; }
  void LaunchVantor(const char*) override {}
  void GetInstallDirectory(char* out, size_t size) override { CopyText(out, size, ""); }
};

}  // namespace tessaly
