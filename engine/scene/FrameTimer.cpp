#include "engine/scene/FrameTimer.h"

namespace veru::dxt {

namespace {

// A show that blocked this long waited for the display's refresh.
constexpr std::uint64_t kWaitedForDisplayMicroseconds = 1000;

}  // namespace

FrameTimer::FrameTimer(int fps, FrameClock* clock)
    : clock(clock ? clock : &systemClock), fps(fps > 0 ? fps : 60) {
    restart();
}

void FrameTimer::restart() {
    origin = lastReading = woke = clock->nowMicroseconds();
    index = 0;
}

int FrameTimer::setFps(int n) {
    if (n > 0 && n != fps) {
        // The last frame shown becomes frame 0 of a schedule at the new rate.
        if (index > 0) {
            origin += offset(index - 1);
            index = 1;
        }
        fps = n;
    }
    return n;
}

std::uint64_t FrameTimer::offset(std::uint64_t k) const {
    return k * 1000000u / static_cast<std::uint64_t>(fps);
}

void FrameTimer::endFrame() {
    const std::uint64_t now = clock->nowMicroseconds();
    const std::uint64_t due = origin + offset(index) - lead();
    const std::uint64_t period = offset(1);
    if (now < lastReading || (now < due && due - now > 2 * period)) {
        // The clock went backwards (or the deadline lies further off than a
        // frame ever does): nothing of the old schedule can be trusted.
        resyncs += 1;
        origin = now + lead();
        index = 0;
    } else if (now < due) {
        clock->waitUntilMicroseconds(due);
    } else if (now - due >= period) {
        // A stall: show this frame now and count the next ones from here.
        resyncs += 1;
        origin = now + lead();
        index = 0;
    } else if (now > due + lead()) {
        lateFrames += 1;
    }
    index += 1;
    woke = lastReading = clock->nowMicroseconds();
}

void FrameTimer::framePresented() {
    if (!displayPaced)
        return;
    const std::uint64_t now = clock->nowMicroseconds();
    if (now >= woke && now - woke >= kWaitedForDisplayMicroseconds) {
        // The show waited for the refresh: it was shown at `now`.
        origin = now;
        index = 1;
    }
    lastReading = now;
}

}  // namespace veru::dxt
