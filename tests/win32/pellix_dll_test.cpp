// Pellix.dll as loaded by the platform: its six exports by ordinal and by
// name, WEP, the shared word in the SHARDATA section, the idle arithmetic on
// the real clock, and the stamping of the two hook procedures.
#include <windows.h>

#include <gtest/gtest.h>
#include <string.h>
#include <time.h>

#include "Pellix.h"

namespace {

// Names each parameterised case after its table row.
struct NameOf {
  template <typename Row>
  std::string operator()(const testing::TestParamInfo<Row>& info) const {
    return info.param.name;
  }
};

HMODULE Pellix() {
  static const HMODULE module = LoadLibraryA("Pellix.dll");
  return module;
}

// The shared word, the first of the library's SHARDATA section (the two hook
// handles follow it), found through the loaded image's section table.
volatile LONG* SharedWord(DWORD* characteristics = nullptr, DWORD* size = nullptr) {
  auto* base = reinterpret_cast<BYTE*>(Pellix());
  if (!base) return nullptr;
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
  for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
    if (memcmp(section->Name, "SHARDATA", IMAGE_SIZEOF_SHORT_NAME) == 0) {
      if (characteristics) *characteristics = section->Characteristics;
      if (size) *size = section->Misc.VirtualSize;
      return reinterpret_cast<volatile LONG*>(base + section->VirtualAddress);
    }
  }
  return nullptr;
}

// An export by ordinal, as a pointer of the given function type.
template <typename Function>
Function ExportAt(WORD ordinal) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(Pellix(), MAKEINTRESOURCEA(ordinal))));
}

LONG Now() { return static_cast<LONG>(time(nullptr)); }

struct Export {
  WORD ordinal;
  const char* name;
};

const Export kExports[] = {
    {1, "WEP"},          {2, "HookInstall"}, {3, "HookResetTimer"},
    {4, "HookIdleSeconds"}, {5, "KeyboardFunc"}, {6, "MouseFunc"},
};

class PellixExport : public testing::TestWithParam<Export> {};

TEST_P(PellixExport, ResolvesByOrdinalAndByNameToTheSameAddress) {
  const Export& e = GetParam();
  ASSERT_NE(Pellix(), nullptr);
  FARPROC byOrdinal = GetProcAddress(Pellix(), MAKEINTRESOURCEA(e.ordinal));
  FARPROC byName = GetProcAddress(Pellix(), e.name);
  ASSERT_NE(byOrdinal, nullptr) << "ordinal " << e.ordinal;
  ASSERT_NE(byName, nullptr) << e.name;
  EXPECT_EQ(byOrdinal, byName);
}

INSTANTIATE_TEST_SUITE_P(AllSix, PellixExport, testing::ValuesIn(kExports),
                         NameOf());

TEST(PellixExports, AllSixAreDistinctAndThereAreNoOthers) {
  for (size_t i = 0; i < 6; ++i)
    for (size_t j = i + 1; j < 6; ++j)
      EXPECT_NE(GetProcAddress(Pellix(), MAKEINTRESOURCEA(kExports[i].ordinal)),
                GetProcAddress(Pellix(), MAKEINTRESOURCEA(kExports[j].ordinal)));
  EXPECT_EQ(GetProcAddress(Pellix(), MAKEINTRESOURCEA(7)), nullptr);
  // Names keep no stdcall decoration.
  EXPECT_EQ(GetProcAddress(Pellix(), "HookInstall@4"), nullptr);
  EXPECT_EQ(GetProcAddress(Pellix(), "_HookInstall@4"), nullptr);
}

using WepProc = LONG(WINAPI*)(LONG);

class PellixWep : public testing::TestWithParam<LONG> {};

TEST_P(PellixWep, ReturnsOneWhateverTheArgument) {
  auto wep = ExportAt<WepProc>(1);
  ASSERT_NE(wep, nullptr);
  volatile LONG* word = SharedWord();
  ASSERT_NE(word, nullptr);
  *word = 12345;
  EXPECT_EQ(wep(GetParam()), 1);
  EXPECT_EQ(*word, 12345) << "WEP must not touch the shared word";
}

INSTANTIATE_TEST_SUITE_P(Arguments, PellixWep, testing::Values(0, 1, -1, 0x12345678));

TEST(PellixSharedWord, LeadsAReadWriteSharedSectionOfFourWords) {
  DWORD characteristics = 0, size = 0;
  ASSERT_NE(SharedWord(&characteristics, &size), nullptr) << "no SHARDATA section";
  EXPECT_NE(characteristics & IMAGE_SCN_MEM_SHARED, 0u);
  EXPECT_NE(characteristics & IMAGE_SCN_MEM_READ, 0u);
  EXPECT_NE(characteristics & IMAGE_SCN_MEM_WRITE, 0u);
  EXPECT_EQ(size, 16u);  // the stamp, the two hook handles, their owner's process id
}

TEST(PellixSharedWord, ResetWritesTheCurrentTimeIntoTheSharedWordAndReturnsIt) {
  volatile LONG* word = SharedWord();
  ASSERT_NE(word, nullptr);
  *word = 0;
  const LONG before = Now();
  const LONG stamp = HookResetTimer();
  const LONG after = Now();
  EXPECT_GE(stamp, before);
  EXPECT_LE(stamp, after);
  EXPECT_EQ(*word, stamp);
}

// The idle count on the real clock, with the shared word set by the test.
struct IdleCase {
  const char* name;
  LONG ageSeconds;  // the word is set to now - age; 0 sets the word to 0
  LONG low, high;   // bounds for the count (a second may tick meanwhile)
};

class PellixIdle : public testing::TestWithParam<IdleCase> {};

TEST_P(PellixIdle, CountsSecondsSinceTheSharedWord) {
  const IdleCase& c = GetParam();
  volatile LONG* word = SharedWord();
  ASSERT_NE(word, nullptr);
  *word = c.ageSeconds == 0 ? 0 : Now() - c.ageSeconds;
  const LONG idle = HookIdleSeconds();
  EXPECT_GE(idle, c.low);
  EXPECT_LE(idle, c.high);
}

const IdleCase kIdleCases[] = {
    {"NeverStampedIsZero", 0, 0, 0},
    {"TwoMinutes", 120, 120, 121},
    {"TwelveHours", 12 * 3600, 12 * 3600, 12 * 3600 + 1},
    {"ClockSetBackAnHourIsNegative", -3600, -3600, -3599},
};

INSTANTIATE_TEST_SUITE_P(Cases, PellixIdle, testing::ValuesIn(kIdleCases),
                         NameOf());

TEST(PellixIdleAfterReset, IsZeroOrOneRightAfterReset) {
  HookResetTimer();
  const LONG idle = HookIdleSeconds();
  EXPECT_GE(idle, 0);
  EXPECT_LE(idle, 1);
}

// Both hook procedures stamp on every call, whatever the code, and leave the
// rest to the next hook.
struct HookCall {
  const char* name;
  WORD ordinal;
  int code;
};

class PellixHookProcedure : public testing::TestWithParam<HookCall> {};

TEST_P(PellixHookProcedure, StampsTheSharedWord) {
  const HookCall& c = GetParam();
  auto procedure = ExportAt<HOOKPROC>(c.ordinal);
  ASSERT_NE(procedure, nullptr);
  volatile LONG* word = SharedWord();
  ASSERT_NE(word, nullptr);
  *word = Now() - 3600;
  const LONG before = Now();
  MOUSEHOOKSTRUCT mouse = {};
  procedure(c.code, c.ordinal == 6 ? WM_MOUSEMOVE : 'A',
            c.ordinal == 6 ? reinterpret_cast<LPARAM>(&mouse) : 1);
  EXPECT_GE(*word, before);
  EXPECT_LE(*word, Now());
}

const HookCall kHookCalls[] = {
    {"KeyboardAction", 5, HC_ACTION},   {"KeyboardNoRemove", 5, HC_NOREMOVE},
    {"KeyboardNegative", 5, -1},        {"MouseAction", 6, HC_ACTION},
    {"MouseNoRemove", 6, HC_NOREMOVE},  {"MouseNegative", 6, -1},
};

INSTANTIATE_TEST_SUITE_P(Codes, PellixHookProcedure, testing::ValuesIn(kHookCalls),
                         NameOf());

}  // namespace
