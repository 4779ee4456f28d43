// The outside companion libraries, as the program calls them: VarnTools.dll,
// VarnTests.dll and Quillet.dll. The Win32 build binds the real exports
// (actions/win32/), the tests pass a fake.
#pragma once

#include <stdint.h>

#include "base/platform.h"

namespace tessaly {

// Filled by the quick check; only the third and fourth words are read.
struct QuickCheckResult {
  uint32_t words[4];
};

class Companions {
 public:
  virtual ~Companions() = default;
  // VarnTools.dll / VarnTests.dll, three texts by value: company, family
  // word, install folder.
  virtual int32_t InitializeTools(const char* company, const char* product,
                                  const char* folder) = 0;
  virtual int32_t InitializeTests(const char* company, const char* product,
                                  const char* folder) = 0;
  // VarnTools.dll: writes saveDir\<setName>1.cab. Its result is not defined
  // by the library's makers: whether the cabinet was rewritten is read from
  // the file itself.
  virtual int32_t SaveSystemFiles(const char* description, const char* saveDir,
                                  const char* setName) = 0;
  // VarnTests.dll: fills *result (zeroed by the caller) and writes the report.
  virtual int32_t DoQuickCheck(WindowHandle window, QuickCheckResult* result,
                               const char* reportPath) = 0;
  // Quillet.dll: folder chooser over a kPathSize-byte buffer; non-zero on a choice.
  virtual int32_t ChangeSnapshotDir(char* buffer, const char* title) = 0;
  virtual int32_t SaveSnapshotGUI() = 0;
};

}  // namespace tessaly
