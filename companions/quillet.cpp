// Quillet.dll: the folder chooser for the snapshot folder, and the snapshot
// tool's entry point.
#include "companions/quillet.h"

#include <windows.h>
#include <shlobj.h>
#include <string.h>

#include "companions/standin_text.h"

namespace {

// Moves the chooser to the starting folder once it is up.
int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM start) {
  if (message == BFFM_INITIALIZED && start != 0 && reinterpret_cast<const char*>(start)[0] != '\0')
    SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, start);
  return 0;
}

void FreeItemList(LPITEMIDLIST list) {
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
    allocator->Free(list);
    allocator->Release();
  }
}

}  // namespace

extern "C" {

int __cdecl DiffChangeSnapshotDir(char* buffer, const char* title) {
  try {
    if (buffer == nullptr) return 0;
    // The caller's buffer holds 260 bytes: read no further, even unterminated.
    char start[companions::kPathSize];
    const size_t length = strnlen(buffer, sizeof start - 1);
    memcpy(start, buffer, length);
    start[length] = '\0';
    char displayName[MAX_PATH] = "";

    BROWSEINFOA browse = {};
    browse.hwndOwner = GetActiveWindow();
    browse.pszDisplayName = displayName;
    browse.lpszTitle = title;
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    browse.lpfn = BrowseCallback;
    browse.lParam = reinterpret_cast<LPARAM>(start);
    LPITEMIDLIST chosen = SHBrowseForFolderA(&browse);
    if (chosen == nullptr) return 0;

    char folder[MAX_PATH] = "";
    const bool ok = SHGetPathFromIDListA(chosen, folder) && folder[0] != '\0' &&
                    strlen(folder) < companions::kPathSize;
    FreeItemList(chosen);
    if (!ok) return 0;
    companions::CopyText(buffer, companions::kPathSize, folder);
    return 1;
  } catch (...) {
    return 0;
  }
}

int __cdecl DiffSaveSnapshotGUI(void) { return 0; }

}  // extern "C"
