// Exports of Quillet.dll, both __cdecl (the caller pops).
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// Shows the folder chooser with the title, starting at the folder in buffer
// (260 bytes). On a choice, writes the chosen folder into buffer and returns
// non-zero; on cancel returns 0 and leaves buffer as it was.
int __cdecl DiffChangeSnapshotDir(char* buffer, const char* title);

// The snapshot tool; this build has none to offer and returns 0.
int __cdecl DiffSaveSnapshotGUI(void);

#ifdef __cplusplus
}
#endif
