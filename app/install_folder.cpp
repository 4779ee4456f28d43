#include "app/install_folder.h"

#include "base/names.h"
#include "base/registry_values.h"
#include "base/text.h"

namespace tessaly {

namespace {

// The "Directory" value of the install key, when it is a folder that fits.
void ReadInstallKey(RegistryApi& registry, FileSystem& files, char* out, size_t size) {
  char subKey[kPathSize];
  if (!FormatText(subKey, sizeof subKey, "Software\\%s\\%s\\%s", kCompanyKey, kFamilyName,
                  "Settings"))
    return;
  RegistryKey raw = 0;
  if (registry.OpenKey(kLocalMachineKey, subKey, kKeyQueryValue, &raw) != kRegistrySuccess) return;
  ScopedRegistryKey key(registry, raw);

  char directory[kPathSize];
  if (ReadStringValue(registry, key.get(), "Directory", "", directory, sizeof directory) >=
      sizeof directory)
    return;  // too long for a path: no folder of that name can be used
  key.reset();
  if (directory[0] == '\0' || !files.Exists(directory)) return;
  if (!CopyText(out, size, directory)) out[0] = '\0';
}

}  // namespace

bool GetInstallDirectory(RegistryApi& registry, FileSystem& files, char* out, size_t size) {
  if (out == nullptr || size == 0) return false;
  out[0] = '\0';
  ReadInstallKey(registry, files, out, size);
  if (out[0] == '\0') ModuleFolder(files, out, size);
  return out[0] != '\0';
}

}  // namespace tessaly
