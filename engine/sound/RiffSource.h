#pragma once
// RiffSource: the bytes a RiffReader walks through (a file on disk, or memory
// for tests and fuzzing).
//
// Thread: one thread at a time.

#include <cstddef>
#include <cstdint>

namespace veru::sound {

class RiffSource {
  public:
    virtual ~RiffSource() = default;
    // Reads up to `count` bytes at the current position; returns how many came.
    virtual std::size_t read(void* destination, std::size_t count) = 0;
    // False when `offset` is beyond the end.
    virtual bool seek(std::uint64_t offset) = 0;
    virtual std::uint64_t size() const = 0;
};

}  // namespace veru::sound
