// The program's bitmap resources as the drawing logic finds them.
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace tessaly {

// The program's bitmap resources: FindResourceA(RT_BITMAP), LoadResource,
// LockResource and SizeofResource together.
class BitmapResources {
 public:
  virtual ~BitmapResources() = default;
  // The packed DIB bytes of the bitmap named name (a text, or a number in
  // the form of ResourceNumber); false when there is no such resource.
  virtual bool FindBitmap(const char* name, const uint8_t** data, size_t* size) = 0;
};

// A resource number as a resource name (MAKEINTRESOURCEA).
inline const char* ResourceNumber(uint16_t id) {
  return reinterpret_cast<const char*>(static_cast<uintptr_t>(id));
}

}  // namespace tessaly
