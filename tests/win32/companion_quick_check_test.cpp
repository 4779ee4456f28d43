// DoQuickCheck of VarnTests.dll under Wine, through the program's binding:
// the result words and the report.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "actions/win32/companion_bindings.h"
#include "companion_test_support.h"

namespace {

using companion_test::ReadWholeFile;
using companion_test::ScratchFolder;
using companion_test::TempFolderOverride;

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class QuickCheck : public ::testing::Test {
 protected:
  tessaly::Win32Companions companions;
  ScratchFolder folder;
  tessaly::QuickCheckResult result = {{0, 0, 0, 0}};
};

TEST_F(QuickCheck, AllChecksPassInAFreshPrefix) {
  companions.InitializeTests("Brenmoor Software Corp", "Vantor", "C:\\Vantor");
  const std::string report = folder / "QUICKCHK.RPT";
  EXPECT_NE(companions.DoQuickCheck(0, &result, report.c_str()), 0);
  EXPECT_EQ(result.words[0], 4u);
  EXPECT_EQ(result.words[1], 4u);
  EXPECT_EQ(result.words[2], 0u);
  EXPECT_EQ(result.words[3], 0u);

  const std::string text = ReadWholeFile(report);
  EXPECT_EQ(text.rfind("Vantor Quick Check Report\r\n", 0), 0u) << text;
  for (const char* line : {"Memory              PASS", "Windows drive       PASS",
                           "Temporary file      PASS", "Clock               PASS",
                           "Result: all 4 checks passed"})
    EXPECT_TRUE(Contains(text, line)) << line << "\n" << text;
}

TEST_F(QuickCheck, AFailedCheckSetsTheThirdWordAndItsBit) {
  const std::string report = folder / "QUICKCHK.RPT";
  {
    TempFolderOverride unwritable(folder / "missing\\");
    EXPECT_NE(companions.DoQuickCheck(0, &result, report.c_str()), 0);
  }
  EXPECT_EQ(result.words[0], 4u);
  EXPECT_EQ(result.words[1], 3u);
  EXPECT_EQ(result.words[2], 1u);
  EXPECT_EQ(result.words[3], 1u << 2);  // the temporary-file check is the third
  const std::string text = ReadWholeFile(report);
  EXPECT_TRUE(Contains(text, "Temporary file      FAIL")) << text;
  EXPECT_TRUE(Contains(text, "Result: 1 of 4 checks failed")) << text;
}

TEST_F(QuickCheck, ANewRunOverwritesTheReport) {
  const std::string report = folder / "QUICKCHK.RPT";
  ASSERT_TRUE(companion_test::WriteWholeFile(report, std::string(20000, 'x')));
  EXPECT_NE(companions.DoQuickCheck(0, &result, report.c_str()), 0);
  const std::string text = ReadWholeFile(report);
  EXPECT_FALSE(Contains(text, "xxx"));
  EXPECT_TRUE(Contains(text, "Result: all 4 checks passed"));
}

TEST_F(QuickCheck, AReportThatCannotBeWrittenStillFillsTheWords) {
  const std::string report = folder / "Tests\\QUICKCHK.RPT";  // no such folder
  EXPECT_EQ(companions.DoQuickCheck(0, &result, report.c_str()), 0);
  EXPECT_EQ(result.words[0], 4u);
  EXPECT_EQ(result.words[2], 0u);
  EXPECT_EQ(GetFileAttributesA(report.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(QuickCheck, NoResultRecordIsRefused) {
  const std::string report = folder / "QUICKCHK.RPT";
  EXPECT_EQ(companions.DoQuickCheck(0, nullptr, report.c_str()), 0);
  EXPECT_EQ(GetFileAttributesA(report.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(QuickCheck, NoReportPathStillFillsTheWords) {
  EXPECT_EQ(companions.DoQuickCheck(0, &result, nullptr), 0);
  EXPECT_EQ(result.words[0], 4u);
}

}  // namespace
