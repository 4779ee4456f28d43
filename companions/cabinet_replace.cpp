#include "companions/cabinet_replace.h"

#include <windows.h>

namespace companions {

namespace {

enum class Entry { kNone, kFile, kFolder };

Entry Probe(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return Entry::kNone;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? Entry::kFolder : Entry::kFile;
}

bool DeleteIfFile(const std::string& path) {
  const Entry entry = Probe(path);
  if (entry == Entry::kFolder) return false;
  if (entry == Entry::kNone) return true;
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  return DeleteFileA(path.c_str()) != FALSE;
}

}  // namespace

bool PrepareCabinetPaths(const CabinetPaths& paths) {
  const Entry current = Probe(paths.Final());
  const Entry kept = Probe(paths.Old());
  if (current == Entry::kFolder || kept == Entry::kFolder || Probe(paths.New()) == Entry::kFolder)
    return false;
  if (current == Entry::kNone && kept == Entry::kFile) {
    // An earlier run renamed the old cabinet aside and stopped before the new
    // one was in place: the old one is the set's cabinet.
    if (!MoveFileA(paths.Old().c_str(), paths.Final().c_str())) return false;
  }
  return DeleteIfFile(paths.Old()) && DeleteIfFile(paths.New());
}

bool ReplaceCabinet(const CabinetPaths& paths) {
  const std::string current = paths.Final(), fresh = paths.New(), kept = paths.Old();
  const Entry existing = Probe(current);
  bool ok = existing != Entry::kFolder && DeleteIfFile(kept);
  const bool setAside = ok && existing == Entry::kFile;
  if (setAside) ok = MoveFileA(current.c_str(), kept.c_str()) != FALSE;
  if (ok) ok = MoveFileA(fresh.c_str(), current.c_str()) != FALSE;
  if (!ok) {
    if (setAside && Probe(current) == Entry::kNone && Probe(kept) == Entry::kFile)
      MoveFileA(kept.c_str(), current.c_str());
    DeleteIfFile(fresh);
    return false;
  }
  if (setAside) DeleteIfFile(kept);  // a leftover here is tidied by the next run
  return true;
}

}  // namespace companions
