// Everything the maintenance actions (backup, quick check, launcher) work on:
// the application state and the platform interfaces, wired once by the caller
// (the Win32 application object, or a unit test with fakes).
#pragma once

#include <stddef.h>

#include "actions/companions.h"
#include "app/app_state.h"
#include "app/platform.h"
#include "app/window_system.h"

namespace tessaly {

// Fills out (size bytes, at least kPathSize) with the main program's install
// folder, or an empty text when it is not known.
class InstallDirectorySource {
 public:
  virtual void GetInstallDirectory(char* out, size_t size) = 0;

 protected:
  ~InstallDirectorySource() = default;
};

struct ActionContext {
  AppState& app;
  FileSystem& files;
  ProfileApi& profile;
  Clock& clock;
  WindowSystem& windows;
  Companions& companions;
  InstallDirectorySource* installDirectory;  // null: not known
};

// Holds a program-wide single-run flag for one call: Enter() fails when the
// flag is already set (the action is running further up the stack, under a
// nested message loop); otherwise it sets the flag, and the destructor clears
// it again on every way out.
class BusyFlag {
 public:
  explicit BusyFlag(int32_t& flag) : flag_(flag) {}
  ~BusyFlag() {
    if (owned_) flag_ = 0;
  }
  BusyFlag(const BusyFlag&) = delete;
  BusyFlag& operator=(const BusyFlag&) = delete;

  bool Enter() {
    if (flag_) return false;
    flag_ = 1;
    owned_ = true;
    return true;
  }

 private:
  int32_t& flag_;
  bool owned_ = false;
};

}  // namespace tessaly
