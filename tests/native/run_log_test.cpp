// The log of runs keeps each section to its newest lines, so that the file
// stays inside the 64 KB that Windows 95 reads of an initialisation file.
#include "app/run_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_profile.h"

namespace tessaly {
namespace {

// The key of line i: its number, filled up to length characters.
std::string Key(size_t i, size_t length) {
  std::string key = "line " + std::to_string(i);
  if (key.size() < length) key.append(length - key.size(), '.');
  return key;
}

std::vector<std::string> Keys(FakeProfile& profile, const char* section) {
  std::vector<std::string> keys;
  for (const FakeProfile::Entry& e : profile.Section(kRunLogFile, section)) keys.push_back(e.key);
  return keys;
}

struct TrimCase {
  const char* name;
  size_t lines;      // lines in the section before the write
  size_t keyLength;  // length of every key
  long rewritten;    // the line whose key the write repeats, or -1 for a new key
};

class RunLogTrim : public testing::TestWithParam<TrimCase> {};

TEST_P(RunLogTrim, KeepsTheNewestLinesInFileOrder) {
  const TrimCase& c = GetParam();
  FakeProfile profile;
  for (size_t i = 0; i < c.lines; ++i)
    profile.Set(kRunLogFile, kSaveFilesSection, Key(i, c.keyLength).c_str(), "old");
  for (size_t i = 0; i < 3; ++i)
    profile.Set(kRunLogFile, kQuickCheckSection, Key(i, c.keyLength).c_str(), "other");

  const std::string key =
      c.rewritten < 0 ? Key(c.lines, c.keyLength) : Key(static_cast<size_t>(c.rewritten), c.keyLength);
  WriteRunLogLine(profile, kSaveFilesSection, key.c_str(), "new");

  // What must remain: the newest lines before the write, in their order,
  // then the new line; a repeated key keeps its place among them.
  std::vector<std::string> expected;
  for (size_t i = 0; i < c.lines; ++i) expected.push_back(Key(i, c.keyLength));
  if (c.rewritten < 0) {
    expected.push_back(key);
  }
  while (expected.size() > kRunLogLinesKept) {
    const auto oldest = expected.front() == key ? expected.begin() + 1 : expected.begin();
    expected.erase(oldest);
  }
  EXPECT_EQ(Keys(profile, kSaveFilesSection), expected);
  ASSERT_NE(profile.Find(kRunLogFile, kSaveFilesSection, key.c_str()), nullptr);
  EXPECT_EQ(*profile.Find(kRunLogFile, kSaveFilesSection, key.c_str()), "new");
  EXPECT_EQ(Keys(profile, kQuickCheckSection).size(), 3u) << "the other section is left alone";
}

const TrimCase kTrimCases[] = {
    {"EmptySection", 0, 18, -1},
    {"FewLinesAllKept", 3, 18, -1},
    {"OneBelowTheBound", kRunLogLinesKept - 1, 18, -1},
    {"AtTheBoundTheOldestGoes", kRunLogLinesKept, 18, -1},
    {"YearsOfRunsCutDownAtOnce", 520, 18, -1},
    {"RepeatedKeyKeepsItsPlaceAtTheBound", kRunLogLinesKept, 18, 10},
    {"RepeatedOldestKeyIsNotDropped", kRunLogLinesKept + 5, 18, 0},
    {"LongestKeysOverflowTheKeyList", 300, kRunLogTextSize - 1, -1},
};

INSTANTIATE_TEST_SUITE_P(Cases, RunLogTrim, testing::ValuesIn(kTrimCases),
                         [](const testing::TestParamInfo<TrimCase>& info) {
                           return info.param.name;
                         });

}  // namespace
}  // namespace tessaly
