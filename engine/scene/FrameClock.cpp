#include "engine/scene/FrameClock.h"

#include "engine/platform/Clock.h"

namespace veru::dxt {

void FrameClock::waitUntilMicroseconds(std::uint64_t deadline) {
    const std::uint64_t now = nowMicroseconds();
    if (now < deadline)
        sleepMicroseconds(deadline - now);
}

std::uint32_t SystemFrameClock::now() {
    return platform::milliseconds();
}

void SystemFrameClock::sleep(std::uint32_t ms) {
    platform::sleepMilliseconds(ms);
}

std::uint64_t SystemFrameClock::nowMicroseconds() {
    return platform::microseconds();
}

void SystemFrameClock::sleepMicroseconds(std::uint64_t us) {
    platform::sleepMicroseconds(us);
}

void SystemFrameClock::waitUntilMicroseconds(std::uint64_t deadline) {
    const std::uint64_t now = nowMicroseconds();
    if (now < deadline && deadline - now > kPollMicroseconds)
        sleepMicroseconds(deadline - now - kPollMicroseconds);
    while (nowMicroseconds() < deadline)
        yield();
}

void SystemFrameClock::yield() {
    platform::sleepMicroseconds(0);
}

}  // namespace veru::dxt
