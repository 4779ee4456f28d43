// VarnTools.dll: keeps the product texts it is initialised with and saves the
// machine's critical system files into a backup set's first cabinet.
#include "companions/varn_tools.h"

#include <windows.h>

#include "companions/cabinet_file.h"
#include "companions/cabinet_paths.h"
#include "companions/cabinet_replace.h"
#include "companions/initial_texts.h"
#include "companions/system_file_list.h"

namespace {

using namespace companions;

InitialTexts toolTexts;

bool IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string WindowsFolder() {
  char folder[MAX_PATH];
  const UINT length = GetWindowsDirectoryA(folder, sizeof folder);
  return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string();
}

// The description member: the caller's text, then who made the backup.
std::string DescriptionText(const char* description) {
  std::string text = description ? description : "";
  text += "\r\n";
  if (toolTexts.company[0] || toolTexts.product[0])
    text += std::string("Saved by ") + toolTexts.company + " " + toolTexts.product + "\r\n";
  return text;
}

bool SaveCabinet(const char* description, const CabinetPaths& paths) {
  std::vector<CabinetMember> members;
  if (!SystemFileMembers(WindowsFolder(), IsFile, &members)) return false;
  members.push_back({"", kDescriptionMember, DescriptionText(description)});

  std::vector<PlacedMember> placed;
  if (WriteCabinet(paths.folder, paths.newName, members, &placed) &&
      VerifyCabinet(paths.folder, paths.newName, placed) && ReplaceCabinet(paths))
    return true;
  DeleteFileA(paths.New().c_str());
  return false;
}

}  // namespace

extern "C" {

int __stdcall DoInitializeTools(const char* company, const char* product, const char* folder) {
  toolTexts.Keep(company, product, folder);  // cuts over-long texts, never fails
  return 1;
}

int __stdcall SaveSystemFiles(const char* description, const char* saveDir, const char* setName) {
  CabinetPaths paths;
  try {
    if (!MakeCabinetPaths(saveDir, setName, &paths) || !IsFolder(paths.folder)) return 0;
    if (!PrepareCabinetPaths(paths)) return 0;
    return SaveCabinet(description, paths) ? 1 : 0;
  } catch (...) {
    if (!paths.newName.empty()) DeleteFileA(paths.New().c_str());
    return 0;
  }
}

}  // extern "C"
