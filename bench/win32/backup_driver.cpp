// BenchBackup.exe: times one SaveSystemFiles call of VarnTools.dll, loaded
// the way a program of the product family binds it (initialised first with
// the product texts and the install folder).
//
//   BenchBackup INSTALL_DIR SAVE_DIR SET_NAME
//
// Prints "result N" (the call's result) and "ms T" (the call's wall time).
// Exit 0 when the library and both exports were found.
#include <windows.h>
#include <stdio.h>

namespace {

typedef int(__stdcall* InitializeFn)(const char*, const char*, const char*);
typedef int(__stdcall* SaveFn)(const char*, const char*, const char*);

template <typename Fn>
Fn Export(HMODULE module, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    fprintf(stderr, "usage: BenchBackup INSTALL_DIR SAVE_DIR SET_NAME\n");
    return 2;
  }
  HMODULE tools = LoadLibraryA("VarnTools.dll");
  InitializeFn initialize = tools ? Export<InitializeFn>(tools, "DoInitializeTools") : nullptr;
  SaveFn save = tools ? Export<SaveFn>(tools, "SaveSystemFiles") : nullptr;
  if (!initialize || !save) {
    fprintf(stderr, "VarnTools.dll or its exports not found\n");
    return 1;
  }
  initialize("Brenmoor Software Corp", "Vantor", argv[1]);

  LARGE_INTEGER frequency, begin, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&begin);
  const int result = save("Tessaly Backup benchmark", argv[2], argv[3]);
  QueryPerformanceCounter(&end);
  printf("result %d\nms %.2f\n", result,
         (end.QuadPart - begin.QuadPart) * 1000.0 / frequency.QuadPart);
  return 0;
}
