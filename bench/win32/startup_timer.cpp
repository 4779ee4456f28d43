// BenchStartup.exe: start-up time of two programs, measured side by side.
//
//   BenchStartup ROUNDS TITLE_A CLOSE_A COMMAND_A TITLE_B CLOSE_B COMMAND_B
//
// Each round starts both programs one after the other (A first in even
// rounds, B first in odd ones, so that a drifting machine load favours
// neither) and measures, for each, the time from CreateProcess to a top-level
// window with the given title existing. The program is then closed by
// posting CLOSE ("MESSAGE:WPARAM") to that window and awaited, so that the
// next start finds no running copy. Timing from inside one already running
// process leaves out this driver's own start-up.
//
// Prints "round N A_MS B_MS" per round and then
// "median A_MS B_MS RATIO" (RATIO: median of the per-round A/B ratios).
// Exit 0 when every start produced its window.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

#include <vector>

#include "bench/bench_stats.h"

namespace {

struct Target {
  const char* title;
  UINT closeMessage;
  WPARAM closeWParam;
  const char* command;
};

bool ParseClose(const char* text, Target* target) {
  char* end = nullptr;
  target->closeMessage = strtoul(text, &end, 0);
  if (*end != ':') return false;
  target->closeWParam = strtoul(end + 1, &end, 0);
  return *end == '\0' && target->closeMessage != 0;
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return (to.QuadPart - from.QuadPart) * 1000.0 / frequency.QuadPart;
}

// Waits until no window of the title exists (a copy from an earlier round
// still closing); false after the time limit.
bool WaitGone(const char* title, DWORD limit) {
  const DWORD start = GetTickCount();
  while (FindWindowA(nullptr, title) != nullptr) {
    if (GetTickCount() - start > limit) return false;
    Sleep(10);
  }
  return true;
}

// One start: milliseconds to the window, or a negative value on failure.
double TimeStart(const Target& target) {
  if (!WaitGone(target.title, 30000)) return -1;
  char command[1024];
  lstrcpynA(command, target.command, sizeof command);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  LARGE_INTEGER begin, found;
  QueryPerformanceCounter(&begin);
  if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    fprintf(stderr, "cannot start %s (%lu)\n", target.command, GetLastError());
    return -1;
  }
  HWND window = nullptr;
  const DWORD limit = GetTickCount() + 60000;
  while ((window = FindWindowA(nullptr, target.title)) == nullptr) {
    if (static_cast<LONG>(GetTickCount() - limit) >= 0 ||
        WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0)
      break;
    Sleep(1);
  }
  QueryPerformanceCounter(&found);
  if (window) PostMessageA(window, target.closeMessage, target.closeWParam, 0);
  if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    window = nullptr;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (!window) {
    fprintf(stderr, "no window \"%s\" from %s\n", target.title, target.command);
    return -1;
  }
  return Milliseconds(begin, found);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 8) {
    fprintf(stderr,
            "usage: BenchStartup ROUNDS TITLE_A CLOSE_A COMMAND_A TITLE_B CLOSE_B COMMAND_B\n");
    return 2;
  }
  const int rounds = atoi(argv[1]);
  Target targets[2] = {{argv[2], 0, 0, argv[4]}, {argv[5], 0, 0, argv[7]}};
  if (rounds < 1 || !ParseClose(argv[3], &targets[0]) || !ParseClose(argv[6], &targets[1])) {
    fprintf(stderr, "bad rounds or close message\n");
    return 2;
  }
  std::vector<double> times[2];
  for (int round = 0; round < rounds; ++round) {
    double ms[2];
    for (int k = 0; k < 2; ++k) {
      const int which = round % 2 ? 1 - k : k;
      ms[which] = TimeStart(targets[which]);
      if (ms[which] < 0) return 1;
    }
    times[0].push_back(ms[0]);
    times[1].push_back(ms[1]);
    printf("round %d %.1f %.1f\n", round + 1, ms[0], ms[1]);
    fflush(stdout);
  }
  printf("median %.1f %.1f %.3f\n", bench::Median(times[0]), bench::Median(times[1]),
         bench::MedianRatio(times[0], times[1]));
  return 0;
}
