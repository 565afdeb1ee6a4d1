#pragma once
// Texture: a sprite picture on the video device, optionally a sheet of equal
// animation cells. The drawing context draws it from its current cell, its
// alpha and quadExtent.
//
// Loading: a ".ytx" container (suffix compared exactly) is unpacked; any
// other file goes to the image decoder as it is. A 32-bit container keeps
// the picture's alpha; any other bit depth gives an opaque texture.
// Cells of a sheet are numbered down each column first.
//
// Sharing: textures loaded from the same file (the same file on disk, unchanged
// since) with the same key on the same device share one device texture,
// which nothing changes after loading. Everything a
// texture changes (alpha, cell) stays its own, and draws take
// it from the texture, not the device texture. The shared picture goes with
// its last user, so nothing of a scene outlives it.
//
// Preloading (PicturePreload.h): on a thread holding a PreloadPass, load only
// decodes the picture into the preload store and leaves the texture with the
// picture's size and no device texture; a later load of the same file takes
// the stored picture instead of decoding it again.
//
// Ownership: owns its device texture (with the others sharing it); the
// device it was made on must stay alive while it is drawn (a texture
// outliving its device draws nothing).
// Thread: main thread only.
// Failure: load throws FileNotFoundException (missing file), IOException
// "画像の読込みに失敗しました。：" + path (the decoder refused it), the
// container reader's EOFException / IOException, or IOException
// "テクスチャの作成(CreateTexture)に失敗しました。" when the device refuses
// the texture.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/core/YString.h"
#include "engine/graphics/Color.h"

namespace veru::platform {
class DeviceTexture;
class VideoDevice;
}  // namespace veru::platform

namespace veru::dxt::material {

// The corners of the quad relative to its anchor, before turning.
struct QuadExtent {
    float x0 = 0.0f;
    float x1 = 0.0f;
    float y0 = 0.0f;
    float y1 = 0.0f;
};

struct SourceRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Uploads one picture a preparation decoded (PicturePreload.h) to `device`
// and keeps it shared, so that the load that wants it later finds it
// uploaded and only adopts it; holds it until releaseUploadedPictures.
// Spreads a scene's uploads over the frames before it. False when no
// picture was waiting (or no device). Main thread only.
bool uploadPreloadedPicture(platform::VideoDevice* device);
// Lets go of the pictures uploaded ahead: those no load took are freed.
void releaseUploadedPictures();

// How many pictures loaded from files are alive to be shared at the moment.
std::size_t sharedPictureCount();

class Texture {
  public:
    Texture();
    virtual ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    // Loads `path` into this texture; while the game speaks English, its
    // English picture ("img/x.en.ytx") instead when there is one. `key`
    // (packed ARGB, 0 = none) makes the matching pixels transparent.
    void load(const YString& path, platform::VideoDevice* device,
              const Color& key = Color::fromPacked(0));
    // load, then cut the picture into `frameCount` cells of cellWidth x cellHeight.
    // A count of 0 becomes 1; a count larger than the grid the grid size.
    bool loadSheet(const YString& path, platform::VideoDevice* device, int frameCount,
                   int cellWidth, int cellHeight, const Color& key = Color::fromPacked(0));
    // Cuts the picture already loaded or created into cells, as loadSheet does.
    void cutIntoCells(int frameCount, int cellWidth, int cellHeight);
    // An opaque black texture of the given size (a fade layer); nothing on a
    // thread holding a PreloadPass.
    void createBlank(platform::VideoDevice* device, int width, int height);
    // A texture from width * height ARGB pixels (rows contiguous). False, and
    // nothing changed, when a size is 0.
    bool createFromPixels(int width, int height, platform::VideoDevice* device,
                          const std::uint32_t* pixels);

    // Steps to the next cell; true when the last cell wrapped to the first.
    bool nextFrame();
    void setAlpha(int value) { alpha = value; }
    void fadeOut(int amount);
    void fadeIn(int amount);

    // The current cell (the whole picture when not a sheet).
    SourceRect sourceRect() const;
    // Where the corners of a quad drawn from the current cell lie relative
    // to its anchor, before turning; centred puts the cell's centre on it.
    QuadExtent quadExtent(float scaleX, float scaleY, bool centred) const;

    int getAlpha() const { return alpha; }
    int getWidth() const { return width; }
    int getHeight() const { return height; }
    int getFrame() const { return frame; }
    int getCellWidth() const { return cellWidth; }
    int getCellHeight() const { return cellHeight; }
    int getFrameCount() const { return frameCount; }
    int getColumn() const { return column; }
    int getRow() const { return row; }
    int getColumns() const { return columns; }
    int getRows() const { return rows; }
    bool isSheet() const { return frameCount >= 0; }
    // Null until loaded or created.
    platform::DeviceTexture* getDeviceTexture() const { return texture.get(); }
    // The same picture with every pixel opaque, made on the first call (and
    // again after the picture is replaced) from the picture's pixels, read
    // back from the device where it keeps no CPU copy: additive draws ignore
    // the picture's own alpha. Only for a device without the opaque additive
    // mode (VideoDevice::addsOpaque); the others draw the picture itself, so
    // that it costs no second texture. Null when there is no picture, or when its
    // pixels cannot be read or the device refuses the twin (then not tried
    // again until the picture is replaced).
    platform::DeviceTexture* getOpaqueTwin(platform::VideoDevice* device);

  private:
    void adopt(std::shared_ptr<platform::DeviceTexture> made);
    // load on a thread holding a PreloadPass: decodes into the store (once per file).
    void preload(const YString& path, std::uint32_t key);

    int alpha = 255;
    int width = 0;
    int height = 0;
    int frame = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    int frameCount = -1;
    int column = 0;
    int row = 0;
    int columns = 0;
    int rows = 0;
    std::shared_ptr<platform::DeviceTexture> texture;
    std::shared_ptr<platform::DeviceTexture> opaqueTwin;
    bool twinRefused = false;
};

}  // namespace veru::dxt::material
