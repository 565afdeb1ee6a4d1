#include "engine/platform/HeapUsage.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A block held shows in the count, and freeing it takes it out again: the
// soak's leak check relies on both.
TEST(HeapUsage, FollowsWhatIsHeldAndFreed) {
    const std::int64_t before = veru::platform::heapBytesInUse();
    if (before < 0)
        GTEST_SKIP() << "this allocator does not report its use";
    constexpr std::int64_t kBlock = 8 << 20;
    auto block = std::make_unique<char[]>(kBlock);
    block[0] = 1;
    block[kBlock - 1] = 1;
    // Keep the compiler from dropping a block nobody reads.
    asm volatile("" : : "r"(block.get()) : "memory");
    const std::int64_t held = veru::platform::heapBytesInUse();
    EXPECT_GE(held - before, kBlock);
    block.reset();
    const std::int64_t after = veru::platform::heapBytesInUse();
    EXPECT_LT(after - before, kBlock / 2);
}

}  // namespace
