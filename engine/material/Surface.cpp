#include "engine/material/Surface.h"

#include <algorithm>
#include <vector>

#include "engine/exceptions/FileNotFoundException.h"
#include "engine/exceptions/IOException.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/io/ByteFileReader.h"
#include "engine/io/YFile.h"
#include "engine/material/ImageContainer.h"
#include "engine/platform/image/Image.h"
#include "engine/platform/video/VideoDevice.h"

namespace veru::dxt::material {

namespace {

bool sizeAllowed(int w, int h) {
    return w > 0 && h > 0 && w <= platform::kMaxImageSide && h <= platform::kMaxImageSide;
}

}  // namespace

Surface::Surface() = default;

Surface::~Surface() = default;

void Surface::load(const YString& path, platform::VideoDevice* device) {
    io::YFile file(path);
    if (!file.exists || !file.isFile) {
        throw excp::FileNotFoundException(path);
    }
    if (!device) {
        throw excp::IOException(u"バックバッファ取得失敗。");
    }
    std::vector<std::uint8_t> bytes;
    int w = 0;
    int h = 0;
    if (path.hasSuffix("ysf")) {
        ImageContainer container = readImageContainer(path, "ysf");
        w = container.header.width;
        h = container.header.height;
        bytes = std::move(container.payload);
    } else {
        bytes = io::ByteFileReader(path).readRest();
        if (!platform::readImageSize(bytes, w, h)) {
            throw excp::IOException(YString(u"画像の読込みに失敗しました。：") + path);
        }
    }
    if (!sizeAllowed(w, h)) {
        throw excp::IOException(u"Surface作成失敗。");
    }
    platform::Image image;
    if (!platform::decodeImage(bytes, image, 0)) {
        throw excp::IOException(YString(u"画像の読込みに失敗しました。：") + path);
    }
    // The picture goes in at its own size: cut off where larger, transparent black elsewhere.
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h),
                                      0u);
    int copyWidth = std::min(w, image.width);
    int copyHeight = std::min(h, image.height);
    for (int row = 0; row < copyHeight; ++row) {
        const std::uint32_t* from =
            image.pixels.data() + static_cast<std::size_t>(row) * image.width;
        std::copy(from, from + copyWidth, pixels.data() + static_cast<std::size_t>(row) * w);
    }
    std::unique_ptr<platform::DeviceTexture> made = device->createTexture(w, h, pixels.data());
    if (!made) {
        throw excp::IOException(u"Surface作成失敗。");
    }
    surface = std::move(made);
    width = w;
    height = h;
}

void Surface::drawAll(DirectGraphics& graphics) {
    drawPart(0, 0, width, height, graphics);
}

void Surface::drawPart(int x, int y, int w, int h, DirectGraphics& graphics) {
    drawPart(x, y, w, h, x, y, graphics);
}

void Surface::drawPart(int x, int y, int w, int h, int destX, int destY,
                       DirectGraphics& graphics) {
    platform::VideoDevice* device = graphics.getDevice();
    if (!surface || !device) {
        return;
    }
    int left = std::max(x, 0);
    int top = std::max(y, 0);
    int right = std::min(x + w, width);
    int bottom = std::min(y + h, height);
    if (right <= left || bottom <= top) {
        return;
    }
    device->copyOpaque(*surface, platform::PixelRect{left, top, right - left, bottom - top},
                       destX + (left - x), destY + (top - y));
}

}  // namespace veru::dxt::material
