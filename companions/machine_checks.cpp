#include "companions/machine_checks.h"

#include <windows.h>

#include "companions/standin_text.h"

namespace companions {

namespace {

// Below this the machine cannot run the Vantor family's programs.
constexpr unsigned long long kMinimumFreeBytes = 1024ull * 1024;
// The clock is sane between these years (32-bit times end in 2038).
constexpr WORD kEarliestYear = 1998, kLatestYear = 2037;

std::string Format(const char* format, unsigned long a, unsigned long b = 0) {
  char text[160];
  companions::FormatText(text, sizeof text, format, a, b);
  return text;
}

}  // namespace

CheckOutcome CheckMemory() {
  MEMORYSTATUS status = {};
  status.dwLength = sizeof status;
  GlobalMemoryStatus(&status);
  const DWORD totalKB = static_cast<DWORD>(status.dwTotalPhys / 1024);
  const DWORD freeKB = static_cast<DWORD>(status.dwAvailPhys / 1024);
  return {"Memory", MemoryCheckPassed({totalKB, freeKB, status.dwMemoryLoad}),
          Format("%lu KB of %lu KB physical memory free", freeKB, totalKB) +
              Format(", load %lu%%", status.dwMemoryLoad)};
}

CheckOutcome CheckWindowsDriveSpace() {
  char folder[MAX_PATH];
  const UINT length = GetWindowsDirectoryA(folder, sizeof folder);
  if (length < 3 || length >= sizeof folder || folder[1] != ':')
    return {"Windows drive", false, "the Windows folder is not on a drive"};
  const char root[] = {folder[0], ':', '\\', '\0'};
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
  if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
    return {"Windows drive", false, std::string("cannot read the free space of ") + root};
  const unsigned long long clusterBytes =
      static_cast<unsigned long long>(sectorsPerCluster) * bytesPerSector;
  const unsigned long long freeBytes = clusterBytes * freeClusters;
  const bool passed = totalClusters > 0 && freeBytes >= kMinimumFreeBytes;
  std::string detail = Format("%lu KB free", static_cast<unsigned long>(
                                                 freeBytes / 1024 > 0xFFFFFFFFull ? 0xFFFFFFFFull : freeBytes / 1024));
  return {"Windows drive", passed, detail + " on " + root};
}

CheckOutcome CheckTemporaryFile() {
  char folder[MAX_PATH], path[MAX_PATH];
  const DWORD length = GetTempPathA(sizeof folder, folder);
  if (length == 0 || length >= sizeof folder || !GetTempFileNameA(folder, "vqc", 0, path))
    return {"Temporary file", false, "cannot create a temporary file"};

  char pattern[4096], back[sizeof pattern];
  for (size_t i = 0; i < sizeof pattern; ++i) pattern[i] = static_cast<char>((i * 7 + 3) & 0xFF);
  bool passed = false;
  HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_TEMPORARY, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD done = 0;
    if (WriteFile(file, pattern, sizeof pattern, &done, nullptr) && done == sizeof pattern &&
        SetFilePointer(file, 0, nullptr, FILE_BEGIN) == 0 &&
        ReadFile(file, back, sizeof back, &done, nullptr) && done == sizeof back)
      passed = memcmp(pattern, back, sizeof pattern) == 0;
    CloseHandle(file);
  }
  DeleteFileA(path);
  return {"Temporary file", passed,
          passed ? Format("%lu bytes written and read back in ", sizeof pattern) + folder
                 : std::string("write and read-back failed in ") + folder};
}

CheckOutcome CheckClock() {
  SYSTEMTIME now = {};
  GetLocalTime(&now);
  const bool passed = now.wYear >= kEarliestYear && now.wYear <= kLatestYear && now.wMonth >= 1 &&
                      now.wMonth <= 12 && now.wDay >= 1 && now.wDay <= 31;
  return {"Clock", passed, TimeText(now)};
}

std::string TimeText(const SYSTEMTIME& time) {
  char text[64];
  companions::FormatText(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", time.wYear, time.wMonth,
                      time.wDay, time.wHour, time.wMinute, time.wSecond);
  return text;
}

std::vector<CheckOutcome> RunMachineChecks() {
  return {CheckMemory(), CheckWindowsDriveSpace(), CheckTemporaryFile(), CheckClock()};
}

}  // namespace companions
