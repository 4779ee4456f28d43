// The file callbacks of the cabinet library (FCI and FDI): every handle they
// pass around is a CabinetStream, which reads or writes a disk file, reads a
// text held in memory, or counts the bytes written to it and drops them.
// Every stream opened is listed in the StreamSet in force on the thread, so
// that a failed run can close whatever the library left open before the
// caller deletes its files.
#pragma once

#include <windows.h>
#include <fci.h>
#include <fdi.h>

#include <string>
#include <vector>

namespace companions {

struct CabinetStream {
  enum Kind { kFile, kMemory, kSink } kind = kFile;
  HANDLE file = INVALID_HANDLE_VALUE;
  const std::string* memory = nullptr;
  size_t position = 0;
  unsigned long written = 0;  // bytes written to a sink
};

// Text members served from memory: a source name of the form "<memory:N>"
// opens texts[N].
class StreamSet {
 public:
  StreamSet();
  ~StreamSet();  // closes every stream still open
  StreamSet(const StreamSet&) = delete;
  StreamSet& operator=(const StreamSet&) = delete;

  // Registers a text and returns the source name that opens it.
  std::string AddMemorySource(const std::string* text);

  CabinetStream* Open(const char* name, int oflag, int* error);
  CabinetStream* OpenSink();
  void Close(CabinetStream* stream);
  void CloseAll();
  const std::string* MemorySource(const char* name) const;

 private:
  std::vector<const std::string*> texts_;
  std::vector<CabinetStream*> open_;
  StreamSet* previous_;
};

// The callbacks, over the StreamSet in force on the calling thread.
namespace cabinet_io {
FNALLOC(Alloc);
FNFREE(Free);
FNOPEN(Open);
FNREAD(Read);
FNWRITE(Write);
FNCLOSE(Close);
FNSEEK(Seek);
FNFCIOPEN(FciOpen);
FNFCIREAD(FciRead);
FNFCIWRITE(FciWrite);
FNFCICLOSE(FciClose);
FNFCISEEK(FciSeek);
FNFCIDELETE(FciDelete);
FNFCIGETOPENINFO(FciGetOpenInfo);
StreamSet* Current();
}  // namespace cabinet_io

}  // namespace companions
