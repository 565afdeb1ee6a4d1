#pragma once
// The system's millisecond clock and sleep.
//
// Thread: both functions may be called from any thread.

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

}  // namespace veru::platform
