// The activity hook library's idle clock for unit tests: answers the idle
// seconds the test sets and counts the calls.
#pragma once

#include <string>
#include <vector>

#include "app/idle_clock.h"

namespace tessaly {

class FakeIdleClock : public IdleClock {
 public:
  int32_t idleSeconds = 0;
  int idleQueries = 0;
  int resets = 0;
  std::vector<std::string>* journal = nullptr;  // optional shared record of calls

  int32_t IdleSeconds() override {
    ++idleQueries;
    if (journal) journal->push_back("idleseconds");
    return idleSeconds;
  }
  void ResetTimer() override {
    ++resets;
    idleSeconds = 0;
    if (journal) journal->push_back("resettimer");
  }
};

}  // namespace tessaly
