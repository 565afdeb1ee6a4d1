#pragma once
// Helpers for the screen-furniture tests: a fresh folder the test runs in
// (pictures are written as img/*.ytx there), an off-screen 800 x 600 device
// with a drawing context, and drawing one frame and reading it back.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "engine/graphics/DirectGraphics.h"
#include "engine/input/ButtonMap.h"
#include "engine/io/Scrambler.h"
#include "engine/material/ImageContainer.h"
#include "engine/platform/image/Image.h"
#include "tests/engine/graphics/DrawingTestSupport.h"
#include "tests/support/TempDir.h"

namespace mirelune::test {

// The actions' default buttons: shoot 0x10, special 0x20, bomb 0x40, slow 0x80, pause 0x100.
inline constexpr int kShootButton = 0x10;
inline constexpr int kSpecialButton = 0x20;
inline constexpr std::uint32_t kBlack = 0xFF000000u;

class HudTest : public ::testing::Test {
  protected:
    void SetUp() override {
        veru::io::registerGameFileKeys();
        auto& map = veru::dxt::event::ButtonMap::global();
        for (int n = 1; n <= 5; ++n) {
            map.setMask(n, 0x10 << (n - 1));
        }
        std::filesystem::create_directories(dir.path() / "img");
        std::filesystem::current_path(dir.path());
        device = makeOffscreenDevice();
        ASSERT_TRUE(device);
        graphics = std::make_unique<veru::dxt::DirectGraphics>(device.get());
    }
    void TearDown() override { std::filesystem::current_path(previous); }

    // A solid picture of w x h in the container format.
    static void writePicture(const veru::YString& path, int w, int h, std::uint32_t argb) {
        veru::platform::Image image;
        image.width = w;
        image.height = h;
        image.hasAlpha = true;
        image.pixels.assign(static_cast<std::size_t>(w * h), argb);
        Bytes png;
        ASSERT_TRUE(veru::platform::encodePng(image, png));
        veru::dxt::material::writeImageContainer(path, "ytx", {.width = w, .height = h}, png);
    }

    // One frame on black: `queue` queues sprites (centred on), then they are drawn.
    Frame render(const std::function<void(veru::dxt::DirectGraphics&)>& queue) {
        device->clear(kBlack);
        graphics->setCentred(true);
        queue(*graphics);
        graphics->flushSprites();
        graphics->flushQuads();
        return readFrame(*device);
    }

    // The first and last x in row y whose colour is near `colour`; (-1, -1) when none.
    static std::pair<int, int> span(const Frame& f, int y, std::uint32_t colour) {
        int first = -1;
        int last = -1;
        for (int x = 0; x < f.width; ++x) {
            if (rgbNear(f.at(x, y), colour, 8)) {
                if (first < 0) {
                    first = x;
                }
                last = x;
            }
        }
        return {first, last};
    }

    std::filesystem::path previous = std::filesystem::current_path();
    TempDir dir;
    std::unique_ptr<veru::platform::VideoDevice> device;
    std::unique_ptr<veru::dxt::DirectGraphics> graphics;
};

}  // namespace mirelune::test
