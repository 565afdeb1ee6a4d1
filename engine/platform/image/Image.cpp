#include "engine/platform/image/Image.h"

#include "engine/platform/image/ImageCodecs.h"

namespace veru::platform {

namespace {

bool decodeAny(std::span<const std::uint8_t> file, Image& out, bool headerOnly) {
    if (detail::isPng(file))
        return detail::decodePng(file, out, headerOnly);
    if (detail::isJpeg(file))
        return detail::decodeJpeg(file, out, headerOnly);
    return false;
}

}  // namespace

bool decodeImage(std::span<const std::uint8_t> file, Image& out, std::uint32_t colorKey) {
    Image image;
    if (!decodeAny(file, image, false)) {
        out = Image{};
        return false;
    }
    if (colorKey != 0) {
        for (std::uint32_t& pixel : image.pixels) {
            if (pixel == colorKey) {
                pixel = 0;
                image.hasAlpha = true;
            }
        }
    }
    out = std::move(image);
    return true;
}

bool decodesColumns(std::span<const std::uint8_t> file) {
    return detail::isJpeg(file);
}

bool decodeImageColumns(std::span<const std::uint8_t> file, int left, int width, Image& out) {
    if (width <= 0 || !detail::isJpeg(file)) {
        out = Image{};
        return false;
    }
    return detail::decodeJpegColumns(file, left, width, out, false);
}

bool readImageSize(std::span<const std::uint8_t> file, int& width, int& height) {
    Image image;
    if (!decodeAny(file, image, true))
        return false;
    width = image.width;
    height = image.height;
    return true;
}

}  // namespace veru::platform
