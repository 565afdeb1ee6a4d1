#include "engine/platform/image/Zlib.h"

#include <zlib.h>

#include <memory>

namespace veru::platform {

InflateResult inflateZlib(std::span<const std::uint8_t> input, std::size_t capacity,
                          std::vector<std::uint8_t>& output) {
    output.clear();
    // Pages of a buffer nobody writes are never touched, so a header that
    // promises far more than the stream holds costs next to nothing; a
    // zero-filled vector of that size would be written through first.
    const std::unique_ptr<std::uint8_t[]> buffer =
        std::make_unique_for_overwrite<std::uint8_t[]>(capacity);
    uLongf length = static_cast<uLongf>(capacity);
    const int result =
        uncompress(buffer.get(), &length, input.data(), static_cast<uLong>(input.size()));
    switch (result) {
        case Z_OK:
            output.assign(buffer.get(), buffer.get() + length);
            return InflateResult::ok;
        case Z_BUF_ERROR:
            return InflateResult::bufferError;
        case Z_MEM_ERROR:
            return InflateResult::memoryError;
        case Z_DATA_ERROR:
            return InflateResult::dataError;
        default:
            return InflateResult::otherError;
    }
}

bool deflateZlib(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& output) {
    uLongf length = compressBound(static_cast<uLong>(input.size()));
    output.assign(length, 0);
    if (compress2(output.data(), &length, input.data(), static_cast<uLong>(input.size()),
                  Z_BEST_COMPRESSION) != Z_OK) {
        output.clear();
        return false;
    }
    output.resize(length);
    return true;
}

}  // namespace veru::platform
