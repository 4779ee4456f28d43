// The splash window's picture choice: the 256-colour picture on rich-colour
// displays (with its own palette as background palette on an 8-bit palette
// display), the 16-colour picture otherwise.
#pragma once

namespace tessaly {

enum class PaletteMode : int { None = 0, Background = 1, Foreground = 2 };

struct SplashPicture {
  int bitmapId;
  PaletteMode paletteMode;
};

inline constexpr int kSplashBitmapRich = 177;
inline constexpr int kSplashBitmapPlain = 169;

inline SplashPicture ChooseSplashPicture(bool richColour, bool paletteDevice) {
  if (!richColour) return SplashPicture{kSplashBitmapPlain, PaletteMode::None};
  return SplashPicture{kSplashBitmapRich,
                       paletteDevice ? PaletteMode::Background : PaletteMode::None};
}

}  // namespace tessaly
