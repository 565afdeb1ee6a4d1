#include "engine/material/Surface.h"

#include <algorithm>
#include <optional>
#include <system_error>
#include <vector>

#include "engine/exceptions/FileNotFoundException.h"
#include "engine/exceptions/IOException.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/io/LocalizedFile.h"
#include "engine/io/YFile.h"
#include "engine/material/ColumnStream.h"
#include "engine/material/PicturePreload.h"
#include "engine/material/SurfacePicture.h"
#include "engine/platform/image/Image.h"
#include "engine/platform/video/VideoDevice.h"

namespace veru::dxt::material {

Surface::Surface() = default;

Surface::~Surface() = default;

namespace {

void checkLoadable(const YString& path, const platform::VideoDevice* device) {
    io::YFile file(path);
    if (!file.exists || !file.isFile) {
        throw excp::FileNotFoundException(path);
    }
    if (!device) {
        throw excp::IOException(u"バックバッファ取得失敗。");
    }
}

}  // namespace

void Surface::load(const YString& requested, platform::VideoDevice* device) {
    // Full-screen pictures with words come in one file per language.
    const YString path = io::localizedFileIfPresent(requested);
    PictureFile file;
    const bool known = PictureFile::of(path, 0, file);
    file.surface = true;
    if (PreloadPass::active()) {
        // Decoded for the load on the main thread; what fails here fails there again.
        PreloadPass::checkStop();
        int w = 0, h = 0;
        if (known && !findPreloadedPicture(file, w, h)) {
            SurfacePicture picture = readSurfacePicture(path);
            storePreloadedPicture(file, platform::Image{picture.width, picture.height, false,
                                                        std::move(picture.pixels)});
        }
        return;
    }
    checkLoadable(path, device);
    if (std::optional<platform::Image> ready = known ? takePreloadedPicture(file) : std::nullopt) {
        create(SurfacePicture{ready->width, ready->height, std::move(ready->pixels)}, device);
        return;
    }
    create(readSurfacePicture(path), device);
}

namespace {

// True for a file a surface streams in column tiles no higher than `maxHeight`.
bool streams(const SurfaceFile& file, int maxHeight) {
    int pictureWidth = 0, pictureHeight = 0;
    return platform::decodesColumns(file.bytes) &&
           platform::readImageSize(file.bytes, pictureWidth, pictureHeight) &&
           pictureWidth == file.width && pictureHeight == file.height && file.height <= maxHeight;
}

int streamTileWidth(int asked, int deviceLimit) {
    return std::min({asked > 0 ? asked : Surface::kStreamTile, Surface::kMaxTileSide, deviceLimit});
}

// On a worker: the file and its first tiles, decoded as the stream's own
// worker would (a tile that does not decode is left to it).
StreamedFile readStreamAhead(const YString& path, int tileWidth) {
    StreamedFile read;
    read.file = readSurfaceFile(path);
    if (!streams(read.file, Surface::kMaxTileSide))
        return read;
    read.tileWidth = streamTileWidth(tileWidth, Surface::kMaxTileSide);
    for (int tile = 0; tile < Surface::kTilesReadAhead; ++tile) {
        const int left = tile * read.tileWidth;
        if (left >= read.file.width)
            break;
        PreloadPass::checkStop();
        platform::Image image;
        if (!platform::decodeImageColumns(
                read.file.bytes, left, std::min(read.tileWidth, read.file.width - left), image) ||
            image.height != read.file.height)
            break;
        read.firstTiles.push_back(std::move(image.pixels));
    }
    return read;
}

}  // namespace

void Surface::loadStreamed(const YString& path, platform::VideoDevice* device, int tileWidth) {
    PictureFile identity;
    const bool known = PictureFile::of(path, 0, identity);
    identity.surface = true;
    if (PreloadPass::active()) {
        // Read for the load on the main thread; what fails here fails there again.
        PreloadPass::checkStop();
        if (known && !hasPreloadedStream(identity))
            storePreloadedStream(identity, readStreamAhead(path, tileWidth));
        return;
    }
    checkLoadable(path, device);
    std::optional<StreamedFile> ready = known ? takePreloadedStream(identity) : std::nullopt;
    SurfaceFile file = ready ? std::move(ready->file) : readSurfaceFile(path);
    if (!streams(file, std::min(kMaxTileSide, device->getMaxTextureHeight()))) {
        create(decodeSurfaceFile(std::move(file), path), device);
        return;
    }
    const int columns = streamTileWidth(tileWidth, device->getMaxTextureWidth());
    std::unique_ptr<ColumnStream> made;
    try {
        made =
            std::make_unique<ColumnStream>(std::move(file.bytes), file.width, file.height, columns);
    } catch (const std::system_error&) {
        // No thread to be had: the picture is read again and held whole.
        load(path, device);
        return;
    }
    std::vector<Tile> slots(static_cast<std::size_t>(made->getTileCount()));
    for (int i = 0; i < made->getTileCount(); ++i)
        slots[static_cast<std::size_t>(i)].x = made->tileLeft(i);
    // The first copy is usually of the picture's left end: its tiles, decoded
    // ahead where they were, are given before the stream's worker wants any.
    int given = 0;
    if (ready && ready->tileWidth == columns) {
        for (std::vector<std::uint32_t>& pixels : ready->firstTiles)
            made->give(given++, std::move(pixels));
    }
    made->want(0, std::max(kTilesAhead, given - 1));
    tiles = std::move(slots);
    stream = std::move(made);
    streamPath = path;
    width = file.width;
    height = file.height;
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
    stream.reset();
    tiles = std::move(made);
    width = picture.width;
    height = picture.height;
}

std::size_t Surface::getResidentTiles() const {
    return static_cast<std::size_t>(std::count_if(
        tiles.begin(), tiles.end(), [](const Tile& tile) { return tile.texture != nullptr; }));
}

std::size_t Surface::getStreamWaits() const {
    return stream ? stream->getWaits() : 0;
}

void Surface::upload(Tile& tile, int columns, const std::vector<std::uint32_t>& pixels,
                     platform::VideoDevice& device) {
    tile.texture = device.createStaticTexture(columns, height, pixels.data(), columns);
    if (!tile.texture) {
        throw excp::IOException(u"Surface作成失敗。");
    }
}

void Surface::streamColumns(int first, int last, platform::VideoDevice& device) {
    const int ahead = std::min(last + kTilesAhead, stream->getTileCount() - 1);
    stream->want(first, ahead);
    // The tiles the copies have left behind go before new ones are made,
    // so that the two are never held at once.
    for (int i = 0; i < stream->getTileCount(); ++i) {
        Tile& tile = tiles[static_cast<std::size_t>(i)];
        if (tile.texture && (i < first || i > ahead)) {
            tile.texture.reset();
            stream->letGo(i);
        }
    }
    std::vector<std::uint32_t> pixels;
    for (int i = first; i <= ahead; ++i) {
        Tile& tile = tiles[static_cast<std::size_t>(i)];
        if (tile.texture) {
            continue;
        }
        const bool needed = i <= last;
        switch (stream->take(i, needed, pixels)) {
            case ColumnStream::Result::ready:
                upload(tile, stream->tileColumns(i), pixels, device);
                break;
            case ColumnStream::Result::notYet:
                break;
            case ColumnStream::Result::failed:
                throw excp::IOException(YString(u"画像の読込みに失敗しました。：") + streamPath);
        }
    }
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
    if (right <= left || bottom <= top) {
        return;
    }
    if (stream) {
        const int tileWidth = stream->getTileWidth();
        try {
            streamColumns(left / tileWidth, (right - 1) / tileWidth, *device);
        } catch (...) {
            // A broken picture stays broken: no box again on the next frame.
            tiles.clear();
            stream.reset();
            throw;
        }
    }
    for (const Tile& tile : tiles) {
        if (!tile.texture) {
            continue;
        }
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
