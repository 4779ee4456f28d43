// The companion libraries' exports as the loader sees them: plain names only,
// and the calling convention of each (who pops the arguments), measured on
// the stack.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdint.h>

#include <string>

#include "companion_test_support.h"

namespace {

struct Export {
  const char* library;
  const char* name;
  bool calleePops;  // __stdcall; otherwise __cdecl
};

const Export kExports[] = {
    {"VarnTools.dll", "DoInitializeTools", true}, {"VarnTools.dll", "SaveSystemFiles", true},
    {"VarnTests.dll", "DoInitializeTests", true}, {"VarnTests.dll", "DoQuickCheck", true},
    {"Quillet.dll", "DiffChangeSnapshotDir", false}, {"Quillet.dll", "DiffSaveSnapshotGUI", false},
};

// Pushes three arguments, calls procedure, and gives the bytes of arguments
// still on the stack after it returned: 0 when the callee popped them
// (__stdcall with three arguments), 12 when it left them to the caller.
uint32_t ArgumentBytesLeft(FARPROC procedure, uint32_t a, uint32_t b, uint32_t c) {
  const uint32_t arguments[3] = {a, b, c};
  uint32_t left;
  asm volatile(
      "movl %%esp, %%esi\n\t"
      "pushl 8(%1)\n\t"
      "pushl 4(%1)\n\t"
      "pushl (%1)\n\t"
      "call *%2\n\t"
      "movl %%esi, %%eax\n\t"
      "subl %%esp, %%eax\n\t"
      "movl %%esi, %%esp\n\t"
      : "=a"(left)
      : "r"(arguments), "r"(procedure)
      : "esi", "ecx", "edx", "memory", "cc");
  return left;
}

template <typename Function>
Function Find(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

class CompanionExport : public ::testing::TestWithParam<Export> {
 protected:
  void SetUp() override {
    module = LoadLibraryA(GetParam().library);
    ASSERT_NE(module, nullptr) << GetParam().library;
  }
  void TearDown() override {
    if (module) FreeLibrary(module);
  }
  HMODULE module = nullptr;
};

TEST_P(CompanionExport, IsFoundByItsPlainNameOnly) {
  const Export& e = GetParam();
  EXPECT_NE(GetProcAddress(module, e.name), nullptr);
  const std::string name = e.name;
  for (const std::string& decorated : {name + "@12", "_" + name + "@12", "_" + name, name + "@0"})
    EXPECT_EQ(GetProcAddress(module, decorated.c_str()), nullptr) << decorated;
}

TEST_P(CompanionExport, PopsItsArgumentsAsItsConventionSays) {
  const Export& e = GetParam();
  FARPROC procedure = GetProcAddress(module, e.name);
  ASSERT_NE(procedure, nullptr);
  // Arguments every export refuses at once or handles harmlessly.
  companion_test::ScratchFolder folder;
  const std::string missing = folder / "missing";
  DWORD words[4] = {0, 0, 0, 0};
  const std::string name = e.name;
  uint32_t a = 0, b = 0, c = 0;
  if (name == "SaveSystemFiles") {
    a = reinterpret_cast<uint32_t>("description");
    b = reinterpret_cast<uint32_t>(missing.c_str());
    c = reinterpret_cast<uint32_t>("Tessaly1");
  } else if (name == "DoQuickCheck") {
    b = reinterpret_cast<uint32_t>(words);
    c = reinterpret_cast<uint32_t>(missing.c_str());
  } else if (name != "DiffChangeSnapshotDir" && name != "DiffSaveSnapshotGUI") {
    a = reinterpret_cast<uint32_t>("Brenmoor Software Corp");
    b = reinterpret_cast<uint32_t>("Vantor");
    c = reinterpret_cast<uint32_t>("C:\\Vantor");
  }
  EXPECT_EQ(ArgumentBytesLeft(procedure, a, b, c), e.calleePops ? 0u : 12u);
}

INSTANTIATE_TEST_SUITE_P(All, CompanionExport, ::testing::ValuesIn(kExports),
                         [](const ::testing::TestParamInfo<Export>& info) {
                           return std::string(info.param.name);
                         });

TEST(Quillet, SnapshotToolReturnsZeroThroughACdeclPointer) {
  HMODULE module = LoadLibraryA("Quillet.dll");
  ASSERT_NE(module, nullptr);
  using SaveSnapshot = int(__cdecl*)();
  auto save = Find<SaveSnapshot>(module, "DiffSaveSnapshotGUI");
  ASSERT_NE(save, nullptr);
  EXPECT_EQ(save(), 0);
  using ChangeDir = int(__cdecl*)(char*, const char*);
  auto change = Find<ChangeDir>(module, "DiffChangeSnapshotDir");
  ASSERT_NE(change, nullptr);
  EXPECT_EQ(change(nullptr, "Select Save Directory"), 0);
  FreeLibrary(module);
}

TEST(VarnLibraries, InitialisersAcceptMissingAndLongTexts) {
  HMODULE tools = LoadLibraryA("VarnTools.dll");
  HMODULE tests = LoadLibraryA("VarnTests.dll");
  ASSERT_NE(tools, nullptr);
  ASSERT_NE(tests, nullptr);
  using Initialise = int(__stdcall*)(const char*, const char*, const char*);
  const std::string longText(5000, 'L');
  for (HMODULE module : {tools, tests}) {
    auto init = Find<Initialise>(module, module == tools ? "DoInitializeTools" : "DoInitializeTests");
    ASSERT_NE(init, nullptr);
    EXPECT_NE(init(nullptr, nullptr, nullptr), 0);
    EXPECT_NE(init(longText.c_str(), longText.c_str(), longText.c_str()), 0);
    EXPECT_NE(init("Brenmoor Software Corp", "Vantor", "C:\\Vantor"), 0);
  }
  FreeLibrary(tools);
  FreeLibrary(tests);
}

}  // namespace
