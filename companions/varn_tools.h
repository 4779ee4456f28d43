// Exports of VarnTools.dll. Both take three 32-bit arguments, are __stdcall
// (the callee pops) and are exported under their plain names.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// Keeps copies of the three texts: company, product family, install folder.
// Non-zero on success.
int __stdcall DoInitializeTools(const char* company, const char* product, const char* folder);

// Writes saveDir\<setName>1.cab, a cabinet of the machine's critical system
// files and of the description. The new cabinet replaces the old one only
// after it has been read back whole; on failure the old one is left as it
// was. Non-zero on success, 0 on failure.
int __stdcall SaveSystemFiles(const char* description, const char* saveDir, const char* setName);

#ifdef __cplusplus
}
#endif
