#include "pellix_core.h"

#include <gtest/gtest.h>

namespace {

TEST(PellixIdle, NeverStampedIsZero) {
  volatile int32_t last = 0;
  EXPECT_EQ(pellix::IdleSeconds(last, [] { return 900000000; }), 0);
}

}  // namespace
