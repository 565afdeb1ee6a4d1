// PNG through libpng's simplified interface: it catches libpng's own errors
// internally and reports them as a zero return, so no longjmp ever crosses
// our frames, and it prints nothing.
#include <png.h>

#include <bit>
#include <cstring>

#include "engine/platform/image/ImageCodecs.h"

namespace veru::platform {

namespace {

// Owns the decoder state of one png_image; frees it on every path.
class PngImageHandle {
  public:
    PngImageHandle() {
        std::memset(&image, 0, sizeof image);
        image.version = PNG_IMAGE_VERSION;
    }
    ~PngImageHandle() { png_image_free(&image); }
    PngImageHandle(const PngImageHandle&) = delete;
    PngImageHandle& operator=(const PngImageHandle&) = delete;

    png_image image;
};

// The memory order of libpng's formats that makes a native uint32 ARGB.
constexpr png_uint_32 kArgbFormat =
    std::endian::native == std::endian::little ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;

}  // namespace

namespace detail {

bool isPng(std::span<const std::uint8_t> file) {
    return file.size() >= 8 && png_sig_cmp(file.data(), 0, 8) == 0;
}

bool decodePng(std::span<const std::uint8_t> file, Image& out, bool headerOnly) {
    PngImageHandle png;
    if (!png_image_begin_read_from_memory(&png.image, file.data(), file.size()))
        return false;
    if (!acceptableSize(png.image.width, png.image.height))
        return false;
    out.width = static_cast<int>(png.image.width);
    out.height = static_cast<int>(png.image.height);
    out.hasAlpha = (png.image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    if (headerOnly)
        return true;

    png.image.format = kArgbFormat;
    // 16-bit files are taken as sRGB like 8-bit ones and scaled down, not
    // treated as linear light (which would brighten every picture).
    png.image.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
    out.pixels.assign(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height),
                      0);
    if (!png_image_finish_read(&png.image, nullptr, out.pixels.data(), 0, nullptr)) {
        out = Image{};
        return false;
    }
    return true;
}

}  // namespace detail

bool encodePng(const Image& image, std::vector<std::uint8_t>& out, bool withAlpha) {
    out.clear();
    if (!detail::acceptableSize(image.width, image.height))
        return false;
    const std::size_t count =
        static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    if (image.pixels.size() != count)
        return false;

    // libpng takes bytes in file order: R, G, B (, A).
    const std::size_t channels = withAlpha ? 4 : 3;
    std::vector<std::uint8_t> bytes(count * channels);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t p = image.pixels[i];
        std::uint8_t* b = &bytes[i * channels];
        b[0] = static_cast<std::uint8_t>(p >> 16);
        b[1] = static_cast<std::uint8_t>(p >> 8);
        b[2] = static_cast<std::uint8_t>(p);
        if (withAlpha)
            b[3] = static_cast<std::uint8_t>(p >> 24);
    }

    PngImageHandle png;
    png.image.width = static_cast<png_uint_32>(image.width);
    png.image.height = static_cast<png_uint_32>(image.height);
    png.image.format = withAlpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&png.image, nullptr, &size, 0, bytes.data(), 0, nullptr))
        return false;
    out.resize(size);
    if (!png_image_write_to_memory(&png.image, out.data(), &size, 0, bytes.data(), 0, nullptr)) {
        out.clear();
        return false;
    }
    out.resize(size);
    return true;
}

}  // namespace veru::platform
