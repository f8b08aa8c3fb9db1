#include "win/global_memory.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

using namespace ocelot;

namespace {

UINT LockCount(HGLOBAL h) { return GlobalFlags(h) & GMEM_LOCKCOUNT; }

TEST(GlobalLocked, NestedScopes_EachUnlocksItsOwnLock) {
  win::ScopedGlobal block(GlobalAlloc(GMEM_MOVEABLE, 16));
  ASSERT_TRUE(block);
  {
    win::GlobalLocked<char> outer(block.get());
    ASSERT_TRUE(outer.get());
    EXPECT_GE(outer.size(), 16u);
    std::memcpy(outer.get(), "ocelot", 7);
    {
      win::GlobalLocked<const char> inner(block.get());
      EXPECT_STREQ(inner.get(), "ocelot");
      EXPECT_EQ(LockCount(block.get()), 2u);
    }
    EXPECT_EQ(LockCount(block.get()), 1u);
  }
  EXPECT_EQ(LockCount(block.get()), 0u);
}

TEST(GlobalLocked, NoBlock_LocksNothing) {
  win::GlobalLocked<char> none(nullptr);
  EXPECT_EQ(none.get(), nullptr);
  EXPECT_EQ(none.size(), 0u);
}

}  // namespace
