#include "engine/scene/FrameClock.h"

#include "engine/platform/Clock.h"

namespace veru::dxt {

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

}  // namespace veru::dxt
