#pragma once
// DeviceTexture: a picture on the video device (an SDL texture in ARGB8888),
// with the CPU copy it was made from where the device keeps one.
//
// The CPU copy lets the device upload the picture again when the renderer
// loses its textures (SDL_RENDER_DEVICE_RESET) and the software renderer
// turn, stretch and fill from it. An accelerated renderer that keeps its
// textures needs none (VideoDevice::keepsPixelCopies), and a static texture
// (VideoDevice::createStaticTexture), only ever copied as it is, has none
// where the renderer keeps its textures; VideoDevice::texturePixels reads
// such a picture back. Blend mode, filter and colour modulation are
// remembered so that a draw only talks to SDL when they change.
// On a software renderer the device keeps, with the texture, the pictures it
// turned or stretched for it (one per cell, size, angle and mirroring), so
// that a bullet turned the same way as on the last frame, or a spark drawn at
// a size it had before, costs a plain copy. They are held within a budget for
// the whole device; the ones used longest ago make room for new ones.
//
// Ownership: made by VideoDevice::createTexture and owned by the caller. It
// may outlive its device: the device then drops the SDL texture and the
// DeviceTexture draws nothing.
// Thread: main thread only.

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "engine/platform/video/SdlHandles.h"

namespace veru::platform {

class VideoDevice;

// none replaces, blend mixes by alpha, add adds the colour times alpha.
// addOpaque adds as if every texel were opaque: the colour times the draw's
// alpha only, the picture's own alpha ignored. Only a device whose
// addsOpaque() is true draws it (see VideoDevice).
enum class BlendMode { none, blend, add, addOpaque };
enum class Filter { point, linear };

class DeviceTexture {
  public:
    ~DeviceTexture();
    DeviceTexture(const DeviceTexture&) = delete;
    DeviceTexture& operator=(const DeviceTexture&) = delete;

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    // The CPU copy of the pixels as last uploaded: width * height ARGB
    // values, rows top down; empty for a texture without one.
    const std::vector<std::uint32_t>& getPixels() const { return pixels; }
    // Replaces the whole picture (and the CPU copy, if it has one); false
    // when the upload failed.
    bool update(const std::uint32_t* argb);
    // False once the device has gone or the SDL texture could not be made.
    bool isValid() const { return texture != nullptr; }

  private:
    friend class VideoDevice;
    DeviceTexture(VideoDevice* device, int width, int height);

    VideoDevice* device;
    // Null once the device has gone; the device drops it before its renderer.
    SdlTextureHandle texture;
    int width;
    int height;
    std::vector<std::uint32_t> pixels;
    // Every pixel's alpha was 0xFF when last uploaded: a blended copy at full
    // alpha paints the picture itself, so it is drawn without blending.
    bool opaque = false;
    // What SDL was last told, so that unchanged state is not sent again.
    BlendMode blend = BlendMode::blend;
    Filter filter = Filter::linear;
    std::uint32_t modulation = 0xFFFFFFFFu;  // ARGB colour and alpha modulation

    // A turned or stretched picture kept for the software renderer, placed
    // relative to the pixel its turning centre falls in (a stretched one to
    // its top-left corner), with the SDL state last set on it.
    struct Turned {
        SdlTextureHandle texture;
        int left = 0, top = 0, width = 0, height = 0;
        BlendMode blend = BlendMode::blend;
        std::uint32_t modulation = 0xFFFFFFFFu;
        std::uint64_t lastUse = 0;  // the device's count of lookups when last drawn
    };
    struct TurnedKey {
        std::uint64_t source;  // x, y, width, height of the cell
        std::uint64_t shape;   // size, angle, centre, pivot fraction, mirroring, filter, kind
        bool operator==(const TurnedKey&) const = default;
    };
    struct TurnedKeyHash {
        std::size_t operator()(const TurnedKey& k) const {
            return static_cast<std::size_t>(k.source * 0x9E3779B97F4A7C15ull ^ k.shape);
        }
    };
    std::unordered_map<TurnedKey, Turned, TurnedKeyHash> turned;
    std::size_t turnedPixels = 0;  // what `turned` holds, to keep it bounded
};

}  // namespace veru::platform
