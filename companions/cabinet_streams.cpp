#include "companions/cabinet_streams.h"

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>

namespace companions {

namespace {

thread_local StreamSet* currentSet = nullptr;

const char kMemoryPrefix[] = "<memory:";

CabinetStream* AsStream(INT_PTR handle) { return reinterpret_cast<CabinetStream*>(handle); }

DWORD CreationFor(int oflag) {
  const bool create = (oflag & _O_CREAT) != 0;
  const bool truncate = (oflag & _O_TRUNC) != 0;
  if (create && (oflag & _O_EXCL)) return CREATE_NEW;
  if (create && truncate) return CREATE_ALWAYS;
  if (create) return OPEN_ALWAYS;
  if (truncate) return TRUNCATE_EXISTING;
  return OPEN_EXISTING;
}

DWORD AccessFor(int oflag) {
  switch (oflag & (_O_RDONLY | _O_WRONLY | _O_RDWR)) {
    case _O_WRONLY: return GENERIC_WRITE;
    case _O_RDWR: return GENERIC_READ | GENERIC_WRITE;
    default: return GENERIC_READ;
  }
}

}  // namespace

StreamSet::StreamSet() : previous_(currentSet) { currentSet = this; }

StreamSet::~StreamSet() {
  CloseAll();
  currentSet = previous_;
}

std::string StreamSet::AddMemorySource(const std::string* text) {
  texts_.push_back(text);
  return kMemoryPrefix + std::to_string(texts_.size() - 1) + ">";
}

const std::string* StreamSet::MemorySource(const char* name) const {
  const size_t prefix = sizeof(kMemoryPrefix) - 1;
  if (name == nullptr || strncmp(name, kMemoryPrefix, prefix) != 0) return nullptr;
  char* end = nullptr;
  const unsigned long index = strtoul(name + prefix, &end, 10);
  if (end == name + prefix || strcmp(end, ">") != 0 || index >= texts_.size()) return nullptr;
  return texts_[index];
}

CabinetStream* StreamSet::Open(const char* name, int oflag, int* error) {
  CabinetStream* stream = new CabinetStream;
  if (const std::string* text = MemorySource(name)) {
    stream->kind = CabinetStream::kMemory;
    stream->memory = text;
  } else {
    stream->file = CreateFileA(name, AccessFor(oflag), FILE_SHARE_READ, nullptr, CreationFor(oflag),
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (stream->file == INVALID_HANDLE_VALUE) {
      if (error) *error = static_cast<int>(GetLastError());
      delete stream;
      return nullptr;
    }
  }
  open_.push_back(stream);
  return stream;
}

CabinetStream* StreamSet::OpenSink() {
  CabinetStream* stream = new CabinetStream;
  stream->kind = CabinetStream::kSink;
  open_.push_back(stream);
  return stream;
}

void StreamSet::Close(CabinetStream* stream) {
  auto found = std::find(open_.begin(), open_.end(), stream);
  if (found == open_.end()) return;
  open_.erase(found);
  if (stream->file != INVALID_HANDLE_VALUE) CloseHandle(stream->file);
  delete stream;
}

void StreamSet::CloseAll() {
  while (!open_.empty()) Close(open_.back());
}

namespace cabinet_io {

StreamSet* Current() { return currentSet; }

FNALLOC(Alloc) { return malloc(cb); }
FNFREE(Free) { free(pv); }

FNOPEN(Open) {
  (void)pmode;
  if (currentSet == nullptr) return -1;
  CabinetStream* stream = currentSet->Open(pszFile, oflag, nullptr);
  return stream ? reinterpret_cast<INT_PTR>(stream) : -1;
}

FNREAD(Read) {
  CabinetStream* stream = AsStream(hf);
  if (stream->kind == CabinetStream::kMemory) {
    const size_t left = stream->memory->size() - std::min(stream->position, stream->memory->size());
    const size_t count = std::min<size_t>(cb, left);
    memcpy(pv, stream->memory->data() + stream->position, count);
    stream->position += count;
    return static_cast<UINT>(count);
  }
  if (stream->kind == CabinetStream::kSink) return static_cast<UINT>(-1);
  DWORD done = 0;
  if (!ReadFile(stream->file, pv, cb, &done, nullptr)) return static_cast<UINT>(-1);
  return done;
}

FNWRITE(Write) {
  CabinetStream* stream = AsStream(hf);
  if (stream->kind == CabinetStream::kSink) {
    stream->written += cb;
    return cb;
  }
  if (stream->kind == CabinetStream::kMemory) return static_cast<UINT>(-1);
  DWORD done = 0;
  if (!WriteFile(stream->file, pv, cb, &done, nullptr) || done != cb) return static_cast<UINT>(-1);
  return done;
}

FNCLOSE(Close) {
  if (currentSet == nullptr) return -1;
  currentSet->Close(AsStream(hf));
  return 0;
}

FNSEEK(Seek) {
  CabinetStream* stream = AsStream(hf);
  if (stream->kind == CabinetStream::kMemory) {
    long base = 0;
    if (seektype == SEEK_CUR) base = static_cast<long>(stream->position);
    if (seektype == SEEK_END) base = static_cast<long>(stream->memory->size());
    const long target = base + dist;
    if (target < 0) return -1;
    stream->position = static_cast<size_t>(target);
    return target;
  }
  if (stream->kind == CabinetStream::kSink) return -1;
  const DWORD method = seektype == SEEK_CUR ? FILE_CURRENT : seektype == SEEK_END ? FILE_END : FILE_BEGIN;
  const DWORD at = SetFilePointer(stream->file, dist, nullptr, method);
  if (at == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) return -1;
  return static_cast<long>(at);
}

FNFCIOPEN(FciOpen) {
  (void)pmode;
  (void)pv;
  if (currentSet == nullptr) return -1;
  CabinetStream* stream = currentSet->Open(pszFile, oflag, err);
  return stream ? reinterpret_cast<INT_PTR>(stream) : -1;
}

FNFCIREAD(FciRead) {
  (void)pv;
  const UINT done = Read(hf, memory, cb);
  if (done == static_cast<UINT>(-1) && err) *err = static_cast<int>(GetLastError());
  return done;
}

FNFCIWRITE(FciWrite) {
  (void)pv;
  const UINT done = Write(hf, memory, cb);
  if (done == static_cast<UINT>(-1) && err) *err = static_cast<int>(GetLastError());
  return done;
}

FNFCICLOSE(FciClose) {
  (void)err;
  (void)pv;
  return Close(hf);
}

FNFCISEEK(FciSeek) {
  (void)pv;
  const long at = Seek(hf, dist, seektype);
  if (at < 0 && err) *err = static_cast<int>(GetLastError());
  return at;
}

FNFCIDELETE(FciDelete) {
  (void)pv;
  if (DeleteFileA(pszFile)) return 0;
  if (err) *err = static_cast<int>(GetLastError());
  return -1;
}

// Opens a member's source for reading and gives its date, time and
// attributes as the cabinet keeps them (local time, DOS format).
FNFCIGETOPENINFO(FciGetOpenInfo) {
  (void)pv;
  if (currentSet == nullptr) return -1;
  CabinetStream* stream = currentSet->Open(pszName, _O_RDONLY, err);
  if (stream == nullptr) return -1;
  FILETIME written;
  *pattribs = _A_ARCH;
  if (stream->kind == CabinetStream::kFile) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(stream->file, &info)) {
      if (err) *err = static_cast<int>(GetLastError());
      currentSet->Close(stream);
      return -1;
    }
    written = info.ftLastWriteTime;
    *pattribs = static_cast<USHORT>(info.dwFileAttributes &
                                    (_A_RDONLY | _A_HIDDEN | _A_SYSTEM | _A_ARCH));
  } else {
    GetSystemTimeAsFileTime(&written);
  }
  FILETIME local;
  if (!FileTimeToLocalFileTime(&written, &local) || !FileTimeToDosDateTime(&local, pdate, ptime)) {
    *pdate = (1 << 5) | 1;  // 1 January 1980
    *ptime = 0;
  }
  return reinterpret_cast<INT_PTR>(stream);
}

}  // namespace cabinet_io

}  // namespace companions
