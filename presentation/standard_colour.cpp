#include "presentation/standard_colour.h"

namespace tessaly {
namespace {

constexpr ColourRef kStandardColours[kStandardColourCount] = {
    Rgb(0, 0, 0),       Rgb(0, 0, 128),     Rgb(0, 128, 0),     Rgb(0, 128, 128),
    Rgb(128, 0, 0),     Rgb(128, 0, 128),   Rgb(128, 128, 0),   Rgb(192, 192, 192),
    Rgb(128, 128, 128), Rgb(0, 0, 255),     Rgb(0, 255, 0),     Rgb(0, 255, 255),
    Rgb(255, 0, 0),     Rgb(255, 0, 255),   Rgb(255, 255, 0),   Rgb(255, 255, 255),
};

}  // namespace

ColourRef StandardColour(int index) {
  if (index < 0 || index >= kStandardColourCount) return Rgb(0, 0, 0);
  return kStandardColours[index];
}

}  // namespace tessaly
