// WriteCabinet and VerifyCabinet on their own, under Wine: what is written
// reads back, and every kind of damaged or unexpected cabinet is refused.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "companions/cabinet_file.h"
#include "win32/companion_test_support.h"

namespace {

using companion_test::ListFolder;
using companion_test::ReadWholeFile;
using companion_test::ScratchFolder;
using companion_test::TempFolderOverride;
using companion_test::WriteWholeFile;
using companions::CabinetMember;
using companions::PlacedMember;

class CabinetFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(WriteWholeFile(sources_ / "ONE.TXT", std::string(5000, 'a') + "one"));
    std::string varied;
    for (int i = 0; i < 40000; ++i) varied += static_cast<char>((i * 31 + i / 7) & 0xFF);
    ASSERT_TRUE(WriteWholeFile(sources_ / "TWO.BIN", varied));
    members = {{sources_ / "ONE.TXT", "ONE.TXT", ""},
                {sources_ / "TWO.BIN", "TWO.BIN", ""},
                {"", "NOTE.TXT", "a text held in memory\r\n"}};
  }
  std::string Folder() const { return output.Path() + "\\"; }
  bool Write(std::vector<PlacedMember>* placed) {
    return companions::WriteCabinet(Folder(), "TEST1.CAB", members, placed);
  }
  bool Verify(const std::vector<PlacedMember>& expected) {
    return companions::VerifyCabinet(Folder(), "TEST1.CAB", expected);
  }

  ScratchFolder sources_, output;
  std::vector<CabinetMember> members;
};

TEST_F(CabinetFile, WhatIsWrittenReadsBack) {
  std::vector<PlacedMember> placed;
  ASSERT_TRUE(Write(&placed));
  ASSERT_EQ(placed.size(), 3u);
  EXPECT_EQ(placed[0].name, "ONE.TXT");
  EXPECT_EQ(placed[0].size, 5003u);
  EXPECT_EQ(placed[1].size, 40000u);
  EXPECT_EQ(placed[2].name, "NOTE.TXT");
  EXPECT_EQ(placed[2].size, 23u);
  EXPECT_TRUE(Verify(placed));
  EXPECT_EQ(ListFolder(output.Path()), std::set<std::string>{"TEST1.CAB"});
}

struct Damage {
  const char* label;
  std::function<void(std::string* bytes)> damage;
};

class DamagedCabinet : public CabinetFile, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedCabinet, IsRefused) {
  std::vector<PlacedMember> placed;
  ASSERT_TRUE(Write(&placed));
  std::string bytes = ReadWholeFile(output / "TEST1.CAB");
  GetParam().damage(&bytes);
  ASSERT_TRUE(WriteWholeFile(output / "TEST1.CAB", bytes));
  EXPECT_FALSE(Verify(placed));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedCabinet,
    ::testing::Values(
        Damage{"CutShort", [](std::string* b) { b->resize(b->size() - 100); }},
        Damage{"CutToTheHeader", [](std::string* b) { b->resize(60); }},
        Damage{"DataByteChanged", [](std::string* b) { (*b)[b->size() - 50] ^= 0x5A; }},
        Damage{"TrailingBytes", [](std::string* b) { b->append(64, '\0'); }},
        Damage{"NotACabinet", [](std::string* b) { b->assign(4096, 'x'); }},
        Damage{"Empty", [](std::string* b) { b->clear(); }}),
    [](const ::testing::TestParamInfo<Damage>& info) { return info.param.label; });

struct Unexpected {
  const char* label;
  std::function<void(std::vector<PlacedMember>* expected)> change;
};

class UnexpectedContent : public CabinetFile, public ::testing::WithParamInterface<Unexpected> {};

TEST_P(UnexpectedContent, IsRefused) {
  std::vector<PlacedMember> placed;
  ASSERT_TRUE(Write(&placed));
  GetParam().change(&placed);
  EXPECT_FALSE(Verify(placed));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnexpectedContent,
    ::testing::Values(
        Unexpected{"OneMemberMore", [](std::vector<PlacedMember>* e) { e->push_back({"X.TXT", 1}); }},
        Unexpected{"OneMemberLess", [](std::vector<PlacedMember>* e) { e->pop_back(); }},
        Unexpected{"OtherName", [](std::vector<PlacedMember>* e) { (*e)[1].name = "TWO.DAT"; }},
        Unexpected{"OtherSize", [](std::vector<PlacedMember>* e) { (*e)[0].size += 1; }},
        Unexpected{"OtherOrder", [](std::vector<PlacedMember>* e) { std::swap((*e)[0], (*e)[1]); }}),
    [](const ::testing::TestParamInfo<Unexpected>& info) { return info.param.label; });

TEST_F(CabinetFile, AMissingCabinetIsRefused) {
  EXPECT_FALSE(Verify({{"ONE.TXT", 5003}}));
}

TEST_F(CabinetFile, AMissingSourceFailsAndLeavesNoScratchFiles) {
  ScratchFolder temp;
  TempFolderOverride scratch(temp.Path() + "\\");
  members.push_back({sources_ / "ABSENT.TXT", "ABSENT.TXT", ""});
  std::vector<PlacedMember> placed;
  EXPECT_FALSE(Write(&placed));
  EXPECT_TRUE(ListFolder(temp.Path()).empty());
}

TEST_F(CabinetFile, ScratchFilesAreDeletedAfterASuccess) {
  ScratchFolder temp;
  TempFolderOverride scratch(temp.Path() + "\\");
  std::vector<PlacedMember> placed;
  EXPECT_TRUE(Write(&placed));
  EXPECT_TRUE(ListFolder(temp.Path()).empty());
}

}  // namespace
