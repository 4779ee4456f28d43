// The verdict of the quick check: the four result words and the text of the
// report, made from the outcomes of the single checks. Platform-free.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

namespace companions {

struct CheckOutcome {
  std::string name;
  bool passed;
  std::string detail;
};

// Below this much physical memory the machine cannot run the Vantor family's
// programs.
constexpr uint32_t kMinimumMemoryKB = 4 * 1024;

// What the platform reports of its memory (GlobalMemoryStatus, in KB).
struct MemoryFigures {
  uint32_t totalKB, freeKB, loadPercent;
};

// The memory check passes on the two figures the platform reports directly:
// enough physical memory, and some of it free. The load percentage is not
// judged: it is derived, and platforms report it inconsistently (under an
// emulator, 2 GB free of 2 GB with a load far above 100).
inline bool MemoryCheckPassed(const MemoryFigures& figures) {
  return figures.totalKB >= kMinimumMemoryKB && figures.freeKB > 0;
}

// Result words: checks run, checks passed, checks failed (non-zero when any
// failed), one bit per failed check (bit i for outcome i; at most 32 checks).
inline void FillQuickCheckWords(const std::vector<CheckOutcome>& outcomes, uint32_t words[4]) {
  uint32_t failed = 0, mask = 0;
  for (size_t i = 0; i < outcomes.size(); ++i) {
    if (outcomes[i].passed) continue;
    ++failed;
    if (i < 32) mask |= uint32_t{1} << i;
  }
  words[0] = static_cast<uint32_t>(outcomes.size());
  words[1] = static_cast<uint32_t>(outcomes.size()) - failed;
  words[2] = failed;
  words[3] = mask;
}

// The report: a title line, who ran it and when, one line per check with
// PASS or FAIL and its detail, and a summary line; lines end in CR LF.
inline std::string QuickCheckReport(const std::string& product, const std::string& when,
                                    const std::vector<CheckOutcome>& outcomes) {
  std::string text = product.empty() ? std::string("Quick Check Report") : product + " Quick Check Report";
  text += "\r\nRun on " + when + "\r\n\r\n";
  size_t failed = 0;
  for (const CheckOutcome& outcome : outcomes) {
    std::string name = outcome.name;
    if (name.size() < 20) name.append(20 - name.size(), ' ');
    text += name + (outcome.passed ? "PASS  " : "FAIL  ") + outcome.detail + "\r\n";
    if (!outcome.passed) ++failed;
  }
  text += "\r\n";
  if (failed == 0)
    text += "Result: all " + std::to_string(outcomes.size()) + " checks passed\r\n";
  else
    text += "Result: " + std::to_string(failed) + " of " + std::to_string(outcomes.size()) +
            " checks failed\r\n";
  return text;
}

}  // namespace companions
