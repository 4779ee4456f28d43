// The version resource of Pellix.dll, read the way the shell's property page
// reads it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<char> VersionInfo() {
  char path[MAX_PATH] = {};
  HMODULE pellix = LoadLibraryA("Pellix.dll");  // found on the DLL search path
  if (!pellix || !GetModuleFileNameA(pellix, path, sizeof(path))) return {};
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &handle);
  if (size == 0) return {};
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(path, 0, size, data.data())) return {};
  return data;
}

TEST(PellixVersion, HasOneTranslationUsEnglishUnicode) {
  std::vector<char> data = VersionInfo();
  ASSERT_FALSE(data.empty());
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", &value, &length));
  ASSERT_EQ(length, 4u) << "exactly one translation";
  const WORD* translation = static_cast<const WORD*>(value);
  EXPECT_EQ(translation[0], 0x0409);
  EXPECT_EQ(translation[1], 0x04b0);
}

TEST(PellixVersion, FixedPartNamesADllOfVersionFive) {
  std::vector<char> data = VersionInfo();
  ASSERT_FALSE(data.empty());
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(data.data(), "\\", &value, &length));
  ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00050000u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00050000u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
}

struct Text {
  const char* key;
  const char* expected;
};

class PellixVersionText : public testing::TestWithParam<Text> {};

TEST_P(PellixVersionText, IsExactly) {
  std::vector<char> data = VersionInfo();
  ASSERT_FALSE(data.empty());
  const std::string query = std::string("\\StringFileInfo\\040904b0\\") + GetParam().key;
  void* value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(data.data(), query.c_str(), &value, &length)) << query;
  EXPECT_STREQ(static_cast<const char*>(value), GetParam().expected);
}

const Text kTexts[] = {
    {"FileVersion", "5.00.000"},
    {"ProductVersion", "5.0"},
    {"FileDescription", "Vantor Tessaly DLL"},
    {"InternalName", "PELLIX"},
    {"OriginalFilename", "Pellix.dll"},
    {"CompanyName", "Brenmoor Software Corporation"},
};

INSTANTIATE_TEST_SUITE_P(Texts, PellixVersionText, testing::ValuesIn(kTexts),
                         [](const testing::TestParamInfo<Text>& info) {
                           return std::string(info.param.key);
                         });

}  // namespace
