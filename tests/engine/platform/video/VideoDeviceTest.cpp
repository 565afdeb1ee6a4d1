// The video device: fall-back, textures, state caching, restores and the message sink.
#include <gtest/gtest.h>

#include "engine/platform/video/EventPump.h"
#include "engine/platform/video/SdlMessageSink.h"
#include "engine/platform/video/VideoDevice.h"
#include "engine/platform/video/Window.h"
#include "tests/engine/graphics/DrawingTestSupport.h"

namespace {

using namespace veru::platform;
using mirelune::test::Frame;
using mirelune::test::readFrame;
using mirelune::test::rgbNear;

TEST(VideoDeviceTest, WithoutAWindowTheDeviceDrawsOffscreen) {
    std::string error;
    auto device = VideoDevice::create(nullptr, 320, 200, error);
    ASSERT_TRUE(device) << error;
    EXPECT_EQ(device->getKind(), VideoDevice::Kind::offscreen);
    EXPECT_EQ(device->rendererName(), "software");
    ASSERT_TRUE(device->clear(0xFF102030u));
    auto f = readFrame(*device);
    EXPECT_EQ(f.width, 320);
    EXPECT_EQ(f.height, 200);
    EXPECT_TRUE(rgbNear(f.at(319, 199), 0xFF102030u));
}

TEST(VideoDeviceTest, OnTheDummyDisplayTheSoftwareRendererTakesOver) {
    std::string error;
    auto window = Window::create("MIRELUNE 体験版", 800, 600, false, error);
    ASSERT_TRUE(window) << error;
    auto device = VideoDevice::create(window.get(), 800, 600, error);
    ASSERT_TRUE(device) << error;
    EXPECT_EQ(device->getKind(), VideoDevice::Kind::software);
    EXPECT_EQ(device->getWindow(), window.get());
    // Full screen keeps the back buffer's size; leaving it restores the client size.
    EXPECT_TRUE(window->setFullScreen(true));
    EXPECT_TRUE(window->setFullScreen(false));
    EXPECT_EQ(device->getWidth(), 800);
    device.reset();
}

TEST(VideoDeviceTest, TexturesComeBackAfterTheRendererLostThem) {
    auto device = mirelune::test::makeOffscreenDevice(64, 64);
    std::vector<std::uint32_t> pixels(4, 0xFF00FF00u);
    auto texture = device->createTexture(2, 2, pixels.data());
    ASSERT_TRUE(texture);
    device->restoreTextures();
    ASSERT_TRUE(texture->isValid());
    device->clear(0xFF000000u);
    device->copyOpaque(*texture, PixelRect{0, 0, 2, 2}, 5, 5);
    EXPECT_TRUE(rgbNear(readFrame(*device).at(6, 6), 0xFF00FF00u));
    // Replacing the picture keeps the CPU copy in step.
    std::vector<std::uint32_t> red(4, 0xFFFF0000u);
    EXPECT_TRUE(texture->update(red.data()));
    EXPECT_EQ(texture->getPixels()[3], 0xFFFF0000u);
    EXPECT_EQ(device->createTexture(0, 5, nullptr), nullptr);
}

TEST(VideoDeviceTest, CopiesModulateAndStateChangesApplyPerDraw) {
    auto device = mirelune::test::makeOffscreenDevice(64, 64);
    std::vector<std::uint32_t> white(16, 0xFFFFFFFFu);
    auto texture = device->createTexture(4, 4, white.data());
    device->clear(0xFF000000u);
    device->drawCopy(*texture, PixelRect{0, 0, 4, 4}, 0, 0, 4, 4, 0xFFFF0000u, BlendMode::blend,
                     Filter::point);
    device->drawCopy(*texture, PixelRect{0, 0, 4, 4}, 10, 0, 4, 4, 0x80FFFFFFu, BlendMode::blend,
                     Filter::point);
    device->drawCopy(*texture, PixelRect{0, 0, 4, 4}, 20, 0, 4, 4, 0xFFFFFFFFu, BlendMode::blend,
                     Filter::point);
    // Geometry takes its colour from the vertices only.
    ScreenVertex v[4];
    float xs[4] = {30, 34, 30, 34}, ys[4] = {0, 0, 4, 4}, us[4] = {0, 1, 0, 1},
          vs[4] = {0, 0, 1, 1};
    for (int i = 0; i < 4; ++i) {
        v[i] = ScreenVertex{xs[i], ys[i], 0xFF00FF00u, us[i], vs[i]};
    }
    device->drawQuad(*texture, v, BlendMode::blend, Filter::point);
    auto f = readFrame(*device);
    EXPECT_TRUE(rgbNear(f.at(1, 1), 0xFFFF0000u));
    EXPECT_TRUE(rgbNear(f.at(11, 1), 0xFF808080u));
    EXPECT_TRUE(rgbNear(f.at(21, 1), 0xFFFFFFFFu));
    EXPECT_TRUE(rgbNear(f.at(31, 1), 0xFF00FF00u));
}

// An opaque picture is drawn without blending at full alpha; a picture with
// a see-through pixel, a faded copy, or a picture replaced by one with holes
// still blends.
TEST(VideoDeviceTest, OnlyWhollyOpaquePicturesAtFullAlphaSkipBlending) {
    auto device = mirelune::test::makeOffscreenDevice(64, 16);
    std::vector<std::uint32_t> solid(16, 0xFF0000FFu);
    std::vector<std::uint32_t> holed = solid;
    holed[5] = 0x000000FFu;  // (1, 1) is see-through
    auto opaque = device->createTexture(4, 4, solid.data());
    auto withHole = device->createTexture(4, 4, holed.data());
    auto replaced = device->createTexture(4, 4, solid.data());
    ASSERT_TRUE(replaced->update(holed.data()));
    const PixelRect all{0, 0, 4, 4};
    device->clear(0xFFFF0000u);
    device->drawCopy(*opaque, all, 0, 0, 4, 4, 0xFFFFFFFFu, BlendMode::blend, Filter::linear);
    device->drawCopy(*opaque, all, 10, 0, 4, 4, 0x80FFFFFFu, BlendMode::blend, Filter::point);
    device->drawCopy(*withHole, all, 20, 0, 4, 4, 0xFFFFFFFFu, BlendMode::blend, Filter::point);
    device->drawCopy(*replaced, all, 30, 0, 4, 4, 0xFFFFFFFFu, BlendMode::blend, Filter::point);
    auto f = readFrame(*device);
    EXPECT_TRUE(rgbNear(f.at(1, 1), 0xFF0000FFu));
    EXPECT_TRUE(rgbNear(f.at(11, 1), 0xFF7F0080u, 3));
    EXPECT_TRUE(rgbNear(f.at(21, 1), 0xFFFF0000u));
    EXPECT_TRUE(rgbNear(f.at(22, 1), 0xFF0000FFu));
    EXPECT_TRUE(rgbNear(f.at(31, 1), 0xFFFF0000u));
}

// Draws a busy backdrop (every pixel different, alpha included) and then the
// same stretched one-colour copies, from a 1 x 1 texture or from a 2 x 2 one
// of the same colour; returns the frame read back.
std::vector<std::uint32_t> shadedFrame(std::uint32_t texel, int side) {
    auto device = mirelune::test::makeOffscreenDevice(64, 48);
    std::vector<std::uint32_t> backdrop(64 * 48);
    for (std::size_t i = 0; i < backdrop.size(); ++i) {
        backdrop[i] = static_cast<std::uint32_t>(i * 2654435761u);
    }
    auto under = device->createTexture(64, 48, backdrop.data());
    std::vector<std::uint32_t> one(static_cast<std::size_t>(side * side), texel);
    auto shade = device->createTexture(side, side, one.data());
    device->copyOpaque(*under, PixelRect{0, 0, 64, 48}, 0, 0);
    const PixelRect all{0, 0, side, side};
    // Whole screen, part off the edges, fractional places and sizes, each
    // blend mode, colour and alpha modulation.
    device->drawCopy(*shade, all, 0, 0, 64, 48, 0x80FFFFFFu, BlendMode::blend, Filter::linear);
    device->drawCopy(*shade, all, -5.5f, 40.25f, 20.7f, 30, 0xC0FF8020u, BlendMode::blend,
                     Filter::point);
    device->drawCopy(*shade, all, 30.5f, 3.5f, 9.5f, 7.25f, 0x40FFFFFFu, BlendMode::add,
                     Filter::linear);
    device->drawCopy(*shade, all, 50, -3, 30, 12, 0x9000FF00u, BlendMode::none, Filter::linear);
    device->drawCopy(*shade, all, 3, 20, 1.0f, 1.0f, 0xFFFFFFFFu, BlendMode::blend, Filter::point);
    return readFrame(*device).pixels;
}

TEST(VideoDeviceTest, AStretchedTexelPaintsWhatTheScaledCopyPaints) {
    for (std::uint32_t texel : {0xFF000000u, 0x80FFFFFFu, 0xFF3366CCu, 0x00FFFFFFu, 0xC01080F0u}) {
        EXPECT_TRUE(shadedFrame(texel, 1) == shadedFrame(texel, 2)) << std::hex << texel;
    }
}

// Scaled copies of cells of a sheet with soft alpha over a busy backdrop:
// sizes that shrink and grow, fractional places, over the edges, inside and
// across a clip, each blend mode and modulation.
struct SparkCopy {
    PixelRect cell;
    float x, y, w, h;
    std::uint32_t argb;
    BlendMode blend;
    bool clipped;
};
const PixelRect kField{8, 8, 40, 30};
const SparkCopy kSparks[] = {
    {{0, 0, 16, 16}, 3.7f, 2.2f, 15.9f, 15.5f, 0xFFFFFFFFu, BlendMode::add, false},
    {{16, 2, 16, 14}, 20, 4, 30.38f, 30.38f, 0xEBFFFFFFu, BlendMode::add, false},
    {{16, 2, 16, 14}, 21, 5, 30.38f, 30.38f, 0xEB40C0FFu, BlendMode::add, false},
    {{0, 0, 16, 16}, 50.5f, 40, 31, 31, 0xFFFFFFFFu, BlendMode::add, false},
    {{0, 0, 16, 16}, -6.5f, 30, 12, 20, 0xC0FF8020u, BlendMode::blend, false},
    {{16, 2, 16, 14}, 55, -4, 11, 9, 0xFFFFFFFFu, BlendMode::none, false},
    {{0, 0, 16, 16}, 10, 10, 20, 20, 0x80FFFFFFu, BlendMode::blend, true},
    {{0, 0, 16, 16}, 30, 12, 17, 13, 0xFFFFFFFFu, BlendMode::add, true},
    {{16, 2, 16, 14}, 40, 30, 14, 14, 0xFF40FF40u, BlendMode::blend, true},
    {{16, 2, 16, 14}, 2, 25, 15, 15, 0xFFFFFFFFu, BlendMode::add, true},
};

std::vector<std::uint32_t> sparkPixels(std::size_t count, std::uint32_t seed) {
    std::vector<std::uint32_t> pixels(count);
    for (std::size_t i = 0; i < count; ++i) {
        pixels[i] = static_cast<std::uint32_t>(i * 40503u + seed) * 2654435761u;
    }
    return pixels;
}

// The sparks over the backdrop. `asStretched` draws each copy the device can
// keep from a texture of the stretched cell instead, with the renderer's own
// unscaled copy. Returns the frame and how many pictures the device made.
std::vector<std::uint32_t> sparksFrame(bool asStretched, std::size_t& made) {
    auto device = mirelune::test::makeOffscreenDevice(64, 48);
    const auto backdrop = sparkPixels(64 * 48, 1);
    const auto cells = sparkPixels(32 * 16, 7);
    auto under = device->createTexture(64, 48, backdrop.data());
    auto sheet = device->createTexture(32, 16, cells.data());
    std::vector<std::unique_ptr<DeviceTexture>> stretched;
    for (const SparkCopy& c : kSparks) {
        // The cell stretched alone, read back from a clear device.
        const int w = static_cast<int>(c.w);
        const int h = static_cast<int>(c.h);
        auto scratch = mirelune::test::makeOffscreenDevice(w, h);
        auto cell = scratch->createTexture(32, 16, cells.data());
        scratch->clear(0);
        scratch->drawCopy(*cell, c.cell, 0, 0, c.w, c.h, 0xFFFFFFFFu, BlendMode::none,
                          Filter::linear);
        stretched.push_back(device->createTexture(w, h, readFrame(*scratch).pixels.data()));
    }
    for (int pass = 0; pass < 2; ++pass) {
        device->copyOpaque(*under, PixelRect{0, 0, 64, 48}, 0, 0);
        for (std::size_t i = 0; i < std::size(kSparks); ++i) {
            const SparkCopy& c = kSparks[i];
            device->setClip(c.clipped ? &kField : nullptr);
            const bool inside = !c.clipped || (c.x >= kField.x && c.y >= kField.y &&
                                               c.x + c.w <= kField.x + kField.width &&
                                               c.y + c.h <= kField.y + kField.height);
            if (asStretched && inside) {
                DeviceTexture& t = *stretched[i];
                device->drawCopy(
                    t, PixelRect{0, 0, t.getWidth(), t.getHeight()},
                    static_cast<float>(static_cast<int>(c.x)),
                    static_cast<float>(static_cast<int>(c.y)), static_cast<float>(t.getWidth()),
                    static_cast<float>(t.getHeight()), c.argb, c.blend, Filter::linear);
            } else {
                device->drawCopy(*sheet, c.cell, c.x, c.y, c.w, c.h, c.argb, c.blend,
                                 Filter::linear);
            }
        }
        device->setClip(nullptr);
    }
    made = device->getTurnedMade();
    return readFrame(*device).pixels;
}

TEST(VideoDeviceTest, KeptStretchedPicturesPaintWhatTheScaledCopyPaints) {
    std::size_t made = 0;
    std::size_t unused = 0;
    const std::vector<std::uint32_t> frame = sparksFrame(false, made);
    const std::vector<std::uint32_t> expected = sparksFrame(true, unused);
    ASSERT_EQ(frame.size(), expected.size());
    for (std::size_t i = 0; i < frame.size(); ++i) {
        ASSERT_EQ(frame[i], expected[i]) << "pixel " << i % 64 << "," << i / 64;
    }
    // One picture per cell and size, none for the copies across the clip.
    EXPECT_EQ(made, 7u);
}

// Pixels with every alpha, soft edges included, and colours under alpha 0.
std::vector<std::uint32_t> mottled(int w, int h) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<std::uint32_t>(i * 2246822519u + 374761393u) * 2654435761u;
    }
    pixels[0] = 0x00FFFFFFu;
    pixels[1] = 0x00000000u;
    pixels[2] = 0xFF000000u;
    return pixels;
}

// Draws a frame with a texture copied twice under a clip, the clip lifted
// and a fill over the whole back buffer; `between` runs between the copies.
template <typename F>
std::vector<std::uint32_t> clippedFrame(VideoDevice& device, DeviceTexture& texture, F between) {
    const PixelRect clip{5, 4, 30, 20};
    const PixelRect all{0, 0, texture.getWidth(), texture.getHeight()};
    device.clear(0xFF203040u);
    device.setClip(&clip);
    device.drawCopy(texture, all, 0, 0, 40, 30, 0xC0FFFFFFu, BlendMode::blend, Filter::point);
    between();
    device.drawCopy(texture, all, 3, 2, 40, 30, 0xC0FFFFFFu, BlendMode::blend, Filter::point);
    device.fillRect(PixelRect{10, 10, 100, 100}, 0xFF00FF00u);
    device.setClip(nullptr);
    device.fillRect(PixelRect{0, 40, 8, 8}, 0xFFFF0000u);
    return readFrame(device).pixels;
}

TEST(VideoDeviceTest, WithoutACopyPixelsAreReadBackExactlyAndTheDrawingStaysAsItWas) {
    // The window's device scales its back buffer to the window; the
    // off-screen one draws 1:1.
    std::string error;
    auto window = Window::create("t", 128, 96, false, error);
    ASSERT_TRUE(window) << error;
    std::vector<std::unique_ptr<VideoDevice>> devices;
    devices.push_back(VideoDevice::create(window.get(), 64, 48, error));
    devices.push_back(mirelune::test::makeOffscreenDevice(64, 48));
    for (auto& device : devices) {
        ASSERT_TRUE(device) << error;
        SCOPED_TRACE(device->rendererName());
        // The software renderers keep copies unless told not to.
        EXPECT_EQ(device->keepsPixelCopies(), device->getKind() != VideoDevice::Kind::accelerated);
        device->setKeepsPixelCopies(false);
        const auto pixels = mottled(23, 17);
        auto texture = device->createTexture(23, 17, pixels.data());
        ASSERT_TRUE(texture);
        EXPECT_TRUE(texture->getPixels().empty());
        EXPECT_EQ(device->texturePixels(*texture), pixels);
        // A blank texture is transparent black; a replaced picture reads back as replaced.
        auto blank = device->createTexture(3, 2, nullptr);
        EXPECT_EQ(device->texturePixels(*blank), std::vector<std::uint32_t>(6, 0u));
        const auto other = mottled(23 * 17 + 1, 1);
        ASSERT_TRUE(texture->update(other.data() + 1));
        EXPECT_EQ(device->texturePixels(*texture),
                  std::vector<std::uint32_t>(other.begin() + 1, other.end()));

        // Reading back in the middle of a frame changes nothing of it: the
        // target, viewport, clip and scale stay, and so do the texture's
        // blending and modulation.
        const auto plain = clippedFrame(*device, *texture, [] {});
        const auto read = clippedFrame(
            *device, *texture, [&] { EXPECT_FALSE(device->texturePixels(*texture).empty()); });
        EXPECT_TRUE(plain == read);
    }
    // A texture whose device has gone has nothing to read.
    auto texture = devices.back()->createTexture(2, 2, nullptr);
    devices.back().reset();
    EXPECT_TRUE(devices.front()->texturePixels(*texture).empty());
}

// A frame with something of every kind of draw: a fill, a clipped fill, a
// smoothly scaled copy and a turned one.
std::vector<std::uint32_t> drawSample(VideoDevice& device, DeviceTexture& texture) {
    const PixelRect all{0, 0, texture.getWidth(), texture.getHeight()};
    device.clear(0xFF203040u);
    device.fillRect(PixelRect{3, 4, 10, 6}, 0xFFFF0000u);
    device.drawCopy(texture, all, 20, 5, 17, 13, 0xFFFFFFFFu, BlendMode::blend, Filter::linear);
    device.drawTurnedCopy(texture, all, CopyPlacement{40, 20, 8, 8, 30.0, 4, 4}, 0xC0FFFFFFu,
                          BlendMode::blend, Filter::point);
    const PixelRect limit{0, 30, 16, 8};
    device.setClip(&limit);
    device.fillRect(PixelRect{0, 0, 64, 48}, 0xFF00FF00u);
    device.setClip(nullptr);
    return readFrame(device).pixels;
}

// What the window shows after present(): every pixel of the frame as a
// `scale` x `scale` block at (left, top) of a window `shownWidth` wide.
::testing::AssertionResult showsScaled(VideoDevice& device, const std::vector<std::uint32_t>& frame,
                                       int scale, int left, int top) {
    Frame shown;
    if (!device.readShownPixels(shown.pixels, shown.width, shown.height)) {
        return ::testing::AssertionFailure() << "the window cannot be read";
    }
    const int w = device.getWidth();
    for (int y = 0; y < shown.height; ++y) {
        for (int x = 0; x < shown.width; ++x) {
            const int fx = (x - left) / scale;
            const int fy = (y - top) / scale;
            const bool inside = x >= left && y >= top && fx < w && fy < device.getHeight();
            const std::uint32_t expected =
                inside ? frame[static_cast<std::size_t>(fy * w + fx)] : 0xFF000000u;
            if (!rgbNear(shown.at(x, y), expected, 0)) {
                return ::testing::AssertionFailure()
                       << "at (" << x << ", " << y << ") "
                       << rgbNear(shown.at(x, y), expected, 0).message() << " in a window of "
                       << shown.width << " x " << shown.height;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(VideoDeviceTest, AScaledWindowShowsTheFrameDrawnAtItsOwnSizeScaledSharply) {
    std::string error;
    auto window = Window::create("t", 64, 48, false, error);
    ASSERT_TRUE(window) << error;
    auto device = VideoDevice::create(window.get(), 64, 48, error);
    ASSERT_TRUE(device) << error;
    ASSERT_EQ(device->getKind(), VideoDevice::Kind::software);
    const auto pixels = mottled(9, 7);
    auto texture = device->createTexture(9, 7, pixels.data());
    ASSERT_TRUE(texture);

    // At the back buffer's own size the window is drawn on directly.
    EXPECT_FALSE(device->drawsThroughFrame());
    const auto oneToOne = drawSample(*device, *texture);
    device->present();
    EXPECT_TRUE(showsScaled(*device, oneToOne, 1, 0, 0));

    // Twice the size: the next frame is drawn at 64 x 48 and shown doubled.
    window->setScale(2);
    device->present();
    EXPECT_TRUE(device->drawsThroughFrame());
    EXPECT_EQ(drawSample(*device, *texture), oneToOne);
    device->present();
    EXPECT_TRUE(showsScaled(*device, oneToOne, 2, 0, 0));
    // A limit set before the frame is shown holds in the next one too.
    const PixelRect limit{8, 8, 4, 4};
    device->setClip(&limit);
    device->present();
    device->clear(0xFF000000u);
    device->fillRect(PixelRect{0, 0, 64, 48}, 0xFFFFFFFFu);
    device->setClip(nullptr);
    const auto clippedFill = readFrame(*device);
    EXPECT_TRUE(rgbNear(clippedFill.at(9, 9), 0xFFFFFFFFu));
    EXPECT_TRUE(rgbNear(clippedFill.at(7, 9), 0xFF000000u));

    // Back to its own size, the frame in progress is still shown whole, and
    // the window is drawn on directly again.
    EXPECT_EQ(drawSample(*device, *texture), oneToOne);
    window->setScale(1);
    device->present();
    EXPECT_TRUE(showsScaled(*device, oneToOne, 1, 0, 0));
    EXPECT_FALSE(device->drawsThroughFrame());
    EXPECT_EQ(drawSample(*device, *texture), oneToOne);
}

TEST(VideoDeviceTest, FullScreenOfAnotherShapeLetterboxesTheFrameWithBlackBars) {
    std::string error;
    auto window = Window::create("t", 64, 40, false, error);
    ASSERT_TRUE(window) << error;
    auto device = VideoDevice::create(window.get(), 64, 40, error);
    ASSERT_TRUE(device) << error;
    window->show();
    ASSERT_TRUE(window->setFullScreen(true));
    int desktopWidth = 0;
    int desktopHeight = 0;
    window->currentSize(desktopWidth, desktopHeight);
    device->present();
    ASSERT_TRUE(device->drawsThroughFrame()) << desktopWidth << " x " << desktopHeight;
    const auto pixels = mottled(9, 7);
    auto texture = device->createTexture(9, 7, pixels.data());
    device->clear(0xFF203040u);
    device->drawCopy(*texture, PixelRect{0, 0, 9, 7}, 50, 30, 9, 7, 0xFFFFFFFFu, BlendMode::blend,
                     Filter::point);
    const auto frame = readFrame(*device);
    EXPECT_EQ(frame.width, 64);
    EXPECT_EQ(frame.height, 40);
    device->present();
    // The whole-number scale that fits, centred (the dummy desktop is 4:3).
    const int scale = std::min(desktopWidth / 64, desktopHeight / 40);
    ASSERT_EQ(desktopWidth, 64 * scale) << "the dummy desktop's width is a multiple of 64";
    EXPECT_TRUE(showsScaled(*device, frame.pixels, scale, 0, (desktopHeight - 40 * scale) / 2));
}

TEST(EventPumpTest, HeadlessDisplayHasNoMessageBoxesAndAnEmptyQueue) {
    std::string error;
    auto window = Window::create("t", 100, 100, false, error);
    ASSERT_TRUE(window) << error;
    EXPECT_FALSE(SdlMessageSink::hasDisplay());
    for (int i = 0; i < 100 && pollOneEvent().kind != PumpedEvent::Kind::none; ++i) {
    }
    EXPECT_EQ(pollOneEvent().kind, PumpedEvent::Kind::none);
    ASSERT_TRUE(postQuitEvent());
    EXPECT_EQ(pollOneEvent().kind, PumpedEvent::Kind::quit);
    testing::internal::CaptureStderr();
    SdlMessageSink sink;
    sink.show(veru::awt::MessageKind::error, u"エラー", u"テスト");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("[エラー] テスト"), std::string::npos);
}

}  // namespace
