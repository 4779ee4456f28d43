// The platform's hook calls for unit tests of Pellix's install state machine:
// every call is recorded in order, and each SetHook hands out a new handle.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

namespace tessaly {

class FakeHookApi {
 public:
  struct Call {
    std::string name;   // "SetHook" or "Unhook"
    int type = 0;       // hook type for SetHook
    void* procedure = nullptr;
    void* module = nullptr;
    void* hook = nullptr;  // handle handed out (SetHook) or released (Unhook)
  };

  std::vector<Call> calls;
  std::vector<int32_t> unhookResults;  // what Unhook reports, in order; 1 once used up

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

 private:
  intptr_t nextHandle_ = 0x1000;
};

}  // namespace tessaly
