// The platform's hook calls for unit tests of Pellix's install state machine
// and hook procedures: every call is recorded in order, each SetHook hands out
// a new handle, and CallNext answers with its arguments' sum. The calling
// process is `process`; every process is alive until the test ends it.
#pragma once

#include <stdint.h>

#include <set>
#include <string>
#include <vector>

namespace tessaly {

class FakeHookApi {
 public:
  struct Call {
    std::string name;   // "SetHook", "Unhook" or "CallNext"
    int type = 0;       // hook type for SetHook, hook code for CallNext
    void* procedure = nullptr;
    void* module = nullptr;
    void* hook = nullptr;  // handle handed out (SetHook), released (Unhook) or chained with
    uintptr_t wParam = 0;  // CallNext only
    intptr_t lParam = 0;
  };

  std::vector<Call> calls;
  std::vector<int32_t> unhookResults;  // what Unhook reports, in order; 1 once used up
  uint32_t process = 1;                // the process that makes the calls
  std::set<uint32_t> ended;            // processes that have ended

  uint32_t CurrentProcess() const { return process; }
  bool ProcessAlive(uint32_t id) const { return ended.count(id) == 0; }

  void* SetHook(int type, void* procedure, void* module) {
    void* hook = reinterpret_cast<void*>(static_cast<intptr_t>(nextHandle_));
    nextHandle_ += 0x10;
    calls.push_back({"SetHook", type, procedure, module, hook});
    return hook;
  }

  int32_t Unhook(void* hook) {
    calls.push_back({"Unhook", 0, nullptr, nullptr, hook});
    if (unhookResults.empty()) return 1;
    const int32_t result = unhookResults.front();
    unhookResults.erase(unhookResults.begin());
    return result;
  }

  // Something the caller must pass back unchanged: the arguments' sum.
  static intptr_t NextResult(int code, uintptr_t wParam, intptr_t lParam) {
    return code + static_cast<intptr_t>(wParam) + lParam;
  }
  intptr_t CallNext(void* hook, int code, uintptr_t wParam, intptr_t lParam) {
    calls.push_back({"CallNext", code, nullptr, nullptr, hook, wParam, lParam});
    return NextResult(code, wParam, lParam);
  }

 private:
  intptr_t nextHandle_ = 0x1000;
};

}  // namespace tessaly
