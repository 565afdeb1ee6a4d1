#pragma once
// MemoryRiffSource: a RiffSource over bytes held elsewhere.
//
// Ownership: borrows the bytes; they must outlive the source.

#include <algorithm>
#include <cstring>

#include "engine/sound/RiffSource.h"

namespace veru::sound {

class MemoryRiffSource : public RiffSource {
  public:
    MemoryRiffSource(const std::uint8_t* data, std::size_t size) : data(data), length(size) {}

    std::size_t read(void* destination, std::size_t count) override {
        const std::size_t n = std::min(count, length - position);
        if (n > 0)
            std::memcpy(destination, data + position, n);
        position += n;
        return n;
    }
    bool seek(std::uint64_t offset) override {
        if (offset > length)
            return false;
        position = static_cast<std::size_t>(offset);
        return true;
    }
    std::uint64_t size() const override { return length; }

  private:
    const std::uint8_t* data;
    std::size_t length;
    std::size_t position = 0;
};

}  // namespace veru::sound
