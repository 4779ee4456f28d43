// Exports of VarnTests.dll. Both take three 32-bit arguments, are __stdcall
// (the callee pops) and are exported under their plain names.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Keeps copies of the three texts: company, product family, install folder.
// Non-zero on success.
int __stdcall DoInitializeTests(const char* company, const char* product, const char* folder);

// Runs the quick checks of the machine and writes a text report to
// reportPath. result points to four words: checks run, checks passed, checks
// failed (non-zero when any failed), one bit per failed check. Non-zero when
// the checks ran and the report was written.
int __stdcall DoQuickCheck(HWND window, DWORD* result, const char* reportPath);

#ifdef __cplusplus
}
#endif
