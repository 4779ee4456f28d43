#include "app/run_log.h"

#include <string.h>

#include "base/text.h"

namespace tessaly {
namespace {

// Room for the key names of two more lines than are kept, each of the
// longest key: a list cut at this size still shows at least
// kRunLogLinesKept whole names. Static, since the program's stack stays
// under one page per frame; only the one thread writes the log.
constexpr size_t kKeyListSize = (kRunLogLinesKept + 2) * kRunLogTextSize;
char keyList[kKeyListSize];

// Removes the oldest keys of section, other than key, until at most
// kRunLogLinesKept - 1 others remain. A cut list names only the oldest keys;
// of those, as many go as surely leave the newest in place, and the list is
// read again. Each round removes at least one key, or ends.
void DropOldestLines(ProfileApi& profile, const char* section, const char* key) {
  for (;;) {
    const size_t length = profile.GetKeyNames(kRunLogFile, section, keyList, sizeof keyList);
    const bool cut = length + 2 >= sizeof keyList;
    // The oldest whole names other than key; a cut list's last name may be
    // a fragment and is left out.
    const char* oldest[kRunLogLinesKept + 2];
    size_t listed = 0;
    size_t others = 0;
    for (const char* p = keyList; p < keyList + length && *p != '\0'; p += strlen(p) + 1) {
      if (cut && p + strlen(p) >= keyList + length) break;
      if (SameTextIgnoringCase(p, key)) continue;
      if (listed < sizeof oldest / sizeof oldest[0]) oldest[listed++] = p;
      ++others;
    }
    // A cut list hides at least one more key.
    const size_t atLeast = cut ? others + 1 : others;
    if (atLeast < kRunLogLinesKept) return;
    const size_t excess = atLeast - (kRunLogLinesKept - 1);
    const size_t drop = excess < listed ? excess : listed;
    if (drop == 0) return;
    for (size_t i = 0; i < drop; ++i)
      if (!profile.DeleteKey(kRunLogFile, section, oldest[i])) return;
    if (!cut && drop == excess) return;
  }
}

}  // namespace

void WriteRunLogLine(ProfileApi& profile, const char* section, const char* key,
                     const char* value) {
  DropOldestLines(profile, section, key);
  profile.WriteString(kRunLogFile, section, key, value);
}

}  // namespace tessaly
