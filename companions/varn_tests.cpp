// VarnTests.dll: keeps the product texts it is initialised with and runs the
// quick check of the machine.
#include "companions/varn_tests.h"

#include <windows.h>

#include "companions/initial_texts.h"
#include "companions/machine_checks.h"
#include "companions/quick_check_verdict.h"

namespace {

using namespace companions;

InitialTexts testTexts;

std::string LocalTimeText() {
  SYSTEMTIME now = {};
  GetLocalTime(&now);
  return TimeText(now);
}

bool WriteReport(const char* path, const std::string& text) {
  if (path == nullptr || path[0] == '\0') return false;
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD done = 0;
  const bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &done, nullptr) &&
                  done == text.size();
  return CloseHandle(file) && ok;
}

}  // namespace

extern "C" {

int __stdcall DoInitializeTests(const char* company, const char* product, const char* folder) {
  testTexts.Keep(company, product, folder);  // cuts over-long texts, never fails
  return 1;
}

int __stdcall DoQuickCheck(HWND window, DWORD* result, const char* reportPath) {
  (void)window;  // the checks show no window of their own
  try {
    if (result == nullptr) return 0;
    const std::vector<CheckOutcome> outcomes = RunMachineChecks();
    uint32_t words[4];
    FillQuickCheckWords(outcomes, words);
    for (int i = 0; i < 4; ++i) result[i] = words[i];
    return WriteReport(reportPath, QuickCheckReport(testTexts.product, LocalTimeText(), outcomes)) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

}  // extern "C"
