#include "ui/dialog_init_data.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tessaly {
namespace {

std::vector<uint8_t> Record(uint16_t id, uint16_t message, const std::string& text,
                            uint32_t length) {
  std::vector<uint8_t> r = {static_cast<uint8_t>(id), static_cast<uint8_t>(id >> 8),
                            static_cast<uint8_t>(message), static_cast<uint8_t>(message >> 8),
                            static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8),
                            static_cast<uint8_t>(length >> 16), static_cast<uint8_t>(length >> 24)};
  for (char c : text) r.push_back(static_cast<uint8_t>(c));
  return r;
}

std::vector<uint8_t> IdleItems() {
  std::vector<uint8_t> data;
  for (const char* item : {"30 Minutes", "1 Hour", "2 Hours", "4 Hours", "8 Hours", "12 Hours"}) {
    const std::string text = std::string(item) + '\0';
    const auto r = Record(1003, 0x0403, text, static_cast<uint32_t>(text.size()));
    data.insert(data.end(), r.begin(), r.end());
  }
  data.push_back(0);
  data.push_back(0);
  return data;
}

TEST(DialogInitData, ReadsTheIdleItemsInOrder) {
  const auto data = IdleItems();
  DialogInitRecords records;
  ASSERT_TRUE(ParseDialogInitData(data.data(), data.size(), &records));
  ASSERT_EQ(records.size(), 6u);
  const char* expected[] = {"30 Minutes", "1 Hour", "2 Hours", "4 Hours", "8 Hours", "12 Hours"};
  for (size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(records[i].controlId, 1003);
    EXPECT_EQ(records[i].message, 0x0403);
    EXPECT_EQ(std::string(records[i].text, records[i].length), expected[i]);
  }
}

TEST(DialogInitData, EveryTruncationKeepsTheCompleteRecordsAndFails) {
  const auto data = IdleItems();
  for (size_t cut = 1; cut + 2 < data.size(); ++cut) {
    std::vector<uint8_t> shorter(data.begin(), data.begin() + cut);
    DialogInitRecords records;
    EXPECT_FALSE(ParseDialogInitData(shorter.data(), shorter.size(), &records)) << cut;
    EXPECT_LE(records.size(), 6u);
  }
}

TEST(DialogInitData, LengthPastTheEndIsRejected) {
  auto data = Record(1003, 0x0403, "abc", 0xFFFFFFF0u);
  DialogInitRecords records;
  EXPECT_FALSE(ParseDialogInitData(data.data(), data.size(), &records));
  EXPECT_TRUE(records.empty());
}

TEST(DialogInitData, TextWithoutTerminatorEndsWithItsRecord) {
  auto data = Record(7, 0x0180, "abcdef", 3);
  data.push_back(0);  // the rest, "def" and a zero byte, is read as the next id
  data.push_back(0);
  DialogInitRecords records;
  ParseDialogInitData(data.data(), data.size(), &records);
  ASSERT_FALSE(records.empty());
  EXPECT_EQ(std::string(records[0].text, records[0].length), "abc");
}

TEST(DialogInitData, EmptyListAndNoData) {
  const uint8_t end[] = {0, 0};
  DialogInitRecords records;
  EXPECT_TRUE(ParseDialogInitData(end, sizeof end, &records));
  EXPECT_TRUE(records.empty());
  EXPECT_TRUE(ParseDialogInitData(nullptr, 0, &records));
}

TEST(DialogInitData, StoredCodesMapToTheAddStringMessages) {
  EXPECT_EQ(AddStringMessageFor(0x0403), 0x0143u);
  EXPECT_EQ(AddStringMessageFor(0x0180), 0x0180u);
  EXPECT_EQ(AddStringMessageFor(0x0143), 0u);
  EXPECT_EQ(AddStringMessageFor(0), 0u);
  EXPECT_EQ(AddStringMessageFor(0x1234), 0u);
}

}  // namespace
}  // namespace tessaly
