#pragma once
// FrameTimer: holds the scene loop at a number of frames per second by
// sleeping, never by busy waiting.
//
// Time is counted in one-second windows. Frame n of a window should start at
// target = 1000.0 / fps * n ms (truncated) after the window began: 0, 16, 33,
// 50, ... at 60 fps. beginFrame reads the clock before the frame's work;
// endFrame sleeps until the target. A late frame does not sleep and the
// following frames run back to back until they are on schedule again. The
// window restarts at the first frame that begins 1000 ms or more after it
// began, so lost time is never carried over. A change of fps takes effect at
// the next beginFrame and does not restart the window.
//
// Ownership: borrows the clock, which must outlive the timer.
// Thread: the loop's thread only.

#include <cstdint>

#include "engine/scene/FrameClock.h"

namespace veru::dxt {

class FrameTimer {
  public:
    // `clock` null means the system clock.
    explicit FrameTimer(int fps, FrameClock* clock = nullptr);

    // Starts a new window now.
    void restart();
    // Stores `n` when it is above 0; returns `n`.
    int setFps(int n);
    void beginFrame();
    void endFrame();

    int getFps() const { return fps; }
    std::uint32_t getFrameCount() const { return frameCount; }
    std::uint32_t getBaseTime() const { return baseTime; }
    std::uint32_t getFrameStart() const { return frameStart; }
    std::uint32_t getElapsed() const { return elapsed; }
    std::uint32_t getTarget() const { return target; }

  private:
    SystemFrameClock systemClock;
    FrameClock* clock;
    int fps;
    std::uint32_t frameCount = 0;
    std::uint32_t baseTime = 0;
    std::uint32_t frameStart = 0;
    std::uint32_t elapsed = 0;
    std::uint32_t target = 0;
};

}  // namespace veru::dxt
