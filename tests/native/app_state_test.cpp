// The display's colour class: the 256-colour pictures are for displays that
// show 256 colours or more, the 16-colour ones for every other depth.
#include "base/app_state.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(DisplayAttributes, RichColourFrom256ColoursUp) {
  for (int32_t bits = 1; bits <= 32; ++bits) {
    AppState app;
    app.display.bitsPerPixel = bits;
    const double colours = static_cast<double>(uint64_t{1} << bits);
    EXPECT_EQ(app.IsRichColour(), colours >= 256) << bits << " bits per pixel";
  }
}

}  // namespace
}  // namespace tessaly
