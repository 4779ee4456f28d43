// Packed-DIB parsing and palettes from colour tables.
#include <gtest/gtest.h>

#include "fakes/dib_builder.h"
#include "fakes/software_gdi.h"
#include "presentation/dib.h"
#include "presentation/palette.h"

namespace tessaly {
namespace {

struct DepthCase {
  uint16_t bitCount;
  uint32_t clrUsed;
  uint32_t expectedEntries;
};

class DibDepthTest : public ::testing::TestWithParam<DepthCase> {};

TEST_P(DibDepthTest, ColourTableSizeAndPixelOffsetFollowTheBitCountOnly) {
  const DepthCase c = GetParam();
  DibLayout layout;
  layout.width = 5;
  layout.height = 3;
  layout.bitCount = c.bitCount;
  layout.clrUsed = c.clrUsed;
  const std::vector<uint8_t> bytes = BuildDib(layout);

  DibInfo dib{};
  ASSERT_TRUE(ParseDib(bytes.data(), bytes.size(), &dib));
  EXPECT_EQ(dib.colourCount, c.expectedEntries);
  EXPECT_EQ(dib.pixelOffset, 40u + 4u * c.expectedEntries);
  EXPECT_EQ(dib.pixels, bytes.data() + dib.pixelOffset);
  EXPECT_EQ(dib.colourTable, c.expectedEntries ? bytes.data() + 40 : nullptr);
  EXPECT_EQ(dib.width, 5);
  EXPECT_EQ(dib.height, 3);
  EXPECT_EQ(dib.pixelOffset + dib.pixelBytes, bytes.size());
}

INSTANTIATE_TEST_SUITE_P(Depths, DibDepthTest,
                         ::testing::Values(DepthCase{1, 0, 2}, DepthCase{4, 0, 16},
                                           DepthCase{4, 3, 16}, DepthCase{8, 0, 256},
                                           DepthCase{8, 16, 256}, DepthCase{8, 300, 256},
                                           DepthCase{16, 0, 0}, DepthCase{24, 0, 0},
                                           DepthCase{24, 256, 0}, DepthCase{32, 0, 0}));

TEST(DibParse, PixelRowsFollowALargerHeaderSize) {
  DibLayout layout;
  layout.bitCount = 4;
  layout.headerSize = 108;
  const std::vector<uint8_t> bytes = BuildDib(layout);
  DibInfo dib{};
  ASSERT_TRUE(ParseDib(bytes.data(), bytes.size(), &dib));
  EXPECT_EQ(dib.colourTable, bytes.data() + 108);
  EXPECT_EQ(dib.pixelOffset, 108u + 64u);
}

TEST(DibParse, RowsArePaddedToFourBytes) {
  DibLayout layout;
  layout.width = 13;
  layout.height = 13;
  layout.bitCount = 4;
  const std::vector<uint8_t> bytes = BuildDib(layout);
  DibInfo dib{};
  ASSERT_TRUE(ParseDib(bytes.data(), bytes.size(), &dib));
  EXPECT_EQ(dib.rowBytes, 8u);
  EXPECT_EQ(dib.pixelBytes, 8u * 13u);
}

// Each case damages one field of a sound 8-bit 4 x 2 DIB.
struct Malformed {
  const char* name;
  void (*damage)(std::vector<uint8_t>&);
};

const Malformed kMalformed[] = {
    {"Empty", [](std::vector<uint8_t>& b) { b.clear(); }},
    {"ShortHeader", [](std::vector<uint8_t>& b) { b.resize(39); }},
    {"HeaderOnly", [](std::vector<uint8_t>& b) { b.resize(40); }},
    {"TruncatedColourTable", [](std::vector<uint8_t>& b) { b.resize(40 + 4 * 255); }},
    {"TruncatedPixels", [](std::vector<uint8_t>& b) { b.pop_back(); }},
    {"HeaderSizeTooSmall", [](std::vector<uint8_t>& b) { PutU32(b, 0, 12); }},
    {"HeaderSizePastEnd", [](std::vector<uint8_t>& b) { PutU32(b, 0, static_cast<uint32_t>(b.size() + 1)); }},
    {"HeaderSizeHuge", [](std::vector<uint8_t>& b) { PutU32(b, 0, 0xFFFFFFF0u); }},
    {"ZeroWidth", [](std::vector<uint8_t>& b) { PutU32(b, 4, 0); }},
    {"NegativeWidth", [](std::vector<uint8_t>& b) { PutU32(b, 4, static_cast<uint32_t>(-4)); }},
    {"ZeroHeight", [](std::vector<uint8_t>& b) { PutU32(b, 8, 0); }},
    {"MinimumHeight", [](std::vector<uint8_t>& b) { PutU32(b, 8, 0x80000000u); }},
    {"HugeWidth", [](std::vector<uint8_t>& b) { PutU32(b, 4, 0x7FFFFFFFu); }},
    {"HugeHeight", [](std::vector<uint8_t>& b) { PutU32(b, 8, 0x7FFFFFFFu); }},
    {"TwoPlanes", [](std::vector<uint8_t>& b) { PutU16(b, 12, 2); }},
    {"ZeroBits", [](std::vector<uint8_t>& b) { PutU16(b, 14, 0); }},
    {"SevenBits", [](std::vector<uint8_t>& b) { PutU16(b, 14, 7); }},
    {"FortyBits", [](std::vector<uint8_t>& b) { PutU16(b, 14, 40); }},
    {"RunLengthEncoded", [](std::vector<uint8_t>& b) { PutU32(b, 16, 1); }},
    {"BitFields", [](std::vector<uint8_t>& b) { PutU32(b, 16, 3); }},
};

class DibMalformedTest : public ::testing::TestWithParam<Malformed> {};

TEST_P(DibMalformedTest, IsRejectedAndLeavesTheResultUntouched) {
  DibLayout layout;
  layout.width = 4;
  layout.height = 2;
  layout.bitCount = 8;
  std::vector<uint8_t> bytes = BuildDib(layout);
  DibInfo sound{};
  ASSERT_TRUE(ParseDib(bytes.data(), bytes.size(), &sound));

  GetParam().damage(bytes);
  DibInfo dib{};
  dib.width = 1234;
  EXPECT_FALSE(ParseDib(bytes.data(), bytes.size(), &dib));
  EXPECT_EQ(dib.width, 1234);
}

INSTANTIATE_TEST_SUITE_P(Cases, DibMalformedTest, ::testing::ValuesIn(kMalformed),
                         [](const ::testing::TestParamInfo<Malformed>& info) {
                           return std::string(info.param.name);
                         });

TEST(DibParse, NullDataIsRejected) {
  DibInfo dib{};
  EXPECT_FALSE(ParseDib(nullptr, 100, &dib));
}

TEST(DibParse, ATopDownDibIsAccepted) {
  DibLayout layout;
  layout.width = 2;
  layout.height = -3;
  layout.bitCount = 24;
  const std::vector<uint8_t> bytes = BuildDib(layout);
  DibInfo dib{};
  ASSERT_TRUE(ParseDib(bytes.data(), bytes.size(), &dib));
  EXPECT_EQ(dib.height, -3);
  EXPECT_EQ(dib.pixelBytes, 8u * 3u);
}

// Every prefix of a sound DIB is either rejected or parsed within its bytes.
TEST(DibParse, NoPrefixOfASoundDibIsReadPastItsEnd) {
  DibLayout layout;
  layout.width = 3;
  layout.height = 2;
  layout.bitCount = 4;
  const std::vector<uint8_t> bytes = BuildDib(layout);
  for (size_t n = 0; n < bytes.size(); ++n) {
    std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + n);
    DibInfo dib{};
    EXPECT_FALSE(ParseDib(prefix.data(), prefix.size(), &dib)) << n;
  }
}

class DibPaletteTest : public ::testing::TestWithParam<uint16_t> {};

TEST_P(DibPaletteTest, EntriesAreTheColourTableInRedGreenBlueOrder) {
  DibLayout layout;
  layout.bitCount = GetParam();
  layout.clrUsed = 2;  // not consulted
  const uint32_t entries = 1u << layout.bitCount;
  for (uint32_t i = 0; i < entries; ++i)
    layout.table.push_back(Rgb(static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                             static_cast<uint8_t>(i * 7)));
  const std::vector<uint8_t> bytes = BuildDib(layout);
  DibInfo dib{};
  ASSERT_TRUE(ParseDib(bytes.data(), bytes.size(), &dib));

  SoftwareGdi gdi;
  uint32_t count = 0;
  const GdiObject palette = CreateDibPalette(gdi, dib, count);
  ASSERT_NE(palette, 0u);
  EXPECT_EQ(count, entries);
  const SoftwareGdi::Palette* p = gdi.FindPalette(palette);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->log.version, 0x300);
  EXPECT_EQ(p->log.numEntries, entries);
  for (uint32_t i = 0; i < entries; ++i) {
    EXPECT_EQ(p->log.entries[i].red, static_cast<uint8_t>(i)) << i;
    EXPECT_EQ(p->log.entries[i].green, static_cast<uint8_t>(255 - i)) << i;
    EXPECT_EQ(p->log.entries[i].blue, static_cast<uint8_t>(i * 7)) << i;
    EXPECT_EQ(p->log.entries[i].flags, 0) << i;
  }
  EXPECT_TRUE(gdi.DeleteObject(palette));
  EXPECT_EQ(gdi.LiveObjects(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Depths, DibPaletteTest, ::testing::Values(1, 4, 8));

class DibNoPaletteTest : public ::testing::TestWithParam<uint16_t> {};

TEST_P(DibNoPaletteTest, DeepBitmapsHaveNoPaletteAndACountOfZero) {
  DibLayout layout;
  layout.bitCount = GetParam();
  layout.clrUsed = 16;
  const std::vector<uint8_t> bytes = BuildDib(layout);
  DibInfo dib{};
  ASSERT_TRUE(ParseDib(bytes.data(), bytes.size(), &dib));
  SoftwareGdi gdi;
  uint32_t count = 99;
  EXPECT_EQ(CreateDibPalette(gdi, dib, count), 0u);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(gdi.LiveObjects(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Depths, DibNoPaletteTest, ::testing::Values(16, 24, 32));

TEST(DibPalette, FillLeavesUnusedEntriesZero) {
  DibLayout layout;
  layout.bitCount = 4;
  layout.table.assign(16, Rgb(1, 2, 3));
  const std::vector<uint8_t> bytes = BuildDib(layout);
  DibInfo dib{};
  ASSERT_TRUE(ParseDib(bytes.data(), bytes.size(), &dib));
  LogPalette log;
  memset(&log, 0xAB, sizeof(log));
  EXPECT_EQ(FillDibPalette(dib, &log), 16u);
  EXPECT_EQ(log.entries[15].red, 1);
  EXPECT_EQ(log.entries[15].blue, 3);
  EXPECT_EQ(log.entries[16].red, 0);
  EXPECT_EQ(log.entries[255].flags, 0);
}

}  // namespace
}  // namespace tessaly
