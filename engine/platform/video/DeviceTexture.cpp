#include "engine/platform/video/DeviceTexture.h"

#include <SDL.h>

#include <algorithm>

#include "engine/platform/video/VideoDevice.h"

namespace veru::platform {

DeviceTexture::DeviceTexture(VideoDevice* owner, int w, int h)
    : device(owner), width(w), height(h) {}

DeviceTexture::~DeviceTexture() {
    // While the device is alive so is its renderer: the SDL textures go first.
    turned.clear();
    texture.reset();
    if (device) {
        device->forget(this);
    }
}

bool DeviceTexture::update(const std::uint32_t* argb) {
    std::copy(argb, argb + pixels.size(), pixels.begin());
    opaque = VideoDevice::allOpaque(argb, width, height, width);
    turned.clear();
    turnedPixels = 0;
    if (!texture) {
        return false;
    }
    return SDL_UpdateTexture(texture.get(), nullptr, argb, width * 4) == 0;
}

}  // namespace veru::platform
