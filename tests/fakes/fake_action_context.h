// An ActionContext over in-memory fakes, for the tests of the maintenance
// actions. The install folder the launcher is given is installFolder. A save
// that reports success writes the set's first cabinet, stamped with the
// clock's time.
#pragma once

#include <string>
#include <vector>

#include "actions/action_context.h"
#include "base/app_state.h"
#include "base/text.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_companions.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_profile.h"
#include "fakes/fake_install_folder.h"
#include "fakes/fake_window_system.h"

namespace tessaly {

struct FakeActionContext {
  AppState app;
  FakeFileSystem files;
  FakeProfile profile;
  FakeClock clock;
  FakeWindowSystem windows;
  FakeCompanions companions;
  FakeInstallFolder installFolder;
  ActionContext context{app, files, profile, clock, windows, companions, installFolder};

  FakeActionContext() {
    companions.writeSet = [this](const FakeCompanions::Save& save) {
      std::string cabinet = save.saveDir;
      if (cabinet.empty() || cabinet.back() != '\\') cabinet += '\\';
      files.AddFile(cabinet + save.setName + "1.cab", clock.now);
    };
  }
  FakeActionContext(const FakeActionContext&) = delete;
  FakeActionContext& operator=(const FakeActionContext&) = delete;

  void SetSaveDir(const std::string& folder) {
    CopyText(app.settings.saveDir, folder.c_str());
  }

  // The arguments of the file-system calls recorded with this prefix
  // ("remove ", "findfirst ", ...), in order.
  std::vector<std::string> FileCalls(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& call : files.calls)
      if (call.rfind(prefix, 0) == 0) found.push_back(call.substr(prefix.size()));
    return found;
  }
};

}  // namespace tessaly
