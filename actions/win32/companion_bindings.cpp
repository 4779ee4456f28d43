#include "actions/win32/companion_bindings.h"

#include <windows.h>

#include "base/win32/handles.h"
#include "companions/quillet.h"
#include "companions/varn_tests.h"
#include "companions/varn_tools.h"

namespace tessaly {

static_assert(sizeof(QuickCheckResult) == 4 * sizeof(DWORD), "the result record is four words");

int32_t Win32Companions::InitializeTools(const char* company, const char* product,
                                         const char* folder) {
  return ::DoInitializeTools(company, product, folder);
}

int32_t Win32Companions::InitializeTests(const char* company, const char* product,
                                         const char* folder) {
  return ::DoInitializeTests(company, product, folder);
}

int32_t Win32Companions::SaveSystemFiles(const char* description, const char* saveDir,
                                         const char* setName) {
  return ::SaveSystemFiles(description, saveDir, setName);
}

int32_t Win32Companions::DoQuickCheck(WindowHandle window, QuickCheckResult* result,
                                      const char* reportPath) {
  DWORD* words = result ? reinterpret_cast<DWORD*>(result->words) : nullptr;
  return ::DoQuickCheck(ToHandle<HWND>(window), words, reportPath);
}

int32_t Win32Companions::ChangeSnapshotDir(char* buffer, const char* title) {
  return ::DiffChangeSnapshotDir(buffer, title);
}

int32_t Win32Companions::SaveSnapshotGUI() { return ::DiffSaveSnapshotGUI(); }

}  // namespace tessaly
