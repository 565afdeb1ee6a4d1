#include "engine/scene/FrameClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using veru::dxt::SystemFrameClock;

namespace {

// The system clock's wait, run on a hand-moved clock: a sleep ends
// `oversleep` after the time it was asked for (a late wake-up), a yield moves
// time on by `step`.
class PollClock : public SystemFrameClock {
  public:
    std::uint64_t nowMicroseconds() override { return time; }
    void sleepUntilMicroseconds(std::uint64_t deadline) override {
        sleeps.push_back(deadline);
        time = std::max(time, deadline) + oversleep;
    }
    void yield() override {
        yields += 1;
        time += step;
    }

    // Waits for `frames` deadlines a frame apart, each after `work` of
    // drawing; returns how late the last one was shown.
    std::uint64_t run(int frames, std::uint64_t work = 4000) {
        std::uint64_t late = 0;
        for (int f = 0; f < frames; ++f) {
            const std::uint64_t due = time + 16'666;
            time += work;
            waitUntilMicroseconds(due);
            late = time - due;
        }
        return late;
    }

    std::uint64_t time = 3'000'000;
    std::uint64_t oversleep = 0;
    std::uint64_t step = 30;
    std::vector<std::uint64_t> sleeps;
    int yields = 0;
};

constexpr std::uint64_t kMaxLead = SystemFrameClock::kMaxPollMicroseconds;

// The poll's lead once every kept wake-up came `oversleep` late.
std::uint64_t leadAfter(PollClock& clock, std::uint64_t oversleep) {
    clock.oversleep = oversleep;
    clock.run(SystemFrameClock::kKeptWakeUps);
    return clock.getPollLeadMicroseconds();
}

}  // namespace

TEST(SystemFrameClock, PollsTheLongestLeadUntilItHasLearntTheMachine) {
    PollClock clock;
    EXPECT_EQ(clock.getPollLeadMicroseconds(), kMaxLead);
    const std::uint64_t deadline = clock.time + 16'666;
    clock.waitUntilMicroseconds(deadline);
    ASSERT_EQ(clock.sleeps.size(), 1u);
    EXPECT_EQ(clock.sleeps[0], deadline - kMaxLead);
    EXPECT_GE(clock.time, deadline);
    EXPECT_LT(clock.time, deadline + clock.step);
}

TEST(SystemFrameClock, APunctualMachineSleepsToTheDeadlineAndNeverPolls) {
    PollClock clock;
    clock.oversleep = 60;  // a usual desktop's wake-up
    clock.run(SystemFrameClock::kLearnWakeUps);
    EXPECT_EQ(clock.getPollLeadMicroseconds(), 0u);

    clock.yields = 0;
    clock.sleeps.clear();
    const std::uint64_t due = clock.time + 16'666;
    clock.waitUntilMicroseconds(due);
    EXPECT_EQ(clock.sleeps, std::vector<std::uint64_t>{due});
    EXPECT_EQ(clock.yields, 0);
    EXPECT_EQ(clock.run(100), 60u);
    EXPECT_EQ(clock.yields, 0);
}

TEST(SystemFrameClock, ALateWakingMachinePollsOnlyItsUsualLateness) {
    PollClock clock;
    EXPECT_EQ(leadAfter(clock, 1400), 1400u);
    // Every frame is still shown within one poll step of its deadline, after
    // a handful of polls instead of the longest lead's sixty-odd.
    clock.yields = 0;
    EXPECT_LT(clock.run(100), clock.step);
    EXPECT_LE(clock.yields, 100);

    // A machine waking later than the longest lead polls no longer than it.
    PollClock host;
    EXPECT_EQ(leadAfter(host, 5000), kMaxLead);
}

TEST(SystemFrameClock, TheLeadFollowsTheMachineAndIgnoresRareLateWakeUps) {
    PollClock clock;
    EXPECT_EQ(leadAfter(clock, 1500), 1500u);
    // Lateness under a millisecond is left as it is: no poll.
    EXPECT_EQ(leadAfter(clock, 600), 0u);
    // The machine quietens: once most kept wake-ups are punctual, no poll.
    EXPECT_EQ(leadAfter(clock, 20), 0u);

    // One wake-up in sixteen held up by the host does not buy a poll on all.
    PollClock rare;
    for (int f = 0; f < 4 * static_cast<int>(SystemFrameClock::kKeptWakeUps); ++f) {
        rare.oversleep = f % 16 == 0 ? 3000 : 40;
        rare.run(1);
    }
    EXPECT_EQ(rare.getPollLeadMicroseconds(), 0u);
}

TEST(SystemFrameClock, ShortAndPastDeadlinesNeverSleep) {
    PollClock clock;
    const std::uint64_t deadline = clock.time + kMaxLead;  // not more than the lead
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
