// The display probe's decisions.
#include <gtest/gtest.h>

#include "fakes/software_gdi.h"
#include "presentation/display_probe.h"

namespace tessaly {
namespace {

struct Display {
  int bitsPixel, planes, logPixelsX;
  int32_t bitsPerPixel, paletteDevice, largeFonts;
};

class ProbeDisplayTest : public ::testing::TestWithParam<Display> {};

TEST_P(ProbeDisplayTest, DecidesFromTheDisplayCapabilities) {
  const Display d = GetParam();
  SoftwareGdi gdi;
  gdi.bitsPixel = d.bitsPixel;
  gdi.planes = d.planes;
  gdi.logPixelsX = d.logPixelsX;
  int32_t bitsPerPixel = -1, paletteDevice = -1, largeFonts = -1;
  ReadDisplayAttributes(gdi, bitsPerPixel, paletteDevice, largeFonts);
  EXPECT_EQ(bitsPerPixel, d.bitsPerPixel);
  EXPECT_EQ(paletteDevice, d.paletteDevice);
  EXPECT_EQ(largeFonts, d.largeFonts);
  EXPECT_EQ(gdi.LiveDcs(), 0u);  // the information context is deleted
  EXPECT_TRUE(gdi.problems.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Displays, ProbeDisplayTest,
    ::testing::Values(Display{4, 1, 96, 4, 0, 0}, Display{1, 4, 96, 4, 0, 0},
                      Display{8, 1, 96, 8, 1, 0}, Display{16, 1, 96, 16, 0, 0},
                      Display{24, 1, 96, 24, 0, 0}, Display{32, 1, 96, 32, 0, 0},
                      Display{4, 1, 120, 4, 0, 1}, Display{8, 1, 120, 8, 1, 1},
                      Display{16, 1, 120, 16, 0, 1}, Display{24, 1, 120, 24, 0, 1},
                      Display{8, 1, 97, 8, 1, 1}, Display{4, 2, 72, 8, 1, 0}));

TEST(ProbeDisplay, WithoutAnInformationContextEverythingIsZero) {
  SoftwareGdi gdi;
  gdi.failDisplayIC = true;
  int32_t bitsPerPixel = -1, paletteDevice = -1, largeFonts = -1;
  ReadDisplayAttributes(gdi, bitsPerPixel, paletteDevice, largeFonts);
  EXPECT_EQ(bitsPerPixel, 0);
  EXPECT_EQ(paletteDevice, 0);
  EXPECT_EQ(largeFonts, 0);
}

}  // namespace
}  // namespace tessaly
