#pragma once
// The decoders behind decodeImage/readImageSize, one per file format. Each
// fills `out` with ARGB pixels (or only the size) and returns false, with
// nothing thrown and nothing printed, when the file is broken or too large.

#include <cstdint>
#include <span>

#include "engine/platform/image/Image.h"

namespace veru::platform::detail {

bool isPng(std::span<const std::uint8_t> file);
bool isJpeg(std::span<const std::uint8_t> file);

// `headerOnly`: fill width and height only, allocate no pixels.
bool decodePng(std::span<const std::uint8_t> file, Image& out, bool headerOnly);
bool decodeJpeg(std::span<const std::uint8_t> file, Image& out, bool headerOnly);
// Only the columns left .. left + width - 1 (every column when width is 0).
bool decodeJpegColumns(std::span<const std::uint8_t> file, int left, int width, Image& out,
                       bool headerOnly);

// True when a picture of this size may be decoded.
inline bool acceptableSize(long long width, long long height) {
    return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
           width * height <= kMaxImagePixels;
}

}  // namespace veru::platform::detail
