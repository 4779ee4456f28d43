// Pure colours for drawing tests: every display of 15 bits or more, and the
// static colours of an 8-bit one, show them exactly.
#pragma once

#include "presentation/gdi.h"

namespace tessaly {
namespace colours {

constexpr ColourRef kBlack = Rgb(0, 0, 0);
constexpr ColourRef kWhite = Rgb(255, 255, 255);
constexpr ColourRef kRed = Rgb(255, 0, 0);
constexpr ColourRef kGreen = Rgb(0, 255, 0);
constexpr ColourRef kBlue = Rgb(0, 0, 255);
constexpr ColourRef kCyan = Rgb(0, 255, 255);
constexpr ColourRef kMagenta = Rgb(255, 0, 255);
constexpr ColourRef kYellow = Rgb(255, 255, 0);
constexpr ColourRef kGrey = Rgb(128, 128, 128);

}  // namespace colours
}  // namespace tessaly
