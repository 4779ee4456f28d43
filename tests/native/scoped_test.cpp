// The one owner of handles and the re-entry guard: a handle is given back
// once, through the context its traits carry, on every way out of a scope;
// moved, released and "none" handles are left alone; a re-entry flag is set
// only by the outermost call and cleared when it returns.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "base/scoped.h"

namespace tessaly {
namespace {

// Handles are ints; -1 is none and 0 is an invalid value, like
// INVALID_HANDLE_VALUE beside null. Closing notes the handle in the pool the
// traits point to.
struct Pool {
  std::vector<int> closed;
};

struct PoolTraits {
  Pool* pool = nullptr;
  static int None() { return -1; }
  bool Valid(int handle) const { return handle > 0; }
  void Close(int handle) const { pool->closed.push_back(handle); }
};

using ScopedInt = ScopedOwner<int, PoolTraits>;

enum class Step { kNothing, kRelease, kResetToOther, kResetToSame, kMoveOut };

struct OwnerCase {
  const char* name;
  int handle;
  Step step;
  std::vector<int> closedAfterScope;
};

class ScopedOwnerTable : public testing::TestWithParam<OwnerCase> {};

TEST_P(ScopedOwnerTable, GivesBackEachHandleOnceThroughItsTraits) {
  const OwnerCase& c = GetParam();
  Pool pool;
  Pool other;  // the pool of the owner that a handle is moved to
  {
    ScopedInt moved(-1, PoolTraits{&other});
    ScopedInt owner(c.handle, PoolTraits{&pool});
    switch (c.step) {
      case Step::kNothing: break;
      case Step::kRelease: EXPECT_EQ(owner.release(), c.handle); break;
      case Step::kResetToOther: owner.reset(7); break;
      case Step::kResetToSame: owner.reset(c.handle); break;
      case Step::kMoveOut: moved = std::move(owner); EXPECT_FALSE(owner); break;
    }
  }
  // A moved handle is closed by its new owner, through the traits it came
  // with (a key goes back to the registry that opened it).
  EXPECT_EQ(pool.closed, c.closedAfterScope);
  EXPECT_TRUE(other.closed.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, ScopedOwnerTable,
    testing::Values(OwnerCase{"ClosedAtScopeEnd", 5, Step::kNothing, {5}},
                    OwnerCase{"NoneIsNotClosed", -1, Step::kNothing, {}},
                    OwnerCase{"InvalidValueIsNotClosed", 0, Step::kNothing, {}},
                    OwnerCase{"ReleasedIsNotClosed", 5, Step::kRelease, {}},
                    OwnerCase{"ResetClosesTheOldThenTheNew", 5, Step::kResetToOther, {5, 7}},
                    OwnerCase{"ResetToItselfClosesOnce", 5, Step::kResetToSame, {5}},
                    OwnerCase{"MovedIsClosedOnceByItsNewOwner", 5, Step::kMoveOut, {5}}),
    [](const testing::TestParamInfo<OwnerCase>& info) { return info.param.name; });

int32_t Nested(int32_t& flag, int depth, int* entries) {
  ReentryGuard guard(flag);
  if (!guard.entered()) return flag;
  ++*entries;
  // The inner call comes while the outer one holds the flag.
  return depth > 0 ? Nested(flag, depth - 1, entries) : flag;
}

TEST(ReentryGuard, OnlyTheOutermostCallRunsAndTheFlagIsClearedAfterIt) {
  int32_t flag = 0;
  int entries = 0;
  EXPECT_EQ(Nested(flag, 2, &entries), 1);
  EXPECT_EQ(entries, 1);
  EXPECT_EQ(flag, 0);
}

TEST(ReentryGuard, AFlagSetElsewhereIsLeftSet) {
  int32_t flag = 1;
  {
    ReentryGuard guard(flag);
    EXPECT_FALSE(guard.entered());
  }
  EXPECT_EQ(flag, 1);
}

}  // namespace
}  // namespace tessaly
