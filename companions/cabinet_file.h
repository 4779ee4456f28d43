// Writing a cabinet with the platform's cabinet library (FCI, MSZIP
// compression) and reading it back whole (FDI) to prove it sound.
#pragma once

#include <string>
#include <vector>

#include "companions/system_file_list.h"

namespace companions {

struct PlacedMember {
  std::string name;
  unsigned long size;
};

// Writes folder + name (folder ends in a backslash) as a one-cabinet set of
// the members, in order. *placed receives each member's name and size as the
// library stored it. False on failure; a partly written cabinet is then left
// for the caller to delete. The library's scratch files are always deleted,
// and any left in the scratch folder by a save that was killed go first.
bool WriteCabinet(const std::string& folder, const std::string& name,
                  const std::vector<CabinetMember>& members, std::vector<PlacedMember>* placed);

// Reads folder + name back through the cabinet library, decompressing every
// member: true when it is a whole single cabinet holding exactly the expected
// members, in order, with their sizes, and its length is the one its header
// gives.
bool VerifyCabinet(const std::string& folder, const std::string& name,
                   const std::vector<PlacedMember>& expected);

}  // namespace companions
