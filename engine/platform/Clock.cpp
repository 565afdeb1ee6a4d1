#include "engine/platform/Clock.h"

#include <sched.h>
#include <cerrno>
#include <ctime>

namespace veru::platform {

namespace {

// Every reading and sleep of the steady clock uses this one clock, so an
// absolute deadline from microseconds() means the same instant to the sleep.
constexpr clockid_t kSteadyClock = CLOCK_MONOTONIC;

std::uint64_t readMicroseconds(clockid_t id) {
    timespec t{};
    clock_gettime(id, &t);
    return static_cast<std::uint64_t>(t.tv_sec) * 1'000'000u +
           static_cast<std::uint64_t>(t.tv_nsec) / 1000u;
}

}  // namespace

std::uint32_t milliseconds() {
    return static_cast<std::uint32_t>(microseconds() / 1000u);
}

void sleepMilliseconds(std::uint32_t ms) {
    sleepMicroseconds(std::uint64_t{ms} * 1000u);
}

std::uint64_t microseconds() {
    return readMicroseconds(kSteadyClock);
}

void sleepMicroseconds(std::uint64_t us) {
    if (us == 0) {
        yieldProcessor();
        return;
    }
    sleepUntilMicroseconds(microseconds() + us);
}

void sleepUntilMicroseconds(std::uint64_t deadline) {
    timespec at{};
    at.tv_sec = static_cast<time_t>(deadline / 1'000'000u);
    at.tv_nsec = static_cast<long>(deadline % 1'000'000u) * 1000;
    // An interrupted absolute sleep resumes towards the same instant.
    while (clock_nanosleep(kSteadyClock, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
}

void yieldProcessor() {
    sched_yield();
}

std::uint64_t processCpuMicroseconds() {
    return readMicroseconds(CLOCK_PROCESS_CPUTIME_ID);
}

std::int64_t wallClockSeconds() {
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t);
    return static_cast<std::int64_t>(t.tv_sec);
}

CalendarTime localCalendarTime(std::int64_t seconds) {
    const auto time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    if (!localtime_r(&time, &parts) && !gmtime_r(&time, &parts))
        return {};
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
            parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

}  // namespace veru::platform
