// Exports of Pellix.dll that Tessaly imports by ordinal (2, 3 and 4).
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

LONG WINAPI HookInstall(LONG install);  // ordinal 2
LONG WINAPI HookResetTimer(void);       // ordinal 3
LONG WINAPI HookIdleSeconds(void);      // ordinal 4

#ifdef __cplusplus
}
#endif
