#pragma once
// Surface: a full-screen picture (logo, menus, backgrounds) copied straight
// onto the back buffer, without blending or scaling.
//
// A ".ysf" container makes a surface of the size its header gives; the
// picture inside is copied at its own size (cut off where larger, the rest
// transparent black). Any other file makes a surface of the picture's size.
//
// The picture is held in tiles no larger than the renderer's largest texture
// (and never wider or higher than kMaxTileSide), so that a backdrop wider
// than a graphics card's limit still shows; a copy takes what it needs from
// each tile it overlaps, with the same pixels as one texture would give. The
// tiles keep no CPU copy where the renderer cannot lose them.
//
// A streamed surface (loadStreamed, for a JPEG backdrop far wider than the
// screen) holds only its file's bytes and the column tiles of kStreamTile
// pixels near the last copy: each copy keeps the tiles it covers and the
// next kTilesAhead to its right, which a worker thread decodes ahead of the
// copies; the tiles the copies have left behind are freed. A copy whose
// tiles are not decoded yet waits for them, so every copy gives the same
// pixels as a whole surface would, however late the worker is. A picture
// that cannot be streamed (another format, or higher than a texture may be;
// or no thread can be started) is loaded whole as by load.
//
// On a thread holding a PreloadPass (PicturePreload.h) load decodes its
// picture into the preload store and makes nothing (the surface stays
// empty), and a later load of the same file on the main thread takes it
// from there; loadStreamed does nothing there.
//
// Ownership: owns its device textures (and the stream of a streamed surface,
// whose worker the destructor joins); the device must stay alive while it is drawn.
// Thread: main thread only.
// Failure: load and loadStreamed throw FileNotFoundException (missing file), IOException
// "バックバッファ取得失敗。" (no device), "Surface作成失敗。" (a size the
// game refuses — see SurfacePicture.h, checked before anything is
// allocated — or the device refused), "画像の読込みに失敗しました。：" +
// path (the decoder refused the picture), and the container reader's
// exceptions. A streamed surface whose picture proves broken past its header
// throws "画像の読込みに失敗しました。：" + path from the copy that needed
// the broken tile (and "Surface作成失敗。" when the device refuses a tile);
// it then drops every tile and copies nothing from then on.

#include <cstddef>
#include <memory>
#include <vector>

#include "engine/core/YString.h"

namespace veru::platform {
class DeviceTexture;
class VideoDevice;
}  // namespace veru::platform

namespace veru::dxt {
class DirectGraphics;
}

namespace veru::dxt::material {

class ColumnStream;
struct SurfacePicture;

class Surface {
  public:
    Surface();
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    static constexpr int kMaxTileSide = 4096;
    // Width of a streamed surface's column tiles, and how many a copy keeps
    // ready to the right of the ones it covers.
    static constexpr int kStreamTile = 512;
    static constexpr int kTilesAhead = 1;
    // How many tiles from the left a read ahead decodes: those an 800-pixel
    // window at the left end covers, and the one ahead.
    static constexpr int kTilesReadAhead = 3;

    // (While the game speaks English, the picture's English file when there is one.)
    void load(const YString& path, platform::VideoDevice* device);
    // Loads as load does, but streams a JPEG picture in column tiles.
    // `tileWidth` at or below 0 means kStreamTile (and never wider than the
    // device's limit). The first tiles start decoding at once (or were
    // decoded by a read ahead on a worker: PicturePreload.h).
    void loadStreamed(const YString& path, platform::VideoDevice* device, int tileWidth = 0);
    // Makes the surface from `picture` (for pictures made in memory).
    // `maxTileSide` at or below 0 means the device's limit and kMaxTileSide.
    void create(const SurfacePicture& picture, platform::VideoDevice* device, int maxTileSide = 0);
    // Copies the whole surface to the back buffer at (0, 0).
    void drawAll(DirectGraphics& graphics);
    // Copies the rectangle (x, y)-(x + width, y + height) to the same place
    // of the back buffer (clipped to the surface).
    void drawPart(int x, int y, int width, int height, DirectGraphics& graphics);
    // Copies the rectangle (x, y)-(x + width, y + height) with its top-left
    // corner on (destX, destY) of the back buffer. The part of the rectangle
    // outside the surface is left untouched, so each copied pixel lands where
    // it would have landed without the clipping.
    void drawPart(int x, int y, int width, int height, int destX, int destY,
                  DirectGraphics& graphics);

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    // The tile at the top-left corner (the whole picture when it fits in one).
    platform::DeviceTexture* getDeviceTexture() const {
        return tiles.empty() ? nullptr : tiles.front().texture.get();
    }
    std::size_t getTileCount() const { return tiles.size(); }
    bool isStreamed() const { return stream != nullptr; }
    // Tiles of a streamed surface on the device now.
    std::size_t getResidentTiles() const;
    // How many times a copy of a streamed surface waited for a tile.
    std::size_t getStreamWaits() const;

  private:
    struct Tile {
        int x = 0;  // where the tile lies in the picture
        int y = 0;
        // Null for a streamed tile not on the device.
        std::unique_ptr<platform::DeviceTexture> texture;
    };
    // Makes sure the streamed tiles first .. last are on the device, the
    // next kTilesAhead too where the worker has them ready, and frees the rest.
    void streamColumns(int first, int last, platform::VideoDevice& device);
    void upload(Tile& tile, int columns, const std::vector<std::uint32_t>& pixels,
                platform::VideoDevice& device);

    int width = 0;
    int height = 0;
    std::vector<Tile> tiles;
    std::unique_ptr<ColumnStream> stream;
    YString streamPath;  // for the message of a tile that fails
};

}  // namespace veru::dxt::material
