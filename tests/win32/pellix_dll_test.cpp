#include <windows.h>

#include <gtest/gtest.h>

#include "Pellix.h"

namespace {

TEST(PellixDll, ResetThenIdleIsZero) {
  HookResetTimer();
  EXPECT_LE(HookIdleSeconds(), 1);
}

}  // namespace
