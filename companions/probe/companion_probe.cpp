// Drives the companion libraries and the Vantor stand-in from test scripts:
// one command per run, results printed one per line.
//
//   save DESCRIPTION SAVEDIR SET      SaveSystemFiles; prints "result N"
//   quickcheck REPORT                 DoQuickCheck; prints "result N" and the words
//   vantor-find                       prints "mutex 0|1" and "window 0|1"
//   vantor-send MESSAGE WPARAM LPARAM sends to the window "Vantor"; "sent 0|1"
//   vantor-close                      asks the window "Vantor" to close
//   exports DLL NAME...               prints "NAME 0|1": found by that name
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "companions/varn_tests.h"
#include "companions/varn_tools.h"

namespace {

int Save(int argc, char** argv) {
  if (argc != 5) return 2;
  printf("result %d\n", SaveSystemFiles(argv[2], argv[3], argv[4]));
  return 0;
}

int QuickCheck(int argc, char** argv) {
  if (argc != 3) return 2;
  DWORD words[4] = {0, 0, 0, 0};
  const int result = DoQuickCheck(nullptr, words, argv[2]);
  printf("result %d\nwords %lu %lu %lu %lu\n", result, words[0], words[1], words[2], words[3]);
  return 0;
}

int FindVantor() {
  HANDLE mutex = OpenMutexA(MUTEX_ALL_ACCESS, FALSE, "Vantor Is Running");
  if (mutex) CloseHandle(mutex);
  printf("mutex %d\nwindow %d\n", mutex != nullptr, FindWindowA(nullptr, "Vantor") != nullptr);
  return 0;
}

int SendToVantor(int argc, char** argv) {
  if (argc != 5) return 2;
  HWND window = FindWindowA(nullptr, "Vantor");
  DWORD_PTR reply = 0;
  const bool sent = window && SendMessageTimeoutA(window, strtoul(argv[2], nullptr, 0),
                                                  strtoul(argv[3], nullptr, 0),
                                                  strtol(argv[4], nullptr, 0), SMTO_NORMAL,
                                                  10000, &reply);
  printf("sent %d\n", sent);
  return 0;
}

int CloseVantor() {
  HWND window = FindWindowA(nullptr, "Vantor");
  printf("closed %d\n", window && PostMessageA(window, WM_CLOSE, 0, 0));
  return 0;
}

int Exports(int argc, char** argv) {
  if (argc < 3) return 2;
  HMODULE module = LoadLibraryA(argv[2]);
  if (module == nullptr) return 3;
  for (int i = 3; i < argc; ++i) printf("%s %d\n", argv[i], GetProcAddress(module, argv[i]) != nullptr);
  FreeLibrary(module);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const char* command = argv[1];
  int code = 2;
  if (strcmp(command, "save") == 0) code = Save(argc, argv);
  else if (strcmp(command, "quickcheck") == 0) code = QuickCheck(argc, argv);
  else if (strcmp(command, "vantor-find") == 0) code = FindVantor();
  else if (strcmp(command, "vantor-send") == 0) code = SendToVantor(argc, argv);
  else if (strcmp(command, "vantor-close") == 0) code = CloseVantor();
  else if (strcmp(command, "exports") == 0) code = Exports(argc, argv);
  fflush(stdout);
  return code;
}
