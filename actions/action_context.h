// Everything the maintenance actions (backup, quick check, launcher) work on:
// the application state and the platform interfaces, wired once by the caller
// (the Win32 application object, or a unit test with fakes).
#pragma once

#include <stddef.h>

#include <functional>

#include "actions/companions.h"
#include "app/app_state.h"
#include "app/platform.h"
#include "app/window_system.h"
#include "base/scoped.h"

namespace tessaly {

// Fills out (size bytes, at least kPathSize) with the main program's install
// folder, or an empty text when it is not known.
using InstallDirectorySource = std::function<void(char* out, size_t size)>;

struct ActionContext {
  AppState& app;
  FileSystem& files;
  ProfileApi& profile;
  Clock& clock;
  WindowSystem& windows;
  Companions& companions;
  InstallDirectorySource installDirectory;
};

}  // namespace tessaly
