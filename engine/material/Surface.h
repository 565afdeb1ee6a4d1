#pragma once
// Surface: a full-screen picture (logo, menus, backgrounds) copied straight
// onto the back buffer, without blending or scaling.
//
// A ".ysf" container makes a surface of the size its header gives; the
// picture inside is copied at its own size (cut off where larger, the rest
// transparent black). Any other file makes a surface of the picture's size.
//
// Ownership: owns its device texture; the device must stay alive while it is drawn.
// Thread: main thread only.
// Failure: load throws FileNotFoundException (missing file), IOException
// "バックバッファ取得失敗。" (no device), "Surface作成失敗。" (a size the
// game refuses — see SurfacePicture.h, checked before anything is
// allocated — or the device refused), "画像の読込みに失敗しました。：" +
// path (the decoder refused the picture), and the container reader's
// exceptions.

#include <memory>

#include "engine/core/YString.h"

namespace veru::platform {
class DeviceTexture;
class VideoDevice;
}  // namespace veru::platform

namespace veru::dxt {
class DirectGraphics;
}

namespace veru::dxt::material {

class Surface {
  public:
    Surface();
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    void load(const YString& path, platform::VideoDevice* device);
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
    platform::DeviceTexture* getDeviceTexture() const { return surface.get(); }

  private:
    int width = 0;
    int height = 0;
    std::unique_ptr<platform::DeviceTexture> surface;
};

}  // namespace veru::dxt::material
