#include "engine/scene/FrameTimer.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/ManualClock.h"

using mirelune::test::ManualClock;
using veru::dxt::FrameClock;
using veru::dxt::FrameTimer;

namespace {

// Runs one frame whose work takes `workMs`.
void frame(FrameTimer& timer, ManualClock& clock, std::uint32_t workMs = 0) {
    timer.beginFrame();
    clock.time += workMs;
    timer.endFrame();
}

}  // namespace

TEST(FrameTimer, SixtyFramesFillOneSecondAtTruncatedTargets) {
    ManualClock clock;
    FrameTimer timer(60, &clock);
    timer.restart();
    std::vector<std::uint32_t> targets;
    for (int i = 0; i < 60; ++i) {
        timer.beginFrame();
        targets.push_back(timer.getTarget());
        timer.endFrame();
    }
    EXPECT_EQ(targets[0], 0u);
    EXPECT_EQ(targets[1], 16u);
    EXPECT_EQ(targets[2], 33u);
    EXPECT_EQ(targets[3], 50u);
    EXPECT_EQ(targets[59], 983u);
    // The first frame sleeps 0 ms; with no work each frame ends at its target.
    EXPECT_EQ(clock.sleeps[0], 0u);
    EXPECT_EQ(clock.time - 5000, 983u);
    // Frame 60 starts at 1000 ms: a new window begins there.
    timer.beginFrame();
    EXPECT_EQ(timer.getTarget(), 1000u);
    EXPECT_EQ(timer.getElapsed(), 983u);
    timer.endFrame();
    EXPECT_EQ(clock.time - 5000, 1000u);
    frame(timer, clock);
    EXPECT_EQ(timer.getBaseTime(), 5000u + 1000u);
    EXPECT_EQ(timer.getFrameCount(), 1u);
}

TEST(FrameTimer, LateFramesDoNotSleepAndCatchUpWithinTheWindow) {
    ManualClock clock;
    FrameTimer timer(60, &clock);
    timer.restart();
    frame(timer, clock, 100);  // frame 0 takes 100 ms
    EXPECT_EQ(clock.sleeps.back(), 0u);
    const std::size_t sleepsBefore = clock.sleeps.size();
    // Frames 1..5 (targets 16..83) begin late: none of them sleeps.
    for (int i = 1; i <= 5; ++i)
        frame(timer, clock, 1);
    EXPECT_EQ(clock.sleeps.size(), sleepsBefore);
    // Frame 6 begins at 105 ms against a target of 100: still late. Frame 7
    // (target 116) begins at 106 and sleeps the 10 ms it is early.
    frame(timer, clock, 1);
    timer.beginFrame();
    EXPECT_EQ(timer.getTarget(), 116u);
    EXPECT_EQ(timer.getElapsed(), 106u);
    timer.endFrame();
    EXPECT_EQ(clock.sleeps.back(), 10u);
}

TEST(FrameTimer, TheWindowRestartsAtTheFirstFrameOneSecondLateAndForgetsLostTime) {
    ManualClock clock;
    FrameTimer timer(60, &clock);
    timer.restart();
    frame(timer, clock, 1500);  // a long stall in frame 0
    timer.beginFrame();         // frame 1 begins 1500 ms after the window began
    EXPECT_GE(timer.getElapsed(), 1000u);
    timer.endFrame();
    EXPECT_EQ(timer.getBaseTime(), 5000u + 1500u);
    EXPECT_EQ(timer.getFrameCount(), 1u);
    // The next frame is paced from the new window: target 16 ms after it.
    timer.beginFrame();
    EXPECT_EQ(timer.getTarget(), 16u);
    EXPECT_EQ(timer.getElapsed(), 0u);
    timer.endFrame();
    EXPECT_EQ(clock.sleeps.back(), 16u);
}

TEST(FrameTimer, FpsChangesApplyAtTheNextFrameWithoutRestartingTheWindow) {
    ManualClock clock;
    FrameTimer timer(60, &clock);
    timer.restart();
    for (int i = 0; i < 30; ++i)
        frame(timer, clock);  // 30 frames: 483 ms
    EXPECT_EQ(clock.time - 5000, 483u);
    timer.setFps(30);
    // Frame 30 at 30 fps has target 1000 ms: it waits for the 30 fps
    // schedule of the running window (about half a second).
    timer.beginFrame();
    EXPECT_EQ(timer.getTarget(), 1000u);
    timer.endFrame();
    EXPECT_EQ(clock.sleeps.back(), 1000u - 483u);

    ManualClock clock2;
    FrameTimer fast(30, &clock2);
    fast.restart();
    for (int i = 0; i < 10; ++i)
        frame(fast, clock2);  // 10 frames at 30: 300 ms
    fast.setFps(60);
    // Frame 10 at 60 fps has target 166 ms, long past: no sleep until the
    // window closes.
    const std::size_t before = clock2.sleeps.size();
    frame(fast, clock2, 1);
    EXPECT_EQ(clock2.sleeps.size(), before);
}

TEST(FrameTimer, SetFpsKeepsTheRateForZeroOrNegativeValues) {
    ManualClock clock;
    FrameTimer timer(60, &clock);
    EXPECT_EQ(timer.setFps(0), 0);
    EXPECT_EQ(timer.setFps(-5), -5);
    EXPECT_EQ(timer.getFps(), 60);
    EXPECT_EQ(timer.setFps(30), 30);
    EXPECT_EQ(timer.getFps(), 30);
}

TEST(FrameTimer, SurvivesTheClockWrappingAround) {
    ManualClock clock;
    clock.time = 0xFFFFFFF0u;
    FrameTimer timer(60, &clock);
    timer.restart();
    frame(timer, clock);
    timer.beginFrame();
    EXPECT_EQ(timer.getTarget(), 16u);
    EXPECT_EQ(timer.getElapsed(), 0u);
    timer.endFrame();
    EXPECT_EQ(clock.sleeps.back(), 16u);
}
