#include "companions/cabinet_file.h"

#include <windows.h>
#include <fci.h>
#include <fdi.h>
#include <fcntl.h>

#include "companions/standin_text.h"
#include "companions/cabinet_streams.h"

namespace companions {

namespace {

using companions::CopyText;

struct WriteJob {
  std::vector<std::string> scratchFiles;
  std::vector<PlacedMember>* placed;
};

// The library's scratch files live in a folder of their own in Temp, named
// "vtf<hex>.tmp": every such file there is one of ours.
const char kScratchFolder[] = "VarnTools";
const char kScratchPrefix[] = "vtf";

// The scratch folder with a trailing backslash, made when missing.
bool ScratchFolder(char (&folder)[MAX_PATH]) {
  const DWORD length = GetTempPathA(sizeof folder, folder);
  if (length == 0 || length >= sizeof folder) return false;
  if (!companions::AppendText(folder, sizeof folder, kScratchFolder)) return false;
  CreateDirectoryA(folder, nullptr);  // may exist already
  const DWORD attributes = GetFileAttributesA(folder);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
         companions::AppendText(folder, sizeof folder, "\\");
}

// Scratch files left by a save that was killed. A running save keeps its own
// open without sharing deletion, so only the stale ones go.
void RemoveStaleScratchFiles() {
  char folder[MAX_PATH], pattern[MAX_PATH], path[MAX_PATH];
  if (!ScratchFolder(folder) || !CopyText(pattern, folder) ||
      !companions::AppendText(pattern, sizeof pattern, kScratchPrefix) ||
      !companions::AppendText(pattern, sizeof pattern, "*.tmp"))
    return;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern, &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && CopyText(path, folder) &&
        companions::AppendText(path, sizeof path, found.cFileName))
      DeleteFileA(path);
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

// Temp is left as it was found: the scratch folder goes once it is empty
// (it stays while another save is using it).
void RemoveScratchFolder() {
  char folder[MAX_PATH];
  const DWORD length = GetTempPathA(sizeof folder, folder);
  if (length == 0 || length >= sizeof folder ||
      !companions::AppendText(folder, sizeof folder, kScratchFolder))
    return;
  RemoveDirectoryA(folder);
}

// Hands the library the name of a scratch file that does not exist yet: the
// library creates it itself, and fails when the name is taken.
FNFCIGETTEMPFILE(GetScratchFile) {
  WriteJob* job = static_cast<WriteJob*>(pv);
  char folder[MAX_PATH], path[MAX_PATH];
  if (!ScratchFolder(folder)) return FALSE;
  if (!GetTempFileNameA(folder, kScratchPrefix, 0, path)) return FALSE;
  DeleteFileA(path);
  if (!CopyText(pszTempName, static_cast<size_t>(cbTempName), path)) return FALSE;
  job->scratchFiles.push_back(path);
  return TRUE;
}

FNFCIFILEPLACED(FilePlaced) {
  (void)pccab;
  (void)fContinuation;
  static_cast<WriteJob*>(pv)->placed->push_back({pszFile, static_cast<unsigned long>(cbFile)});
  return 0;
}

FNFCIGETNEXTCABINET(NoNextCabinet) {
  (void)pccab;
  (void)cbPrevCab;
  (void)pv;
  return FALSE;  // everything goes into one cabinet
}

FNFCISTATUS(NoStatus) {
  (void)typeStatus;
  (void)cb1;
  (void)cb2;
  (void)pv;
  return 0;
}

struct ReadJob {
  std::vector<PlacedMember> found;
  bool failed = false;
};

FNFDINOTIFY(Notify) {
  ReadJob* job = static_cast<ReadJob*>(pfdin->pv);
  StreamSet* streams = cabinet_io::Current();
  switch (fdint) {
    case fdintCOPY_FILE: {
      if (streams == nullptr) return -1;
      job->found.push_back({pfdin->psz1 ? pfdin->psz1 : "", 0});
      return reinterpret_cast<INT_PTR>(streams->OpenSink());
    }
    case fdintCLOSE_FILE_INFO: {
      CabinetStream* sink = reinterpret_cast<CabinetStream*>(pfdin->hf);
      if (!job->found.empty()) job->found.back().size = sink->written;
      if (streams) streams->Close(sink);
      return TRUE;
    }
    case fdintNEXT_CABINET:
    case fdintPARTIAL_FILE:
      job->failed = true;  // a whole backup never spans cabinets
      return -1;
    default:
      return 0;
  }
}

// The file's length; 0 when it cannot be opened, all ones past 4 GB.
unsigned long FileLength(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  DWORD high = 0;
  const DWORD low = GetFileSize(file, &high);
  CloseHandle(file);
  return high ? 0xFFFFFFFFul : low;
}

}  // namespace

bool WriteCabinet(const std::string& folder, const std::string& name,
                  const std::vector<CabinetMember>& members, std::vector<PlacedMember>* placed) {
  placed->clear();
  RemoveStaleScratchFiles();
  StreamSet streams;
  WriteJob job;
  job.placed = placed;

  CCAB cab = {};
  cab.cb = 0x7FFFFFFF;
  cab.cbFolderThresh = 0x7FFFFFFF;
  cab.iCab = 1;
  cab.setID = static_cast<USHORT>(GetTickCount());
  if (!CopyText(cab.szCabPath, sizeof cab.szCabPath, folder.c_str()) ||
      !CopyText(cab.szCab, sizeof cab.szCab, name.c_str()))
    return false;

  ERF error = {};
  HFCI fci = FCICreate(&error, FilePlaced, cabinet_io::Alloc, cabinet_io::Free,
                       cabinet_io::FciOpen, cabinet_io::FciRead, cabinet_io::FciWrite,
                       cabinet_io::FciClose, cabinet_io::FciSeek, cabinet_io::FciDelete,
                       GetScratchFile, &cab, &job);
  bool ok = fci != nullptr;
  for (size_t i = 0; ok && i < members.size(); ++i) {
    const CabinetMember& member = members[i];
    std::string source = member.source.empty() ? streams.AddMemorySource(&member.text) : member.source;
    char sourceName[MAX_PATH], memberName[MAX_PATH];
    ok = CopyText(sourceName, source.c_str()) && CopyText(memberName, member.name.c_str()) &&
         FCIAddFile(fci, sourceName, memberName, FALSE, NoNextCabinet, NoStatus,
                    cabinet_io::FciGetOpenInfo, tcompTYPE_MSZIP);
  }
  ok = ok && FCIFlushCabinet(fci, FALSE, NoNextCabinet, NoStatus);
  if (fci) FCIDestroy(fci);
  streams.CloseAll();
  for (const std::string& scratch : job.scratchFiles) DeleteFileA(scratch.c_str());
  RemoveScratchFolder();
  return ok && placed->size() == members.size();
}

bool VerifyCabinet(const std::string& folder, const std::string& name,
                   const std::vector<PlacedMember>& expected) {
  StreamSet streams;
  ERF error = {};
  HFDI fdi = FDICreate(cabinet_io::Alloc, cabinet_io::Free, cabinet_io::Open, cabinet_io::Read,
                       cabinet_io::Write, cabinet_io::Close, cabinet_io::Seek, cpuUNKNOWN, &error);
  if (fdi == nullptr) return false;

  const std::string path = folder + name;
  bool ok = false;
  FDICABINETINFO info = {};
  char pathText[MAX_PATH];
  if (CopyText(pathText, path.c_str())) {
    const INT_PTR handle = cabinet_io::Open(pathText, _O_RDONLY | _O_BINARY, 0);
    if (handle != -1) {
      ok = FDIIsCabinet(fdi, handle, &info) != FALSE;
      cabinet_io::Close(handle);
    }
  }
  ok = ok && !info.hasprev && !info.hasnext && info.cFiles == expected.size() &&
       static_cast<unsigned long>(info.cbCabinet) == FileLength(path);

  ReadJob job;
  char cabName[MAX_PATH], cabFolder[MAX_PATH];
  ok = ok && CopyText(cabName, name.c_str()) && CopyText(cabFolder, folder.c_str()) &&
       FDICopy(fdi, cabName, cabFolder, 0, Notify, nullptr, &job) && !job.failed;
  FDIDestroy(fdi);
  streams.CloseAll();
  if (!ok || job.found.size() != expected.size()) return false;
  for (size_t i = 0; i < expected.size(); ++i) {
    if (lstrcmpiA(job.found[i].name.c_str(), expected[i].name.c_str()) != 0 ||
        job.found[i].size != expected[i].size)
      return false;
  }
  return true;
}

}  // namespace companions
