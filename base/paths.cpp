#include "base/paths.h"

#include <ctype.h>
#include <string.h>

namespace tessaly {

bool JoinPath(char* out, size_t size, const char* first, const char* second) {
  if (out == nullptr || size == 0) return false;
  if (first == nullptr) first = "";
  if (second == nullptr) second = "";
  const size_t firstLength = strlen(first);
  const bool slash = firstLength == 0 || first[firstLength - 1] != '\\';
  const size_t secondLength = strlen(second);
  if (firstLength + (slash ? 1 : 0) + secondLength >= size) {
    out[0] = '\0';
    return false;
  }
  // out may be first: move the first part, then append.
  memmove(out, first, firstLength);
  size_t at = firstLength;
  if (slash) out[at++] = '\\';
  memmove(out + at, second, secondLength);
  out[at + secondLength] = '\0';
  return true;
}

bool ModuleFolder(FileSystem& files, char* out, size_t size) {
  if (out == nullptr || size == 0) return false;
  if (!files.ModuleFileName(out, size)) {
    out[0] = '\0';
    return false;
  }
  out[size - 1] = '\0';
  char* slash = strrchr(out, '\\');
  if (slash == nullptr)
    out[0] = '\0';
  else
    slash[1] = '\0';
  return out[0] != '\0';
}

bool ChangeDriveAndDirectory(FileSystem& files, const char* path) {
  if (path == nullptr) return false;
  if (path[0] != '\0' && path[1] == ':')
    files.ChangeDrive(toupper(static_cast<unsigned char>(path[0])) - 64);
  return files.ChangeDirectory(path);
}

}  // namespace tessaly
