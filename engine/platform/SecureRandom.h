#pragma once
// The system's secure random source (getrandom).
//
// Thread: any thread.
// Failure: returns false when the system gives no random bytes.

#include <cstdint>

namespace veru::platform {

bool secureRandom32(std::uint32_t& value);

}  // namespace veru::platform
