// Bitmap resources held in memory, by number or by name.
#pragma once

#include <stdint.h>

#include <map>
#include <string>
#include <vector>

#include "presentation/bitmap_resources.h"

namespace tessaly {

class FakeBitmapResources : public BitmapResources {
 public:
  std::map<uint16_t, std::vector<uint8_t>> byNumber;
  std::map<std::string, std::vector<uint8_t>> byName;
  int finds = 0;

  bool FindBitmap(const char* name, const uint8_t** data, size_t* size) override {
    ++finds;
    const std::vector<uint8_t>* bytes = nullptr;
    if ((reinterpret_cast<uintptr_t>(name) >> 16) == 0) {  // IS_INTRESOURCE
      auto it = byNumber.find(static_cast<uint16_t>(reinterpret_cast<uintptr_t>(name)));
      if (it != byNumber.end()) bytes = &it->second;
    } else {
      auto it = byName.find(name);
      if (it != byName.end()) bytes = &it->second;
    }
    if (!bytes) return false;
    *data = bytes->data();
    *size = bytes->size();
    return true;
  }
};

}  // namespace tessaly
