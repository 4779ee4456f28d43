// The narrow platform interfaces that the program's logic uses. Each exists so
// that the logic can be built and tested without Windows: the Win32 build
// passes implementations over the real calls (app/win32/), the unit tests pass
// in-memory fakes (tests/fakes/).
#pragma once

#include <stddef.h>
#include <stdint.h>
#include <time.h>

namespace tessaly {

// Seconds since 1 January 1970 00:00:00 UTC, as time() gives them; 0 = never.
using Time32 = int32_t;

// A window handle, opaque to the logic; 0 is no window.
using WindowHandle = uintptr_t;

// Files and folders: the C runtime calls the program relies on.
class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // _access(path, 0) == 0: something exists under path.
  virtual bool Exists(const char* path) = 0;
  // _access(path, 2) == 0: the file exists and may be written.
  virtual bool IsWritable(const char* path) = 0;
  // GetFileAttributesA(path) names a folder (a file or nothing gives false).
  virtual bool IsDirectory(const char* path) = 0;
  // _mkdir(path) == 0.
  virtual bool MakeDirectory(const char* path) = 0;
  // remove(path) == 0.
  virtual bool Remove(const char* path) = 0;
  // _findfirst(pattern): true when something matches; its last-write time
  // goes to *lastWrite.
  virtual bool FindFirst(const char* pattern, Time32* lastWrite) = 0;
  // _chdrive(drive) == 0, drive 1 = A:.
  virtual bool ChangeDrive(int drive) = 0;
  // _chdir(path) == 0.
  virtual bool ChangeDirectory(const char* path) = 0;
  // GetModuleFileNameA(program, out, size): the executable's full path; false
  // when it cannot be had.
  virtual bool ModuleFileName(char* out, size_t size) = 0;
};

// Initialisation files: the system profile ("intl" section) and private
// files such as "Vantor.ini" and "Tessaly.ini" (names without a folder live in
// the Windows directory).
class ProfileApi {
 public:
  virtual ~ProfileApi() = default;
  // GetProfileStringA / GetPrivateProfileStringA (file null = system profile):
  // copies the value, or def when the key is absent, keeping at most size - 1
  // characters; returns the number of characters copied.
  virtual size_t GetString(const char* file, const char* section, const char* key,
                           const char* def, char* out, size_t size) = 0;
  // GetProfileIntA / GetPrivateProfileIntA.
  virtual int GetInt(const char* file, const char* section, const char* key, int def) = 0;
  // WritePrivateProfileStringA; value "" keeps the key with an empty value.
  virtual bool WriteString(const char* file, const char* section, const char* key,
                           const char* value) = 0;
  // GetPrivateProfileStringA(section, no key, "", out, size, file): the
  // section's key names in file order, each ended by a zero, the list by a
  // second one; returns the characters copied without the last zero. A list
  // that does not fit is cut, its last name too, and gives size - 2.
  virtual size_t GetKeyNames(const char* file, const char* section, char* out,
                             size_t size) = 0;
  // WritePrivateProfileStringA(section, key, no value, file): removes the key.
  virtual bool DeleteKey(const char* file, const char* section, const char* key) = 0;
};

// The clock and the local calendar.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual Time32 Now() = 0;
  // localtime(t) into *out; false when the time cannot be converted.
  virtual bool LocalTime(Time32 t, struct tm* out) = 0;
};

// time() and localtime() of the C runtime: the same on both platforms.
class SystemClock : public Clock {
 public:
  Time32 Now() override;
  bool LocalTime(Time32 t, struct tm* out) override;
};

}  // namespace tessaly
