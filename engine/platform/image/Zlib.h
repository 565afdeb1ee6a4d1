#pragma once
// zlib streams (with zlib header), as the picture containers hold them.
//
// Thread: any thread. Failure: reported through the return values.

#include <cstdint>
#include <span>
#include <vector>

namespace veru::platform {

enum class InflateResult {
    ok,           // `output` holds the inflated bytes (possibly fewer than asked for)
    bufferError,  // the stream inflates to more than `capacity` bytes (zlib's Z_BUF_ERROR)
    memoryError,  // zlib ran out of memory (Z_MEM_ERROR)
    dataError,    // not a zlib stream, corrupt, or cut short (Z_DATA_ERROR)
    otherError,   // any other result code
};

// zlib's one-call decompression of `input` into at most `capacity` bytes.
// `output` is resized to the real length on success and left empty otherwise.
InflateResult inflateZlib(std::span<const std::uint8_t> input, std::size_t capacity,
                          std::vector<std::uint8_t>& output);

// Compresses `input` into one zlib stream at the best compression level;
// false only when zlib fails (out of memory).
bool deflateZlib(std::span<const std::uint8_t> input, std::vector<std::uint8_t>& output);

}  // namespace veru::platform
