#include "app/paths.h"

#include <ctype.h>
#include <string.h>

#include "app/messages.h"
#include "app/settings_store.h"

namespace tessaly {

bool JoinPath(char* out, size_t size, const char* first, const char* second) {
  if (out == nullptr || size == 0) return false;
  if (first == nullptr) first = "";
  if (second == nullptr) second = "";
  const size_t firstLength = strlen(first);
  const bool slash = firstLength == 0 || first[firstLength - 1] != '\\';
  // Nothing is written unless the whole path fits.
  if (firstLength + (slash ? 1 : 0) + strlen(second) >= size) {
    out[0] = '\0';
    return false;
  }
  if (out != first) memmove(out, first, firstLength);
  if (slash) out[firstLength] = '\\';
  return CopyText(out + firstLength + (slash ? 1 : 0), size - firstLength - (slash ? 1 : 0),
                  second);
}

bool ChangeDriveAndDirectory(FileSystem& files, const char* path) {
  if (path == nullptr) return false;
  if (path[0] != '\0' && path[1] == ':')
    files.ChangeDrive(toupper(static_cast<unsigned char>(path[0])) - 64);
  return files.ChangeDirectory(path);
}

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
  key.Close();
  if (directory[0] == '\0' || !files.Exists(directory)) return;
  if (!CopyText(out, size, directory)) out[0] = '\0';
}

// The folder of the program's own executable, with its final backslash.
void ReadModuleFolder(FileSystem& files, char* out, size_t size) {
  if (!files.ModuleFileName(out, size)) {
    out[0] = '\0';
    return;
  }
  out[size - 1] = '\0';
  char* slash = strrchr(out, '\\');
  if (slash == nullptr)
    out[0] = '\0';
  else
    slash[1] = '\0';
}

}  // namespace

bool GetInstallDirectory(RegistryApi& registry, FileSystem& files, char* out, size_t size) {
  if (out == nullptr || size == 0) return false;
  out[0] = '\0';
  ReadInstallKey(registry, files, out, size);
  if (out[0] == '\0') ReadModuleFolder(files, out, size);
  return out[0] != '\0';
}

}  // namespace tessaly
