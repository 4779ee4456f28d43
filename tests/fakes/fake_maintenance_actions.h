// The backup and the quick check for unit tests: record each call, answer
// from fields the test sets, and let the test act during a call (as the real
// actions' own message loops would).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/maintenance_actions.h"

namespace tessaly {

class FakeMaintenanceActions : public MaintenanceActions {
 public:
  bool backupResult = true;
  std::vector<bool> backupConfirms;
  int quickChecks = 0;
  std::function<void()> onBackup;
  std::function<void()> onQuickCheck;
  std::vector<std::string>* journal = nullptr;  // optional shared record of calls

  bool BackupSystemFiles(bool confirm) override {
    backupConfirms.push_back(confirm);
    if (journal) journal->push_back(confirm ? "backup confirm" : "backup");
    if (onBackup) onBackup();
    return backupResult;
  }
  void RunQuickCheck() override {
    ++quickChecks;
    if (journal) journal->push_back("quickcheck");
    if (onQuickCheck) onQuickCheck();
  }
};

}  // namespace tessaly
