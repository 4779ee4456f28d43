// The companion libraries as the Win32 program reaches them: the exports of
// VarnTools.dll, VarnTests.dll and Quillet.dll, bound at load time through
// their import libraries.
#pragma once

#include "actions/companions.h"

namespace tessaly {

class Win32Companions : public Companions {
 public:
  int32_t InitializeTools(const char* company, const char* product, const char* folder) override;
  int32_t InitializeTests(const char* company, const char* product, const char* folder) override;
  int32_t SaveSystemFiles(const char* description, const char* saveDir,
                          const char* setName) override;
  int32_t DoQuickCheck(WindowHandle window, QuickCheckResult* result,
                       const char* reportPath) override;
  int32_t ChangeSnapshotDir(char* buffer, const char* title) override;
  int32_t SaveSnapshotGUI() override;
};

}  // namespace tessaly
