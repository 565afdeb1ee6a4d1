// The picture decoders on their own: bytes → decodeImage and readImageSize,
// which must agree with each other.
#include <cstdint>

#include "engine/platform/image/Image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    veru::platform::Image image;
    const bool decoded = veru::platform::decodeImage({data, size}, image, 0xFFFFFFFFu);
    int width = 0, height = 0;
    const bool sized = veru::platform::readImageSize({data, size}, width, height);
    if (decoded) {
        if (!sized || width != image.width || height != image.height)
            __builtin_trap();
        if (image.pixels.size() !=
            static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
            __builtin_trap();
    } else if (!image.pixels.empty() || image.width != 0) {
        __builtin_trap();  // a refused picture leaves nothing behind
    }
    return 0;
}
