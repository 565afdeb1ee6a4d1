#pragma once
// DeviceTexture: a picture on the video device (an SDL texture in ARGB8888)
// with the CPU copy it was made from.
//
// The CPU copy lets the device upload the picture again when the renderer
// loses its textures (SDL_RENDER_DEVICE_RESET). Blend mode, filter and colour
// modulation are remembered so that a draw only talks to SDL when they change.
//
// Ownership: made by VideoDevice::createTexture and owned by the caller. It
// may outlive its device: the device then drops the SDL texture and the
// DeviceTexture draws nothing.
// Thread: main thread only.

#include <cstdint>
#include <vector>

#include "engine/platform/video/SdlHandles.h"

namespace veru::platform {

class VideoDevice;

enum class BlendMode { none, blend, add };
enum class Filter { point, linear };

class DeviceTexture {
  public:
    ~DeviceTexture();
    DeviceTexture(const DeviceTexture&) = delete;
    DeviceTexture& operator=(const DeviceTexture&) = delete;

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    // The pixels as last uploaded: width * height ARGB values, rows top down.
    const std::vector<std::uint32_t>& getPixels() const { return pixels; }
    // Replaces the whole picture; false when the upload failed.
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
    // What SDL was last told, so that unchanged state is not sent again.
    BlendMode blend = BlendMode::blend;
    Filter filter = Filter::linear;
    std::uint32_t modulation = 0xFFFFFFFFu;  // ARGB colour and alpha modulation
};

}  // namespace veru::platform
