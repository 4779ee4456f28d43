// Reading and writing typed registry values against the in-memory registry,
// and the in-memory registry against the shared registry contract.
#include "base/registry_values.h"

#include "app/settings_store.h"

#include <string.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "contracts/registry_contract.h"
#include "fakes/fake_registry.h"

namespace tessaly {
namespace {

std::unique_ptr<RegistryApi> MakeFake() { return std::make_unique<FakeRegistry>(); }
INSTANTIATE_TEST_SUITE_P(Fake, RegistryContract, ::testing::Values(&MakeFake));

const char kSettingsPath[] = "HKEY_CURRENT_USER\\Software\\Brenmoor Software Corp\\Tessaly";

class SettingsKeyTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SetApplicationNames("Brenmoor Software Corp", "Tessaly")); }
  void TearDown() override { SetApplicationNames("", ""); }
  FakeRegistry registry;
};

class ValueTest : public SettingsKeyTest {
 protected:
  void SetUp() override {
    SettingsKeyTest::SetUp();
    key = OpenSettingsKey(registry);
    ASSERT_NE(key, 0u);
  }
  void TearDown() override {
    registry.CloseKey(key);
    SettingsKeyTest::TearDown();
  }
  RegistryKey key = 0;
};

TEST_F(ValueTest, DwordIsWrittenAsFourBytesOfRegDword) {
  ASSERT_TRUE(WriteDwordValue(registry, key, "Idle", 0xFFFFFFFFu));
  const FakeRegistry::Value* v = registry.Find(kSettingsPath, "Idle");
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->type, kRegDword);
  EXPECT_EQ(v->data, (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(ReadDwordValue(registry, key, "Idle", 1), 0xFFFFFFFFu);
}

TEST_F(ValueTest, StringIsWrittenWithItsTerminator) {
  for (const std::string text : {"", "C:\\Vantor\\Recovery"}) {
    ASSERT_TRUE(WriteStringValue(registry, key, "SaveDir", text.c_str()));
    const FakeRegistry::Value* v = registry.Find(kSettingsPath, "SaveDir");
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->type, kRegString);
    std::vector<uint8_t> expected(text.begin(), text.end());
    expected.push_back(0);
    EXPECT_EQ(v->data, expected);
  }
}

TEST_F(ValueTest, WritesWithoutAKeyFail) {
  EXPECT_FALSE(WriteDwordValue(registry, 0, "Idle", 1));
  EXPECT_FALSE(WriteStringValue(registry, 0, "SaveDir", "x"));
  EXPECT_TRUE(registry.writes.empty());
}

struct DwordCase {
  const char* label;
  uint32_t type;
  std::vector<uint8_t> data;
  uint32_t expected;
};

class ReadDword : public ValueTest, public ::testing::WithParamInterface<DwordCase> {};

TEST_P(ReadDword, AcceptsOnlyFourByteNumbers) {
  const DwordCase& c = GetParam();
  registry.SetRaw(kSettingsPath, "Value", c.type, c.data);
  EXPECT_EQ(ReadDwordValue(registry, key, "Value", 1234), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Types, ReadDword,
    ::testing::Values(DwordCase{"dword", kRegDword, {7, 0, 0, 0}, 7},
                      DwordCase{"negative", kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}, 0xFFFFFFFFu},
                      DwordCase{"binary4", kRegBinary, {2, 1, 0, 0}, 0x0102},
                      DwordCase{"binary8", kRegBinary, {1, 0, 0, 0, 0, 0, 0, 0}, 1234},
                      DwordCase{"binary2", kRegBinary, {1, 0}, 1234},
                      DwordCase{"text1", kRegString, {'1', 0}, 1234},
                      DwordCase{"text3", kRegString, {'1', '2', '3', 0}, 1234},
                      DwordCase{"empty", kRegDword, {}, 1234}),
    [](const ::testing::TestParamInfo<DwordCase>& info) { return info.param.label; });

TEST_F(ValueTest, ReadDwordGivesTheDefaultForMissingValueOrKey) {
  EXPECT_EQ(ReadDwordValue(registry, key, "Missing", 9), 9u);
  EXPECT_EQ(ReadDwordValue(registry, 0, "Idle", 8), 8u);
}

TEST_F(ValueTest, ReadStringCopiesTheStoredText) {
  registry.SetString(kSettingsPath, "SaveDir", "D:\\Backups");
  char out[kPathSize];
  EXPECT_EQ(ReadStringValue(registry, key, "savedir", "def", out, sizeof out), 10u);
  EXPECT_STREQ(out, "D:\\Backups");
}

TEST_F(ValueTest, ReadStringGivesTheDefaultOrEmptyText) {
  char out[kPathSize] = "junk";
  EXPECT_EQ(ReadStringValue(registry, key, "Missing", "def", out, sizeof out), 3u);
  EXPECT_STREQ(out, "def");
  EXPECT_EQ(ReadStringValue(registry, key, "Missing", nullptr, out, sizeof out), 0u);
  EXPECT_STREQ(out, "");
  EXPECT_EQ(ReadStringValue(registry, 0, "SaveDir", "none", out, sizeof out), 4u);
  EXPECT_STREQ(out, "none");
}

TEST_F(ValueTest, ReadStringRefusesNumbersEvenWhenTheirBytesSpellAText) {
  registry.SetRaw(kSettingsPath, "SaveDir", kRegDword, {'A', 'B', 'C', 0});
  char out[kPathSize] = "junk";
  EXPECT_EQ(ReadStringValue(registry, key, "SaveDir", nullptr, out, sizeof out), 0u);
  EXPECT_STREQ(out, "");
}

TEST_F(ValueTest, ReadStringTerminatesATextStoredWithoutTerminator) {
  registry.SetRaw(kSettingsPath, "SaveDir", kRegString, {'A', 'B', 'C'});
  char out[kPathSize];
  EXPECT_EQ(ReadStringValue(registry, key, "SaveDir", nullptr, out, sizeof out), 3u);
  EXPECT_STREQ(out, "ABC");
}

struct CutCase {
  size_t stored;
  size_t kept;
};

class ReadStringAtLimit : public ValueTest, public ::testing::WithParamInterface<CutCase> {};

TEST_P(ReadStringAtLimit, NeverWritesPastTheBufferAndReportsTheWholeLength) {
  const CutCase c = GetParam();
  registry.SetString(kSettingsPath, "SaveDir", std::string(c.stored, 'd'));
  char out[kPathSize + 16];
  memset(out, '#', sizeof out);
  EXPECT_EQ(ReadStringValue(registry, key, "SaveDir", nullptr, out, kPathSize), c.stored);
  EXPECT_EQ(strlen(out), c.kept);
  for (size_t i = kPathSize; i < sizeof out; ++i) ASSERT_EQ(out[i], '#') << i;
}

INSTANTIATE_TEST_SUITE_P(Limits, ReadStringAtLimit,
                         ::testing::Values(CutCase{258, 258}, CutCase{259, 259},
                                           CutCase{260, 259}, CutCase{261, 259},
                                           CutCase{10000, 259}));

}  // namespace
}  // namespace tessaly
