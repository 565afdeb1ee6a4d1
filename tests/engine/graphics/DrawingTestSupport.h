#pragma once
// Helpers for drawing tests: an off-screen device, solid textures made in
// memory, and reading the frame back with a colour tolerance.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/material/Texture.h"
#include "engine/platform/video/VideoDevice.h"
#include "tests/support/Screenshot.h"

namespace mirelune::test {

inline std::unique_ptr<veru::platform::VideoDevice> makeOffscreenDevice(int w = 800, int h = 600) {
    std::string error;
    auto device = veru::platform::VideoDevice::create(nullptr, w, h, error);
    EXPECT_TRUE(device) << error;
    return device;
}

inline std::unique_ptr<veru::dxt::material::Texture> solidTexture(
    veru::platform::VideoDevice* device, int w, int h, std::uint32_t argb) {
    auto texture = std::make_unique<veru::dxt::material::Texture>();
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * h, argb);
    EXPECT_TRUE(texture->createFromPixels(w, h, device, pixels.data()));
    return texture;
}

// The frame as it is now (Frame comes from tests/support/Screenshot.h).

inline Frame readFrame(veru::platform::VideoDevice& device) {
    Frame f;
    EXPECT_TRUE(device.readPixels(f.pixels, f.width, f.height));
    return f;
}

// Red, green and blue within ±2 (alpha of the back buffer is not compared).
inline ::testing::AssertionResult rgbNear(std::uint32_t actual, std::uint32_t expected,
                                          int tolerance = 2) {
    for (int shift : {16, 8, 0}) {
        int a = static_cast<int>((actual >> shift) & 0xFF);
        int e = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - e) > tolerance) {
            char text[96];
            std::snprintf(text, sizeof text, "pixel %06X, expected %06X",
                          static_cast<unsigned>(actual & 0xFFFFFF),
                          static_cast<unsigned>(expected & 0xFFFFFF));
            return ::testing::AssertionFailure() << text;
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace mirelune::test
