#include "engine/material/Surface.h"

#include <algorithm>
#include <vector>

#include "engine/exceptions/FileNotFoundException.h"
#include "engine/exceptions/IOException.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/io/YFile.h"
#include "engine/material/SurfacePicture.h"
#include "engine/platform/video/VideoDevice.h"

namespace veru::dxt::material {

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
    SurfacePicture picture = readSurfacePicture(path);
    std::unique_ptr<platform::DeviceTexture> made =
        device->createTexture(picture.width, picture.height, picture.pixels.data());
    if (!made) {
        throw excp::IOException(u"Surface作成失敗。");
    }
    surface = std::move(made);
    width = picture.width;
    height = picture.height;
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
