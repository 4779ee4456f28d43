// The cabinet functions of CABINET.DLL, bound when first called rather than
// imported: Windows 95 has no CABINET.DLL, and an import would keep
// VarnTools.dll from loading at all. Without the library every call fails
// (FCICreate and FDICreate give no handle), so a backup reports failure.
#include <windows.h>
#include <fci.h>
#include <fdi.h>

namespace {

FARPROC CabinetEntry(const char* name) {
  static HMODULE library = nullptr;
  static bool tried = false;
  if (!tried) {
    tried = true;
    library = LoadLibraryA("CABINET.DLL");
  }
  return library != nullptr ? GetProcAddress(library, name) : nullptr;
}

template <typename Function>
Function Entry(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(CabinetEntry(name)));
}

void NoLibrary(PERF perf) {
  if (perf == nullptr) return;
  perf->erfOper = FCIERR_ALLOC_FAIL;
  perf->erfType = ERROR_MOD_NOT_FOUND;
  perf->fError = TRUE;
}

}  // namespace

extern "C" {

HFCI DIAMONDAPI FCICreate(PERF perf, PFNFCIFILEPLACED placed, PFNFCIALLOC alloc, PFNFCIFREE free,
                          PFNFCIOPEN open, PFNFCIREAD read, PFNFCIWRITE write,
                          PFNFCICLOSE close, PFNFCISEEK seek, PFNFCIDELETE remove,
                          PFNFCIGETTEMPFILE temp, PCCAB cab, void* context) {
  auto call = Entry<decltype(&FCICreate)>("FCICreate");
  if (call == nullptr) {
    NoLibrary(perf);
    return nullptr;
  }
  return call(perf, placed, alloc, free, open, read, write, close, seek, remove, temp, cab,
              context);
}

WINBOOL DIAMONDAPI FCIAddFile(HFCI fci, char* source, char* name, WINBOOL execute,
                              PFNFCIGETNEXTCABINET next, PFNFCISTATUS status,
                              PFNFCIGETOPENINFO openInfo, TCOMP compression) {
  auto call = Entry<decltype(&FCIAddFile)>("FCIAddFile");
  return call != nullptr && call(fci, source, name, execute, next, status, openInfo, compression);
}

WINBOOL DIAMONDAPI FCIFlushCabinet(HFCI fci, WINBOOL getNext, PFNFCIGETNEXTCABINET next,
                                   PFNFCISTATUS status) {
  auto call = Entry<decltype(&FCIFlushCabinet)>("FCIFlushCabinet");
  return call != nullptr && call(fci, getNext, next, status);
}

WINBOOL DIAMONDAPI FCIDestroy(HFCI fci) {
  auto call = Entry<decltype(&FCIDestroy)>("FCIDestroy");
  return call != nullptr && call(fci);
}

HFDI DIAMONDAPI FDICreate(PFNALLOC alloc, PFNFREE free, PFNOPEN open, PFNREAD read,
                          PFNWRITE write, PFNCLOSE close, PFNSEEK seek, int cpu, PERF perf) {
  auto call = Entry<decltype(&FDICreate)>("FDICreate");
  if (call == nullptr) {
    NoLibrary(perf);
    return nullptr;
  }
  return call(alloc, free, open, read, write, close, seek, cpu, perf);
}

WINBOOL DIAMONDAPI FDIIsCabinet(HFDI fdi, INT_PTR file, PFDICABINETINFO info) {
  auto call = Entry<decltype(&FDIIsCabinet)>("FDIIsCabinet");
  return call != nullptr && call(fdi, file, info);
}

WINBOOL DIAMONDAPI FDICopy(HFDI fdi, char* cabinet, char* path, int flags, PFNFDINOTIFY notify,
                           PFNFDIDECRYPT decrypt, void* context) {
  auto call = Entry<decltype(&FDICopy)>("FDICopy");
  return call != nullptr && call(fdi, cabinet, path, flags, notify, decrypt, context);
}

WINBOOL DIAMONDAPI FDIDestroy(HFDI fdi) {
  auto call = Entry<decltype(&FDIDestroy)>("FDIDestroy");
  return call != nullptr && call(fdi);
}

}  // extern "C"
