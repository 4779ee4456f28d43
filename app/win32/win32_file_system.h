// FileSystem over the C runtime's file calls and the program's module name.
#pragma once

#include "base/platform.h"

namespace tessaly {

class Win32FileSystem : public FileSystem {
 public:
  bool Exists(const char* path) override;
  bool IsWritable(const char* path) override;
  bool IsDirectory(const char* path) override;
  bool MakeDirectory(const char* path) override;
  bool Remove(const char* path) override;
  bool FindFirst(const char* pattern, Time32* lastWrite) override;
  bool ChangeDrive(int drive) override;
  bool ChangeDirectory(const char* path) override;
  bool ModuleFileName(char* out, size_t size) override;
};

}  // namespace tessaly
