#include "app/win32/win32_file_system.h"

#include <windows.h>

#include <direct.h>
#include <io.h>
#include <stdio.h>

namespace tessaly {

bool Win32FileSystem::Exists(const char* path) { return path != nullptr && _access(path, 0) == 0; }

bool Win32FileSystem::IsWritable(const char* path) {
  return path != nullptr && _access(path, 2) == 0;
}

bool Win32FileSystem::IsDirectory(const char* path) {
  if (path == nullptr) return false;
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32FileSystem::MakeDirectory(const char* path) {
  return path != nullptr && _mkdir(path) == 0;
}

bool Win32FileSystem::Remove(const char* path) { return path != nullptr && remove(path) == 0; }

bool Win32FileSystem::FindFirst(const char* pattern, Time32* lastWrite) {
  if (pattern == nullptr) return false;
  struct _finddata_t found;
  const intptr_t search = _findfirst(pattern, &found);
  if (search == -1) return false;
  _findclose(search);
  if (lastWrite != nullptr) *lastWrite = static_cast<Time32>(found.time_write);
  return true;
}

bool Win32FileSystem::ChangeDrive(int drive) { return _chdrive(drive) == 0; }

bool Win32FileSystem::ChangeDirectory(const char* path) {
  return path != nullptr && _chdir(path) == 0;
}

bool Win32FileSystem::ModuleFileName(char* out, size_t size) {
  if (out == nullptr || size == 0) return false;
  const DWORD length = GetModuleFileNameA(nullptr, out, static_cast<DWORD>(size));
  // 0 is failure; a length that fills the buffer means the path was cut.
  if (length == 0 || length >= size) {
    out[0] = '\0';
    return false;
  }
  return true;
}

}  // namespace tessaly
