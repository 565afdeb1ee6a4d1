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
    create(readSurfacePicture(path), device);
}

void Surface::create(const SurfacePicture& picture, platform::VideoDevice* device,
                     int maxTileSide) {
    if (!device) {
        throw excp::IOException(u"バックバッファ取得失敗。");
    }
    const int limit = maxTileSide > 0 ? maxTileSide : kMaxTileSide;
    const int tileWidth = std::min(limit, device->getMaxTextureWidth());
    const int tileHeight = std::min(limit, device->getMaxTextureHeight());
    std::vector<Tile> made;
    for (int y = 0; y < picture.height; y += tileHeight) {
        for (int x = 0; x < picture.width; x += tileWidth) {
            const int w = std::min(tileWidth, picture.width - x);
            const int h = std::min(tileHeight, picture.height - y);
            const std::uint32_t* corner =
                picture.pixels.data() + static_cast<std::ptrdiff_t>(y) * picture.width + x;
            Tile tile{x, y, device->createStaticTexture(w, h, corner, picture.width)};
            if (!tile.texture) {
                throw excp::IOException(u"Surface作成失敗。");
            }
            made.push_back(std::move(tile));
        }
    }
    tiles = std::move(made);
    width = picture.width;
    height = picture.height;
}

void Surface::drawAll(DirectGraphics& graphics) {
    drawPart(0, 0, width, height, graphics);
}

void Surface::drawPart(int x, int y, int w, int h, DirectGraphics& graphics) {
    drawPart(x, y, w, h, x, y, graphics);
}

void Surface::drawPart(int x, int y, int w, int h, int destX, int destY, DirectGraphics& graphics) {
    platform::VideoDevice* device = graphics.getDevice();
    if (tiles.empty() || !device) {
        return;
    }
    const int left = std::max(x, 0);
    const int top = std::max(y, 0);
    const int right = std::min(x + w, width);
    const int bottom = std::min(y + h, height);
    for (const Tile& tile : tiles) {
        // The part of the rectangle this tile holds, in picture pixels.
        const int l = std::max(left, tile.x);
        const int t = std::max(top, tile.y);
        const int r = std::min(right, tile.x + tile.texture->getWidth());
        const int b = std::min(bottom, tile.y + tile.texture->getHeight());
        if (r <= l || b <= t) {
            continue;
        }
        device->copyOpaque(*tile.texture, platform::PixelRect{l - tile.x, t - tile.y, r - l, b - t},
                           destX + (l - x), destY + (t - y));
    }
}

}  // namespace veru::dxt::material
