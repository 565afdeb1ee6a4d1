#include "engine/material/SurfacePicture.h"

#include <algorithm>

#include "engine/exceptions/FileNotFoundException.h"
#include "engine/exceptions/IOException.h"
#include "engine/io/ByteFileReader.h"
#include "engine/io/YFile.h"
#include "engine/material/ImageContainer.h"
#include "engine/platform/image/Image.h"

namespace veru::dxt::material {

namespace {

[[noreturn]] void refuseSize(const YString& path) {
    throw excp::IOException(YString(u"Surface作成失敗。：").append(path));
}

}  // namespace

bool surfaceSizeAllowed(long long w, long long h) {
    return w > 0 && h > 0 && w <= platform::kMaxImageSide && h <= platform::kMaxImageSide &&
           w * h <= platform::kMaxImagePixels;
}

SurfacePicture readSurfacePicture(const YString& path) {
    return decodeSurfaceFile(readSurfaceFile(path), path);
}

SurfaceFile readSurfaceFile(const YString& path) {
    io::YFile file(path);
    if (!file.exists || !file.isFile) {
        throw excp::FileNotFoundException(path);
    }
    std::vector<std::uint8_t> bytes;
    SurfaceFile out;
    if (path.hasSuffix("ysf")) {
        // The header's size decides the allocation: check it before inflating.
        ImageContainerHeader header = readImageContainerHeader(path);
        if (!surfaceSizeAllowed(header.width, header.height)) {
            refuseSize(path);
        }
        ImageContainer container = readImageContainer(path, "ysf");
        out.width = container.header.width;
        out.height = container.header.height;
        bytes = std::move(container.payload);
        // The header's size must be the picture's: a container claiming more
        // would make a surface of mostly nothing, from a few bytes.
        int pictureWidth = 0, pictureHeight = 0;
        if (platform::readImageSize(bytes, pictureWidth, pictureHeight))
            checkContainerSize(container.header, pictureWidth, pictureHeight, u"Surface作成失敗。",
                               path);
    } else {
        bytes = io::ByteFileReader(path).readRest();
        if (!platform::readImageSize(bytes, out.width, out.height)) {
            throw excp::IOException(YString(u"画像の読込みに失敗しました。：") + path);
        }
        if (!surfaceSizeAllowed(out.width, out.height)) {
            refuseSize(path);
        }
    }
    out.bytes = std::move(bytes);
    return out;
}

SurfacePicture decodeSurfaceFile(SurfaceFile file, const YString& path) {
    SurfacePicture out;
    out.width = file.width;
    out.height = file.height;
    platform::Image image;
    if (!platform::decodeImage(file.bytes, image, 0)) {
        throw excp::IOException(YString(u"画像の読込みに失敗しました。：") + path);
    }
    if (image.width == out.width && image.height == out.height) {
        out.pixels = std::move(image.pixels);  // the usual case: no second copy
        return out;
    }
    // Only where the size could not be read before decoding: the picture goes
    // in at the recorded size, cut off where larger, transparent black elsewhere.
    out.pixels.assign(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height),
                      0u);
    int copyWidth = std::min(out.width, image.width);
    int copyHeight = std::min(out.height, image.height);
    for (int row = 0; row < copyHeight; ++row) {
        const std::uint32_t* from =
            image.pixels.data() + static_cast<std::size_t>(row) * image.width;
        std::copy(from, from + copyWidth,
                  out.pixels.data() + static_cast<std::size_t>(row) * out.width);
    }
    return out;
}

}  // namespace veru::dxt::material
