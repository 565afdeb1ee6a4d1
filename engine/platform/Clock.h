#pragma once
// The system's steady clock, its sleeps, the process's CPU time and the
// calendar day.
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
// Today in the local time zone as the number YYYYMMDD (20261209).
int localDate();

}  // namespace veru::platform
