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
// Ownership: owns its device textures; the device must stay alive while it is drawn.
// Thread: main thread only.
// Failure: load throws FileNotFoundException (missing file), IOException
// "バックバッファ取得失敗。" (no device), "Surface作成失敗。" (a size the
// game refuses — see SurfacePicture.h, checked before anything is
// allocated — or the device refused), "画像の読込みに失敗しました。：" +
// path (the decoder refused the picture), and the container reader's
// exceptions.

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

struct SurfacePicture;

class Surface {
  public:
    Surface();
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    static constexpr int kMaxTileSide = 4096;

    void load(const YString& path, platform::VideoDevice* device);
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

  private:
    struct Tile {
        int x = 0;  // where the tile lies in the picture
        int y = 0;
        std::unique_ptr<platform::DeviceTexture> texture;
    };
    int width = 0;
    int height = 0;
    std::vector<Tile> tiles;
};

}  // namespace veru::dxt::material
