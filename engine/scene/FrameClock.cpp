#include "engine/scene/FrameClock.h"

#include <algorithm>

#include "engine/platform/Clock.h"

namespace veru::dxt {

namespace {

// The lead covers this many of every ten recent wake-ups: the rare later
// ones come from the host taking the processor away, which a poll cannot
// win back either.
constexpr std::size_t kCoveredTenths = 9;

}  // namespace

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
    if (now < deadline && deadline - now > pollLead) {
        const std::uint64_t wakeAt = deadline - pollLead;
        sleepUntilMicroseconds(wakeAt);
        const std::uint64_t woke = nowMicroseconds();
        learn(woke > wakeAt ? woke - wakeAt : 0);
    }
    while (nowMicroseconds() < deadline)
        yield();
}

void SystemFrameClock::learn(std::uint64_t lateness) {
    wakeUps[seen % kKeptWakeUps] =
        static_cast<std::uint32_t>(std::min<std::uint64_t>(lateness, kMaxPollMicroseconds));
    seen += 1;
    if (seen < kLearnWakeUps)
        return;
    const std::size_t kept = std::min(seen, kKeptWakeUps);
    std::array<std::uint32_t, kKeptWakeUps> sorted = wakeUps;
    const auto covered = sorted.begin() + static_cast<std::ptrdiff_t>(kept * kCoveredTenths / 10);
    std::nth_element(sorted.begin(), covered, sorted.begin() + static_cast<std::ptrdiff_t>(kept));
    pollLead = *covered <= kPunctualMicroseconds ? 0 : *covered;
}

void SystemFrameClock::sleepUntilMicroseconds(std::uint64_t deadline) {
    platform::sleepUntilMicroseconds(deadline);
}

void SystemFrameClock::yield() {
    platform::yieldProcessor();
}

}  // namespace veru::dxt
