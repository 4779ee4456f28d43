// FormatText over MSVCRT's own _vsnprintf, as the program is built: the text
// is cut to the buffer, always terminated, never written past the buffer's
// end, and the result tells whether it was cut, for every length of the
// output around the buffer's size (MSVCRT leaves no terminator when the text
// fills the buffer exactly and returns -1 when it is longer).
#include <string.h>

#include <string>

#include <gtest/gtest.h>

#include "base/text.h"

namespace tessaly {
namespace {

struct FormatCase {
  const char* name;
  size_t length;  // characters the format produces
  bool whole;     // all of them fit a 10-byte buffer
};

class FormatTextOnMsvcrt : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTextOnMsvcrt, CutsTerminatesAndStaysInsideTheBuffer) {
  const FormatCase& c = GetParam();
  const std::string text(c.length, 'x');
  char out[10 + 8];
  memset(out, '#', sizeof out);
  EXPECT_EQ(FormatText(out, 10, "%s", text.c_str()), c.whole);
  EXPECT_EQ(std::string(out), text.substr(0, 9));
  for (size_t i = 10; i < sizeof out; ++i) ASSERT_EQ(out[i], '#') << i;
}

INSTANTIATE_TEST_SUITE_P(Lengths, FormatTextOnMsvcrt,
                         ::testing::Values(FormatCase{"Empty", 0, true},
                                           FormatCase{"Short", 4, true},
                                           FormatCase{"FillsAllButTheTerminator", 9, true},
                                           FormatCase{"FillsTheBufferExactly", 10, false},
                                           FormatCase{"OneMore", 11, false},
                                           FormatCase{"MuchLonger", 300, false}),
                         [](const ::testing::TestParamInfo<FormatCase>& info) {
                           return std::string(info.param.name);
                         });

// The program's own formats, as MSVCRT 4.20 understands them.
TEST(FormatTextOnMsvcrt, TheProgramsFormats) {
  char out[64];
  EXPECT_TRUE(FormatText(out, sizeof out, "Tessaly%d", 5));
  EXPECT_STREQ(out, "Tessaly5");
  EXPECT_TRUE(FormatText(out, sizeof out, "%02u:%04u", 7u, 26u));
  EXPECT_STREQ(out, "07:0026");
  EXPECT_TRUE(FormatText(out, sizeof out, "Software\\%s\\%s", "Brenmoor Software Corp", "Vantor"));
  EXPECT_STREQ(out, "Software\\Brenmoor Software Corp\\Vantor");
}

}  // namespace
}  // namespace tessaly
