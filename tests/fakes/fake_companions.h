// Companion libraries for unit tests: record every call and answer from fields
// the test sets. The on... hooks let a test act during a call, as the real
// libraries' own message loops would.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "actions/companions.h"
#include "base/text.h"

namespace tessaly {

class FakeCompanions : public Companions {
 public:
  struct Save {
    std::string description, saveDir, setName;
  };
  std::vector<std::string> calls;
  std::vector<Save> saves;
  int32_t saveResult = 1;
  QuickCheckResult quickCheckAnswer = {{0, 0, 0, 0}};
  WindowHandle quickCheckWindow = 0;
  std::string quickCheckReport;
  int32_t snapshotDirResult = 0;
  std::string snapshotDirChoice;
  int32_t snapshotGuiResult = 0;
  std::function<void()> onSave;
  std::function<void()> onQuickCheck;
  std::function<void()> onSnapshotGui;
  // What a save leaves behind when saveResult is non-zero (the set's first
  // cabinet, see FakeActionContext); a save that reports failure writes
  // nothing, as the real library does.
  std::function<void(const Save&)> writeSet;

  int32_t InitializeTools(const char* company, const char* product, const char* folder) override {
    calls.push_back(std::string("tools ") + company + "|" + product + "|" + folder);
    return 1;
  }
  int32_t InitializeTests(const char* company, const char* product, const char* folder) override {
    calls.push_back(std::string("tests ") + company + "|" + product + "|" + folder);
    return 1;
  }
  int32_t SaveSystemFiles(const char* description, const char* saveDir,
                          const char* setName) override {
    calls.push_back(std::string("save ") + setName);
    saves.push_back(Save{description, saveDir, setName});
    if (onSave) onSave();
    if (saveResult != 0 && writeSet) writeSet(saves.back());
    return saveResult;
  }
  int32_t DoQuickCheck(WindowHandle window, QuickCheckResult* result,
                       const char* reportPath) override {
    calls.push_back("quickcheck");
    quickCheckWindow = window;
    quickCheckReport = reportPath;
    if (onQuickCheck) onQuickCheck();
    *result = quickCheckAnswer;
    return 1;
  }
  int32_t ChangeSnapshotDir(char* buffer, const char* title) override {
    calls.push_back(std::string("snapshotdir ") + title);
    if (snapshotDirResult) CopyText(buffer, kPathSize, snapshotDirChoice.c_str());
    return snapshotDirResult;
  }
  int32_t SaveSnapshotGUI() override {
    calls.push_back("snapshotgui");
    if (onSnapshotGui) onSnapshotGui();
    return snapshotGuiResult;
  }
};

}  // namespace tessaly
