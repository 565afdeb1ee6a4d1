#pragma once
// The system's steady clock, its sleeps and the process's CPU time.
//
// Thread: every function may be called from any thread.

#include <cstdint>

namespace veru::platform {

// Milliseconds of a steady clock; wraps around like a 32-bit counter.
std::uint32_t milliseconds();
// Blocks the calling thread for at least `ms` milliseconds (0 yields).
void sleepMilliseconds(std::uint32_t ms);
// Microseconds of the same steady clock (never wraps in practice).
std::uint64_t microseconds();
// Blocks the calling thread for at least `us` microseconds (0 yields).
void sleepMicroseconds(std::uint64_t us);
// Blocks the calling thread until microseconds() reads at least `deadline`;
// returns at once when it already does. The sleep is kept to that absolute
// time, so a signal that interrupts it or a late start cannot lengthen it.
void sleepUntilMicroseconds(std::uint64_t deadline);
// Lets another runnable thread have the processor for a moment.
void yieldProcessor();
// Processor time every thread of this process has used, in microseconds.
std::uint64_t processCpuMicroseconds();

// The wall clock: whole seconds since 1970-01-01 00:00 UTC.
std::int64_t wallClockSeconds();

// A moment as the player's calendar shows it (month 1-12, day 1-31).
struct CalendarTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};
// `seconds` since 1970 UTC in the user's time zone (TZ, /etc/localtime);
// UTC when the system cannot convert it.
CalendarTime localCalendarTime(std::int64_t seconds);

}  // namespace veru::platform
