#include "engine/scene/FrameTimer.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/ManualClock.h"

using mirelune::test::ManualClock;
using veru::dxt::FrameClock;
using veru::dxt::FrameTimer;

namespace {

// A clock in microseconds that a sleep moves forward.
class MicroClock : public FrameClock {
  public:
    std::uint32_t now() override { return static_cast<std::uint32_t>(time / 1000u); }
    void sleep(std::uint32_t ms) override { sleepMicroseconds(std::uint64_t{ms} * 1000u); }
    std::uint64_t nowMicroseconds() override { return time; }
    void sleepMicroseconds(std::uint64_t us) override { time += us; }
    std::uint64_t time = 7'000'000;
};

// Draws one frame whose work takes `workUs`, waits for it and shows it;
// returns when it was shown, relative to `start`.
std::uint64_t frame(FrameTimer& timer, MicroClock& clock, std::uint64_t start,
                    std::uint64_t workUs = 0) {
    clock.time += workUs;
    timer.endFrame();
    return clock.time - start;
}

}  // namespace

TEST(FrameTimer, FramesAreShownAtAbsoluteDeadlinesWithoutDrift) {
    MicroClock clock;
    FrameTimer timer(60, &clock);
    const std::uint64_t start = clock.time;
    std::vector<std::uint64_t> shown;
    for (int k = 0; k <= 600; ++k)
        shown.push_back(frame(timer, clock, start, k % 3 == 0 ? 9000 : 2500));
    // The first frame is due at once; frame k at k * 1000000 / 60 us,
    // whatever each frame's work took.
    EXPECT_EQ(shown[0], 9000u);  // late by its own work, less than a frame
    EXPECT_EQ(shown[1], 16666u);
    EXPECT_EQ(shown[2], 33333u);
    EXPECT_EQ(shown[3], 50000u);
    EXPECT_EQ(shown[60], 1'000'000u);  // sixty frames fill exactly one second
    EXPECT_EQ(shown[600], 10'000'000u);
    EXPECT_EQ(timer.getResyncs(), 0u);
}

TEST(FrameTimer, ALateFrameIsShownAtOnceAndOnlyTheNextComesEarly) {
    MicroClock clock;
    FrameTimer timer(60, &clock);
    const std::uint64_t start = clock.time;
    frame(timer, clock, start);
    // Frame 1 (due 16666) takes 25 ms: shown late at 25000, no resync.
    EXPECT_EQ(frame(timer, clock, start, 25000), 25000u);
    EXPECT_EQ(timer.getLateFrames(), 1u);
    // Frame 2 keeps its deadline: 8.3 ms after the late one, never back to back.
    EXPECT_EQ(frame(timer, clock, start, 1000), 33333u);
    EXPECT_EQ(frame(timer, clock, start, 1000), 50000u);
    EXPECT_EQ(timer.getResyncs(), 0u);
}

TEST(FrameTimer, AStallStartsANewScheduleInsteadOfRacing) {
    MicroClock clock;
    FrameTimer timer(60, &clock);
    const std::uint64_t start = clock.time;
    frame(timer, clock, start);
    // Frame 1 stalls 900 ms: shown when it is ready, the next a frame after.
    EXPECT_EQ(frame(timer, clock, start, 900000), 900000u);
    EXPECT_EQ(timer.getResyncs(), 1u);
    EXPECT_EQ(frame(timer, clock, start, 1000), 916666u);
    EXPECT_EQ(frame(timer, clock, start, 1000), 933333u);
    // Late by exactly one frame also resynchronises.
    EXPECT_EQ(frame(timer, clock, start, 2 * 16667), 933333u + 2 * 16667u);
    EXPECT_EQ(timer.getResyncs(), 2u);
}

TEST(FrameTimer, TalkScenesRunAtThirtyFromTheLastFrameShown) {
    MicroClock clock;
    FrameTimer timer(60, &clock);
    const std::uint64_t start = clock.time;
    for (int k = 0; k < 10; ++k)
        frame(timer, clock, start);  // the last at 150000
    EXPECT_EQ(timer.setFps(30), 30);
    EXPECT_EQ(frame(timer, clock, start), 150000u + 33333u);
    EXPECT_EQ(frame(timer, clock, start), 150000u + 66666u);
    EXPECT_EQ(frame(timer, clock, start), 250000u);
    timer.setFps(60);
    EXPECT_EQ(frame(timer, clock, start), 250000u + 16666u);
    // Zero or below keeps the rate.
    EXPECT_EQ(timer.setFps(0), 0);
    EXPECT_EQ(timer.setFps(-5), -5);
    EXPECT_EQ(timer.getFps(), 60);
}

TEST(FrameTimer, AClockGoingBackwardsNeverSleepsForAges) {
    // A millisecond clock wrapping around its 32 bits.
    ManualClock clock;
    clock.time = 0xFFFFFFF0u;
    FrameTimer timer(60, &clock);
    timer.endFrame();
    timer.endFrame();  // due 16.7 ms on: sleeps 17 ms, past the wrap
    EXPECT_EQ(clock.sleeps.back(), 17u);
    EXPECT_EQ(clock.time, 1u);
    clock.time += 5;
    timer.endFrame();  // its deadline lies days ahead of the reading: shown at once
    EXPECT_EQ(timer.getResyncs(), 1u);
    timer.endFrame();
    EXPECT_EQ(clock.sleeps.back(), 17u);
    clock.time -= 3;  // a reading below the last one
    timer.endFrame();
    EXPECT_EQ(timer.getResyncs(), 2u);
    for (std::uint32_t ms : clock.sleeps)
        EXPECT_LE(ms, 17u);
}

TEST(FrameTimer, AMillisecondClockStillGivesSixtyFramesASecond) {
    ManualClock clock;
    FrameTimer timer(60, &clock);
    const std::uint32_t start = clock.time;
    for (int k = 0; k <= 60; ++k)
        timer.endFrame();
    EXPECT_EQ(clock.time - start, 1000u);
    for (std::uint32_t ms : clock.sleeps)
        EXPECT_TRUE(ms == 16u || ms == 17u) << ms;
}

TEST(FrameTimer, DisplayPacingFollowsAShowThatWaitsAndHoldsTheRateWhenItDoesNot) {
    MicroClock clock;
    FrameTimer timer(60, &clock);
    timer.setDisplayPaced(true);
    const std::uint64_t start = clock.time;
    // The first frame: shown at once.
    frame(timer, clock, start);
    timer.framePresented();
    // A display at 59 Hz: each show waits for the next refresh.
    const std::uint64_t refresh = 1000000u / 59u;
    std::uint64_t vblank = refresh;
    for (int k = 0; k < 120; ++k) {
        const std::uint64_t woke = frame(timer, clock, start, 3000);
        ASSERT_LT(woke, vblank) << k;  // wakes before the refresh it is shown at
        clock.time = start + vblank;   // the show waits for the refresh
        timer.framePresented();
        vblank += refresh;
    }
    EXPECT_EQ(timer.getLateFrames(), 0u);
    EXPECT_EQ(timer.getResyncs(), 0u);
    // A show that returns at once: the timer's deadlines hold 60 a second,
    // a lead ahead of them.
    const std::uint64_t base = frame(timer, clock, start);
    timer.framePresented();
    const std::uint64_t later = [&] {
        std::uint64_t t = 0;
        for (int k = 0; k < 60; ++k) {
            t = frame(timer, clock, start, 1000);
            timer.framePresented();
        }
        return t;
    }();
    EXPECT_EQ(later - base, 1'000'000u);
}
