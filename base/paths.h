// Path operations on 8-bit text in kPathSize-byte buffers: joining a folder and a
// name, and making a folder current.
#pragma once

#include <stddef.h>

#include "base/platform.h"
#include "base/text.h"

namespace tessaly {

// Writes first, exactly one backslash, second into out (size bytes). No
// backslash is added when first already ends in one; an empty first gives
// "\second". When the result does not fit, out is emptied (a cut path would
// name some other file) and the result is false. out may be first.
bool JoinPath(char* out, size_t size, const char* first, const char* second);

template <size_t N>
inline bool JoinPath(char (&out)[N], const char* first, const char* second) {
  return JoinPath(out, N, first, second);
}

// Makes the path's drive current when it starts with a letter and a colon
// (A: is drive 1), then the path itself; true when the folder change
// succeeded.
bool ChangeDriveAndDirectory(FileSystem& files, const char* path);

// The folder of the program's own executable, up to and including its last
// backslash, into out (size bytes); false, with out empty, when the name
// cannot be had or holds no backslash.
bool ModuleFolder(FileSystem& files, char* out, size_t size);

// Where the main Vantor program is installed. Looked up afresh at every call:
// the program's setup may write its folder while Tessaly runs.
class InstallFolder {
 public:
  virtual ~InstallFolder() = default;
  // The folder into out (size bytes); false, with out empty, when there is
  // none.
  virtual bool Lookup(char* out, size_t size) = 0;
};

}  // namespace tessaly
