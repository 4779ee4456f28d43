// Everything the maintenance actions (backup, quick check, launcher) work on:
// the application state and the platform interfaces, wired once by the caller
// (the Win32 application object, or a unit test with fakes).
#pragma once


#include "actions/companions.h"
#include "base/app_state.h"
#include "base/paths.h"
#include "base/platform.h"
#include "base/window_system.h"

namespace tessaly {

struct ActionContext {
  AppState& app;
  FileSystem& files;
  ProfileApi& profile;
  Clock& clock;
  WindowSystem& windows;
  Companions& companions;
  InstallFolder& installFolder;
};

}  // namespace tessaly
