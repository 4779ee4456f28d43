// The splash window's picture choice: the 256-colour picture on rich-colour
// displays (with its own palette as background palette on an 8-bit palette
// display), the 16-colour picture otherwise.
#pragma once

#include "presentation/bitmap_resource.h"
#include "res/resource.h"

namespace tessaly {

struct SplashPicture {
  int bitmapId;
  PaletteMode paletteMode;
};

inline SplashPicture ChooseSplashPicture(bool richColour, bool paletteDevice) {
  if (!richColour) return SplashPicture{IDB_SPLASH_16, PaletteMode::None};
  return SplashPicture{IDB_SPLASH_256,
                       paletteDevice ? PaletteMode::Background : PaletteMode::None};
}

}  // namespace tessaly
