// Additive light that ignores a picture's alpha: drawn from the picture
// itself where the renderer takes the opaque additive mode, from an opaque
// twin where it does not. ctest runs this program on SDL's off-screen video
// driver, whose windows get an OpenGL renderer where the machine has one.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "engine/graphics/BlendMode.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/platform/video/Window.h"
#include "tests/engine/graphics/DrawingTestSupport.h"

namespace {

using namespace mirelune::test;
using veru::dxt::BlendAdd;
using veru::dxt::DirectGraphics;
using veru::platform::BlendMode;
using veru::platform::Filter;
using veru::platform::PixelRect;
using veru::platform::VideoDevice;
using veru::platform::Window;

constexpr int kSide = 64;

// Every texel a different colour and alpha, some fully transparent.
std::vector<std::uint32_t> rainbow() {
    std::vector<std::uint32_t> pixels(kSide * kSide);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const auto a = static_cast<std::uint32_t>((x * 37 + y * 11) % 256);
            const auto r = static_cast<std::uint32_t>(x * 4);
            const auto g = static_cast<std::uint32_t>(y * 4);
            const auto b = static_cast<std::uint32_t>((x * y) % 256);
            pixels[static_cast<std::size_t>(y * kSide + x)] = a << 24 | r << 16 | g << 8 | b;
        }
    }
    return pixels;
}

class OpaqueAddTest : public ::testing::Test {
  protected:
    void SetUp() override {
#if defined(__SANITIZE_ADDRESS__)
        // The GL driver keeps allocations of its own to the end, which the
        // leak checker can no longer name once the driver is unloaded. The
        // normal build draws through it.
        GTEST_SKIP() << "the GL driver is not checked under the address sanitizer";
#endif
        // The game passes over a GL that rasterises on the CPU; named, it is used.
        ::setenv("SDL_RENDER_DRIVER", "opengl", 1);
        std::string error;
        window = Window::create("opaque add", 400, 300, false, error);
        ASSERT_TRUE(window) << error;
        device = VideoDevice::create(window.get(), 400, 300, error);
        ASSERT_TRUE(device) << error;
        if (!device->addsOpaque()) {
            GTEST_SKIP() << "the renderer here (" << device->rendererName()
                         << ") takes no custom blend mode";
        }
    }

    void TearDown() override {
        ::unsetenv("SDL_RENDER_DRIVER");
    }

    std::unique_ptr<Window> window;
    std::unique_ptr<VideoDevice> device;
};

TEST_F(OpaqueAddTest, DrawsTheSamePixelsAsAnOpaqueTwinAtEveryAlpha) {
    std::vector<std::uint32_t> pixels = rainbow();
    auto picture = device->createTexture(kSide, kSide, pixels.data());
    for (std::uint32_t& p : pixels) {
        p |= 0xFF000000u;
    }
    auto twin = device->createTexture(kSide, kSide, pixels.data());
    ASSERT_TRUE(picture && twin);
    const PixelRect whole{0, 0, kSide, kSide};
    for (std::uint32_t alpha : {255u, 254u, 200u, 129u, 128u, 77u, 3u, 0u}) {
        SCOPED_TRACE(alpha);
        const std::uint32_t colour = alpha << 24 | 0x00FFFFFFu;
        device->clear(0xFF302010u);
        // Twice over the same place, so that the second adds onto the first.
        for (int pass = 0; pass < 2; ++pass) {
            device->drawCopy(*twin, whole, 10.0f, 10.0f, kSide, kSide, colour, BlendMode::add,
                             Filter::point);
            device->drawCopy(*picture, whole, 100.0f, 10.0f, kSide, kSide, colour,
                             BlendMode::addOpaque, Filter::point);
            device->drawCopy(*twin, whole, 10.0f, 100.0f, 50.0f, 70.0f, colour, BlendMode::add,
                             Filter::linear);
            device->drawCopy(*picture, whole, 100.0f, 100.0f, 50.0f, 70.0f, colour,
                             BlendMode::addOpaque, Filter::linear);
        }
        Frame f = readFrame(*device);
        int differing = 0;
        for (int y = 0; y < 180; ++y) {
            for (int x = 0; x < 80; ++x) {
                differing += (f.at(x, y) & 0xFFFFFFu) != (f.at(x + 90, y) & 0xFFFFFFu) ? 1 : 0;
            }
        }
        EXPECT_EQ(differing, 0);
    }
}

TEST_F(OpaqueAddTest, AdditiveQuadsMakeNoTwin) {
    device->clear(0xFF404040u);
    DirectGraphics graphics(device.get());
    auto halfGreen = solidTexture(device.get(), 8, 8, 0x8000FF00u);
    auto clearRed = solidTexture(device.get(), 8, 8, 0x00FF0000u);
    const std::size_t textures = device->getTextureCount();
    graphics.drawQuad(clearRed.get(), 0.0f, 0.0f, 1.0f, 1.0f, 0, BlendAdd);
    graphics.drawQuad(halfGreen.get(), 20.0f, 0.0f, 1.0f, 1.0f, 30, BlendAdd);
    halfGreen->setAlpha(128);
    graphics.drawQuad(halfGreen.get(), 40.0f, 0.0f, 1.0f, 1.0f, 0, BlendAdd);
    EXPECT_EQ(device->getTextureCount(), textures);
    Frame f = readFrame(*device);
    EXPECT_TRUE(rgbNear(f.at(4, 4), 0xFFFF4040u));
    EXPECT_TRUE(rgbNear(f.at(24, 5), 0xFF40FF40u));
    EXPECT_TRUE(rgbNear(f.at(44, 4), 0xFF40C040u));
}

TEST(OpaqueAddFallbackTest, TheSoftwareRendererAddsFromATwin) {
    auto device = makeOffscreenDevice(64, 32);
    ASSERT_TRUE(device);
    EXPECT_FALSE(device->addsOpaque());
    device->clear(0xFF404040u);
    auto clearRed = solidTexture(device.get(), 8, 8, 0x00FF0000u);
    // The mode the renderer refuses draws nothing rather than something else.
    device->drawCopy(*clearRed->getDeviceTexture(), PixelRect{0, 0, 8, 8}, 0.0f, 0.0f, 8.0f, 8.0f,
                     0xFFFFFFFFu, BlendMode::addOpaque, Filter::point);
    EXPECT_TRUE(rgbNear(readFrame(*device).at(4, 4), 0xFF404040u));
    const std::size_t textures = device->getTextureCount();
    DirectGraphics graphics(device.get());
    graphics.drawQuad(clearRed.get(), 20.0f, 0.0f, 1.0f, 1.0f, 0, BlendAdd);
    EXPECT_EQ(device->getTextureCount(), textures + 1);  // the twin
    EXPECT_TRUE(rgbNear(readFrame(*device).at(24, 4), 0xFFFF4040u));
    // The twin goes with its picture.
    clearRed.reset();
    EXPECT_EQ(device->getTextureCount(), textures - 1);
}

// Without a graphics device, GL could only rasterise on the CPU: the window
// gets SDL's software renderer, which draws and shows its frames.
TEST(RendererChoiceTest, WithoutAGraphicsDeviceTheWindowDrawsInSoftware) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", ec)) {
        if (entry.path().filename().string().starts_with("renderD")) {
            GTEST_SKIP() << "this machine has a graphics device";
        }
    }
    std::string error;
    auto window = Window::create("choice", 200, 100, false, error);
    ASSERT_TRUE(window) << error;
    auto device = VideoDevice::create(window.get(), 200, 100, error);
    ASSERT_TRUE(device) << error;
    EXPECT_EQ(device->getKind(), VideoDevice::Kind::software);
    EXPECT_EQ(device->rendererName(), "software");
    device->clear(0xFF204060u);
    EXPECT_TRUE(rgbNear(readFrame(*device).at(100, 50), 0xFF204060u));
}

}  // namespace
