#include "engine/scene/FrameClock.h"

#include <gtest/gtest.h>

#include <vector>

using veru::dxt::SystemFrameClock;

namespace {

// The system clock's wait, run on a hand-moved clock: a sleep moves time on
// by what was asked plus `oversleep` (a late wake-up), a yield by `step`.
class PollClock : public SystemFrameClock {
  public:
    std::uint64_t nowMicroseconds() override { return time; }
    void sleepMicroseconds(std::uint64_t us) override {
        sleeps.push_back(us);
        time += us + oversleep;
    }
    void yield() override {
        yields += 1;
        time += step;
    }
    std::uint64_t time = 3'000'000;
    std::uint64_t oversleep = 0;
    std::uint64_t step = 30;
    std::vector<std::uint64_t> sleeps;
    int yields = 0;
};

constexpr std::uint64_t kLead = SystemFrameClock::kPollMicroseconds;

}  // namespace

TEST(SystemFrameClock, SleepsToTheLeadThenPollsToTheDeadline) {
    PollClock clock;
    const std::uint64_t deadline = clock.time + 16'666;
    clock.waitUntilMicroseconds(deadline);
    ASSERT_EQ(clock.sleeps.size(), 1u);
    EXPECT_EQ(clock.sleeps[0], 16'666 - kLead);
    EXPECT_GE(clock.time, deadline);
    EXPECT_LT(clock.time, deadline + clock.step);

    // A wake-up late by most of the lead still meets the deadline.
    PollClock late;
    late.oversleep = kLead - 100;
    const std::uint64_t due = late.time + 10'000;
    late.waitUntilMicroseconds(due);
    EXPECT_EQ(late.sleeps.size(), 1u);
    EXPECT_GE(late.time, due);
    EXPECT_LT(late.time, due + late.step);
    EXPECT_LE(late.yields, 4);
}

TEST(SystemFrameClock, ShortWaitsOnlyPollAndPastDeadlinesReturnAtOnce) {
    PollClock clock;
    const std::uint64_t deadline = clock.time + kLead;  // not more than the lead
    clock.waitUntilMicroseconds(deadline);
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_GE(clock.time, deadline);
    EXPECT_LT(clock.time, deadline + clock.step);

    const std::uint64_t before = clock.time;
    clock.yields = 0;
    clock.waitUntilMicroseconds(before - 5000);
    clock.waitUntilMicroseconds(before);
    EXPECT_EQ(clock.time, before);
    EXPECT_EQ(clock.yields, 0);
    EXPECT_TRUE(clock.sleeps.empty());

    // A wake-up later than the deadline itself: nothing left to poll.
    PollClock slow;
    slow.oversleep = 5000;
    slow.waitUntilMicroseconds(slow.time + 16'666);
    EXPECT_EQ(slow.yields, 0);
}
