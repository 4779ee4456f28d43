#include <gtest/gtest.h>

#include <string>

#include "companions/cabinet_paths.h"

namespace {

using companions::CabinetPaths;
using companions::MakeCabinetPaths;

struct PathsCase {
  const char* label;
  std::string saveDir;
  std::string setName;
  bool ok;
  std::string final;  // expected Final() when ok
};

class CabinetPathsFor : public ::testing::TestWithParam<PathsCase> {};

TEST_P(CabinetPathsFor, FormsTheThreeNamesOrRefuses) {
  const PathsCase& c = GetParam();
  CabinetPaths paths;
  paths.name = "untouched";
  ASSERT_EQ(MakeCabinetPaths(c.saveDir.c_str(), c.setName.c_str(), &paths), c.ok);
  if (!c.ok) {
    EXPECT_EQ(paths.name, "untouched");
    return;
  }
  EXPECT_EQ(paths.Final(), c.final);
  EXPECT_EQ(paths.New(), c.final + ".new");
  EXPECT_EQ(paths.Old(), c.final + ".old");
  EXPECT_EQ(paths.folder.back(), '\\');
  EXPECT_LE(paths.New().size(), companions::kMaxPathLength);
}

// 241 characters: with "\\Tessaly11.cab.new" exactly 259.
const std::string kLongFolder = "C:\\" + std::string(238, 'd');

INSTANTIATE_TEST_SUITE_P(
    Cases, CabinetPathsFor,
    ::testing::Values(
        PathsCase{"Plain", "C:\\Vantor\\Recovery", "Tessaly3", true, "C:\\Vantor\\Recovery\\Tessaly31.cab"},
        PathsCase{"TrailingBackslash", "C:\\Save\\", "Tessaly1", true, "C:\\Save\\Tessaly11.cab"},
        PathsCase{"ManyTrailingBackslashes", "C:\\Save\\\\\\", "Tessaly1", true, "C:\\Save\\Tessaly11.cab"},
        PathsCase{"DriveRoot", "C:\\", "Tessaly5", true, "C:\\Tessaly51.cab"},
        PathsCase{"BareDrive", "D:", "Tessaly5", true, "D:\\Tessaly51.cab"},
        PathsCase{"LongestThatFits", kLongFolder, "Tessaly1", true, kLongFolder + "\\Tessaly11.cab"},
        PathsCase{"OneTooLong", kLongFolder + "x", "Tessaly1", false, ""},
        PathsCase{"FolderOf259", "C:\\" + std::string(256, 'd'), "Tessaly1", false, ""},
        PathsCase{"EmptyFolder", "", "Tessaly1", false, ""},
        PathsCase{"EmptySet", "C:\\Save", "", false, ""},
        PathsCase{"SetWithBackslash", "C:\\Save", "..\\Tessaly1", false, ""},
        PathsCase{"SetWithSlash", "C:\\Save", "a/b", false, ""},
        PathsCase{"SetWithDrive", "C:\\Save", "D:x", false, ""},
        PathsCase{"SetWithWildcard", "C:\\Save", "Tessaly*", false, ""},
        PathsCase{"SetDotDot", "C:\\Save", "..", false, ""},
        PathsCase{"SetWithControl", "C:\\Save", "Tes\tsaly", false, ""}),
    [](const ::testing::TestParamInfo<PathsCase>& info) { return info.param.label; });

TEST(CabinetPathsNull, MissingTextsAreRefused) {
  CabinetPaths paths;
  EXPECT_FALSE(MakeCabinetPaths(nullptr, "Tessaly1", &paths));
  EXPECT_FALSE(MakeCabinetPaths("C:\\Save", nullptr, &paths));
}

}  // namespace
