// The backup's choice of set and its clean-up of the main program's restore
// list: "Vantor.ini" (the "Main" folder and any number of "Cab<k>" entries of
// any length), saveDir, the sets present and their ages all come from the
// input. The chosen set must follow the rotation rule, files may be removed
// only in the recovery folder and only the chosen set's two, and at most one
// restore entry may be emptied: the first one naming the chosen cabinet,
// before the walk's first empty entry.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "actions/backup.h"
#include "base/paths.h"
#include "fakes/fake_action_context.h"
#include "fuzz_input.h"

namespace tessaly {
namespace {

constexpr int kSets = 5;

std::string Joined(const std::string& folder, const std::string& name) {
  return folder + (folder.empty() || folder.back() != '\\' ? "\\" : "") + name;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return text;
}

// Changes the letter case of some characters, as the input says.
std::string MixCase(const std::string& text, FuzzInput& input) {
  std::string out = text;
  const uint8_t mask = input.Byte();
  for (size_t i = 0; i < out.size(); ++i)
    if ((mask >> (i % 8)) & 1)
      out[i] = static_cast<char>(toupper(static_cast<unsigned char>(out[i])));
  return out;
}

// The set the rotation rule picks: the first missing one, else among all
// five sorted newest first (stable), the third newest while it lies less
// than a week after the fourth, otherwise the oldest.
int ExpectedSet(const bool (&present)[kSets], const Time32 (&times)[kSets]) {
  for (int n = 0; n < kSets; ++n)
    if (!present[n]) return n + 1;
  std::vector<int> order = {0, 1, 2, 3, 4};
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return times[a] > times[b]; });
  const int32_t gap = static_cast<int32_t>(static_cast<uint32_t>(times[order[2]]) -
                                           static_cast<uint32_t>(times[order[3]]));
  return (gap < 604800 ? order[2] : order[4]) + 1;
}

}  // namespace
}  // namespace tessaly

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tessaly;
  FuzzInput input(data, size);
  FakeActionContext f;

  const uint8_t setup = input.Byte();
  const std::string saveDir = (setup & 1) ? input.Repeated(2) : input.Text();
  f.SetSaveDir(saveDir);
  std::string main;
  if (setup & 2) {
    main = (setup & 4) ? input.Repeated(2) : input.Text();
    f.profile.Set(kVantorIni, "Directories", "Main", main);
  }
  const std::string recovery = Joined(main, "Recovery");

  bool present[kSets] = {};
  Time32 times[kSets] = {};
  for (int n = 0; n < kSets; ++n) {
    present[n] = input.Flag();
    times[n] = static_cast<Time32>(input.Dword());
    if (present[n])
      f.files.AddFile(Joined(saveDir, "Tessaly" + std::to_string(n + 1) + "1.cab"), times[n]);
  }
  const int expectedSet = ExpectedSet(present, times);
  const std::string setName = "Tessaly" + std::to_string(expectedSet);
  const std::string rcv = Joined(recovery, setName + "1.rcv");
  const std::string cab = Joined(recovery, setName + "1.cab");
  const bool recoveryFits = rcv.size() < kPathSize && cab.size() < kPathSize;
  if (input.Flag()) f.files.AddFile(rcv, 0, input.Flag());
  if (input.Flag()) f.files.AddFile(cab, 0, input.Flag());

  // The restore list: entries naming the chosen cabinet (in any case), other
  // sets' cabinets, empty ones and long texts.
  std::vector<std::string> restore;
  const size_t entries = (setup & 8) ? static_cast<size_t>(input.Word() % 600) : input.Byte() % 16;
  for (size_t k = 1; k <= entries; ++k) {
    const uint8_t kind = input.Byte();
    std::string value;
    switch (kind % 5) {
      case 0:
        value = MixCase(cab, input);
        break;
      case 1:
        value = Joined(recovery, "Tessaly" + std::to_string(kind % 7) + "1.cab");
        break;
      case 2:
        value = "";
        break;
      case 3:
        value = input.Repeated(4);
        break;
      default:
        value = input.Text();
        break;
    }
    restore.push_back(value);
    f.profile.Set(kVantorIni, "Restore Files", ("Cab" + std::to_string(k)).c_str(), value);
  }
  f.clock.now = static_cast<Time32>(input.Dword());

  char description[kBackupDescriptionSize];
  char chosen[16];
  memset(chosen, 'x', sizeof chosen);
  const bool ok =
      ChooseBackupSet(f.context, description, sizeof description, chosen, sizeof chosen);

  // Refused exactly when saveDir cannot hold a set's first cabinet path;
  // choosing never clears anything.
  FUZZ_CHECK(ok == (Joined(saveDir, "Tessaly11.cab").size() < kPathSize));
  FUZZ_CHECK(f.FileCalls("remove ").empty() && f.profile.writes.empty());
  if (!ok) return 0;
  ClearOldRecoveryFiles(f.context, chosen, f.clock.now);
  const std::vector<std::string> removed = f.FileCalls("remove ");
  FUZZ_CHECK(Terminated(description, sizeof description));
  FUZZ_CHECK(strncmp(description, "Tessaly Backup on ", 18) == 0);
  FUZZ_CHECK(setName == chosen);

  // Only the chosen set's two recovery files, only in the recovery folder.
  for (const std::string& path : removed) {
    FUZZ_CHECK(recoveryFits);
    FUZZ_CHECK(Lower(path) == Lower(rcv) || Lower(path) == Lower(cab));
  }

  // At most one entry emptied: the first naming the cabinet, before the
  // first empty entry; none when the recovery paths do not fit.
  size_t expectedEntry = 0;
  if (recoveryFits) {
    for (size_t k = 1; k <= restore.size() && !restore[k - 1].empty(); ++k) {
      if (Lower(restore[k - 1]) == Lower(cab)) {
        expectedEntry = k;
        break;
      }
    }
  }
  if (expectedEntry == 0) {
    FUZZ_CHECK(f.profile.writes.empty());
  } else {
    FUZZ_CHECK(f.profile.writes.size() == 1);
    FUZZ_CHECK(f.profile.writes[0] == std::string(kVantorIni) + "|Restore Files|Cab" +
                                          std::to_string(expectedEntry) + "=");
  }
  return 0;
}
