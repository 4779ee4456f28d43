// The main Vantor program's install folder, looked up in the machine-wide
// registry with the program's own folder as the fallback.
#pragma once

#include <stddef.h>

#include "base/paths.h"
#include "base/registry.h"

namespace tessaly {

// The install folder into out (size bytes): the "Directory" value of
// HKEY_LOCAL_MACHINE\Software\Brenmoor Software Corp\Vantor\Settings when it
// is a text that fits and names something that exists; otherwise the folder
// of the program's own executable, ending in a backslash; otherwise "".
// Returns false when out is empty.
bool GetInstallDirectory(RegistryApi& registry, FileSystem& files, char* out, size_t size);

// The install folder of the running program: GetInstallDirectory over the
// registry and file system given.
class RegistryInstallFolder : public InstallFolder {
 public:
  RegistryInstallFolder(RegistryApi& registry, FileSystem& files)
      : registry_(registry), files_(files) {}
  bool Lookup(char* out, size_t size) override {
    return GetInstallDirectory(registry_, files_, out, size);
  }

 private:
  RegistryApi& registry_;
  FileSystem& files_;
};

}  // namespace tessaly
