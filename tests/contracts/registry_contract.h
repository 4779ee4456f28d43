// Behaviour that the settings store relies on from every RegistryApi: the
// same cases run against the in-memory registry (native) and the Win32
// registry (under Wine), so the fake is held to what the platform does.
//
// Use: define a factory and instantiate the suite,
//   INSTANTIATE_TEST_SUITE_P(Fake, RegistryContract, ::testing::Values(&MakeFake));
// Each case works below a scratch key of its own under HKEY_CURRENT_USER.
#pragma once

#include <string.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "base/registry.h"
#include "fakes/fake_registry.h"

namespace tessaly {

using RegistryFactory = std::unique_ptr<RegistryApi> (*)();

class RegistryContract : public ::testing::TestWithParam<RegistryFactory> {
 protected:
  void SetUp() override {
    registry = GetParam()();
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    scratch = std::string("Software\\Tessaly Contract\\") + info->name();
    for (char& c : scratch)
      if (c == '/') c = '_';
    ASSERT_EQ(registry->CreateKey(kCurrentUserKey, scratch.c_str(), kKeyReadWrite, &key),
              kRegistrySuccess);
    ASSERT_NE(key, 0u);
  }
  void TearDown() override {
    if (key != 0) {
      EXPECT_EQ(registry->CloseKey(key), kRegistrySuccess);
    }
  }
  int32_t SetBytes(const char* name, uint32_t type, const void* data, uint32_t size) {
    return registry->SetValue(key, name, type, data, size);
  }

  std::unique_ptr<RegistryApi> registry;
  std::string scratch;
  RegistryKey key = 0;
};

TEST_P(RegistryContract, OpeningAMissingKeyReportsNotFound) {
  RegistryKey k = 0;
  EXPECT_EQ(registry->OpenKey(kCurrentUserKey, (scratch + "\\Missing").c_str(), kKeyReadWrite, &k),
            kRegistryNotFound);
}

TEST_P(RegistryContract, CreateMakesEveryMissingLevelAndOpenFindsItInAnyCase) {
  RegistryKey created = 0;
  ASSERT_EQ(registry->CreateKey(key, "Alpha\\Beta", kKeyReadWrite, &created), kRegistrySuccess);
  EXPECT_EQ(registry->CloseKey(created), kRegistrySuccess);

  RegistryKey opened = 0;
  ASSERT_EQ(registry->OpenKey(key, "ALPHA\\beta", kKeyQueryValue, &opened), kRegistrySuccess);
  EXPECT_NE(opened, 0u);
  EXPECT_EQ(registry->CloseKey(opened), kRegistrySuccess);
  ASSERT_EQ(registry->OpenKey(key, "alpha", kKeyQueryValue, &opened), kRegistrySuccess);
  EXPECT_EQ(registry->CloseKey(opened), kRegistrySuccess);
}

TEST_P(RegistryContract, QueryWithoutBufferGivesSizeAndType) {
  const uint32_t value = 0x01020304;
  ASSERT_EQ(SetBytes("Number", kRegDword, &value, 4), kRegistrySuccess);
  uint32_t type = 0, size = 0;
  ASSERT_EQ(registry->QueryValue(key, "Number", &type, nullptr, &size), kRegistrySuccess);
  EXPECT_EQ(type, kRegDword);
  EXPECT_EQ(size, 4u);
}

TEST_P(RegistryContract, ValueNamesMatchInAnyCase) {
  const uint32_t value = 77;
  ASSERT_EQ(SetBytes("SaveDir", kRegDword, &value, 4), kRegistrySuccess);
  uint32_t read = 0, size = 4;
  ASSERT_EQ(registry->QueryValue(key, "SAVEDIR", nullptr, &read, &size), kRegistrySuccess);
  EXPECT_EQ(read, 77u);
}

TEST_P(RegistryContract, BufferTooSmallReportsMoreDataAndTheSizeNeeded) {
  const uint8_t bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  ASSERT_EQ(SetBytes("Wide", kRegBinary, bytes, 8), kRegistrySuccess);
  uint32_t read = 0, size = 4, type = 0;
  EXPECT_EQ(registry->QueryValue(key, "Wide", &type, &read, &size), kRegistryMoreData);
  EXPECT_EQ(size, 8u);
  EXPECT_EQ(type, kRegBinary);
}

TEST_P(RegistryContract, TextKeepsItsTypeBytesAndTerminator) {
  const char text[] = "C:\\Vantor";
  ASSERT_EQ(SetBytes("Directory", kRegString, text, sizeof text), kRegistrySuccess);
  char read[32];
  memset(read, '#', sizeof read);
  uint32_t type = 0, size = sizeof read;
  ASSERT_EQ(registry->QueryValue(key, "Directory", &type, read, &size), kRegistrySuccess);
  EXPECT_EQ(type, kRegString);
  EXPECT_EQ(size, sizeof text);
  EXPECT_STREQ(read, text);
}

TEST_P(RegistryContract, RewritingAValueReplacesTypeAndData) {
  const uint32_t value = 5;
  const char text[] = "five";
  ASSERT_EQ(SetBytes("Idle", kRegDword, &value, 4), kRegistrySuccess);
  ASSERT_EQ(SetBytes("idle", kRegString, text, sizeof text), kRegistrySuccess);
  uint32_t type = 0, size = 0;
  ASSERT_EQ(registry->QueryValue(key, "Idle", &type, nullptr, &size), kRegistrySuccess);
  EXPECT_EQ(type, kRegString);
  EXPECT_EQ(size, sizeof text);
}

TEST_P(RegistryContract, MissingValueReportsNotFound) {
  uint32_t size = 0;
  EXPECT_EQ(registry->QueryValue(key, "Nothing", nullptr, nullptr, &size), kRegistryNotFound);
}

}  // namespace tessaly
