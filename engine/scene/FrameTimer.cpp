#include "engine/scene/FrameTimer.h"

namespace veru::dxt {

FrameTimer::FrameTimer(int fps, FrameClock* clock)
    : clock(clock ? clock : &systemClock), fps(fps > 0 ? fps : 60) {
    baseTime = this->clock->now();
}

void FrameTimer::restart() {
    baseTime = clock->now();
}

int FrameTimer::setFps(int n) {
    if (n > 0)
        fps = n;
    return n;
}

void FrameTimer::beginFrame() {
    frameStart = clock->now();
    elapsed = frameStart - baseTime;
    target = static_cast<std::uint32_t>(1000.0 / fps * frameCount);
}

void FrameTimer::endFrame() {
    if (target >= elapsed)
        clock->sleep(target - elapsed);
    if (elapsed >= 1000) {
        baseTime = frameStart;
        frameCount = 0;
    }
    frameCount += 1;
}

}  // namespace veru::dxt
