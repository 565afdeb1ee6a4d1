// Textures and surfaces: loading, sheets, fades, copies and every failure.
#include <gtest/gtest.h>

#include <filesystem>
#include <stop_token>
#include <thread>

#include "engine/core/Language.h"
#include "engine/exceptions/FileNotFoundException.h"
#include "engine/exceptions/IOException.h"
#include "engine/graphics/BlendMode.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/io/Scrambler.h"
#include "engine/material/ImageContainer.h"
#include "engine/material/PicturePreload.h"
#include "engine/material/Surface.h"
#include "engine/material/SurfacePicture.h"
#include "engine/material/Texture.h"
#include "engine/platform/image/Image.h"
#include "engine/platform/video/DeviceTexture.h"
#include "tests/engine/graphics/DrawingTestSupport.h"
#include "tests/support/RecordingMessageSink.h"
#include "tests/support/TempDir.h"

namespace {

using namespace mirelune::test;
using veru::YString;
using veru::dxt::Color;
using veru::dxt::material::Surface;
using veru::dxt::material::Texture;

// A PNG of w x h whose pixel (x, y) is `colour(x, y)`.
template <typename F>
Bytes png(int w, int h, F colour, bool alpha = true) {
    veru::platform::Image image;
    image.width = w;
    image.height = h;
    image.hasAlpha = alpha;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            image.pixels.push_back(colour(x, y));
        }
    }
    Bytes out;
    EXPECT_TRUE(veru::platform::encodePng(image, out, alpha));
    return out;
}

template <typename T>
std::u16string failureOf(T&& action) {
    try {
        action();
    } catch (const veru::excp::Exception& e) {
        return e.getMessage();
    }
    return u"";
}

class TextureSurfaceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        veru::io::registerGameFileKeys();
        device = makeOffscreenDevice();
    }

    YString container(const std::string& name, const char* suffix, int bitDepth, int w, int h,
                      const Bytes& payload) {
        YString path = dir.file(name);
        veru::dxt::material::ImageContainerHeader header;
        header.bitDepth = bitDepth;
        header.width = w;
        header.height = h;
        veru::dxt::material::writeImageContainer(path, suffix, header, payload);
        return path;
    }

    TempDir dir;
    RecordingMessageSink sink;
    std::unique_ptr<veru::platform::VideoDevice> device;
};

TEST_F(TextureSurfaceTest, PlainLoadFillsSizesAndPlacesTheQuad) {
    YString path = dir.file("a.png");
    writeBytes(path, png(24, 10, [](int, int) { return 0x80FF0000u; }));
    Texture texture;
    texture.load(path, device.get());
    EXPECT_EQ(texture.getWidth(), 24);
    EXPECT_EQ(texture.getCellHeight(), 10);
    EXPECT_FALSE(texture.isSheet());
    const auto e = texture.quadExtent(1.0f, 1.0f, false);
    EXPECT_FLOAT_EQ(e.x0, 1.0f);  // the near edge one pixel inside
    EXPECT_FLOAT_EQ(e.x1, 24.0f);
    EXPECT_FLOAT_EQ(e.y1, 10.0f);
    const auto centred = texture.quadExtent(2.0f, 2.0f, true);
    EXPECT_FLOAT_EQ(centred.x0, -22.0f);
    EXPECT_FLOAT_EQ(centred.y1, 10.0f);
    EXPECT_EQ(texture.getDeviceTexture()->getPixels()[0], 0x80FF0000u);
}

TEST_F(TextureSurfaceTest, EnglishTakesTheEnglishPictureOfAWordWhenThereIsOne) {
    const YString word = dir.file("word.png");
    writeBytes(word, png(8, 4, [](int, int) { return 0xFF0000FFu; }));
    writeBytes(dir.file("word.en.png"), png(12, 4, [](int, int) { return 0xFFFF0000u; }));
    const YString plain = dir.file("plain.png");
    writeBytes(plain, png(6, 4, [](int, int) { return 0xFF00FF00u; }));
    veru::setCurrentLanguage(veru::Language::english);
    Texture english, fallback;
    english.load(word, device.get());
    fallback.load(plain, device.get());
    veru::setCurrentLanguage(veru::Language::japanese);
    Texture japanese;
    japanese.load(word, device.get());
    EXPECT_EQ(english.getWidth(), 12);
    EXPECT_EQ(fallback.getWidth(), 6);  // a picture without words has one file, silently
    EXPECT_EQ(japanese.getWidth(), 8);
    EXPECT_EQ(sink.count(), 0u);
}

TEST_F(TextureSurfaceTest, ColourKeyAndBitDepth) {
    Bytes picture = png(4, 4, [](int x, int) { return x < 2 ? 0xFF00FF00u : 0x80102030u; });
    YString plain = dir.file("k.png");
    writeBytes(plain, picture);
    Texture keyed;
    keyed.load(plain, device.get(), Color(0, 255, 0, 255));
    EXPECT_EQ(keyed.getDeviceTexture()->getPixels()[0], 0u);
    EXPECT_EQ(keyed.getDeviceTexture()->getPixels()[3], 0x80102030u);

    Texture with32;
    with32.load(container("a.ytx", "ytx", 32, 4, 4, picture), device.get());
    EXPECT_EQ(with32.getWidth(), 4);
    EXPECT_EQ(with32.getDeviceTexture()->getPixels()[3], 0x80102030u);
    // A header that disagrees with its picture is damaged, not ignored.
    const YString lying = container("lying.ytx", "ytx", 32, 4, 5, picture);
    Texture refused;
    EXPECT_EQ(
        failureOf([&] { refused.load(lying, device.get()); }),
        YString(u"テクスチャ作成失敗。画像の大きさ（4×4）がファイルの記録（4×5）と合いません。：")
            .append(lying));

    Texture with24;
    with24.load(container("b.ytx", "ytx", 24, 4, 4, picture), device.get());
    EXPECT_EQ(with24.getDeviceTexture()->getPixels()[3], 0xFF102030u);
}

TEST_F(TextureSurfaceTest, SheetCellsAreVisitedDownEachColumn) {
    YString path = dir.file("sheet.png");
    writeBytes(path,
               png(30, 20, [](int x, int y) { return 0xFF000000u | (x / 10) << 8 | (y / 10); }));
    Texture sheet;
    ASSERT_TRUE(sheet.loadSheet(path, device.get(), 6, 10, 10, Color(0, 0, 0, 0)));
    EXPECT_EQ(sheet.getColumns(), 3);
    EXPECT_EQ(sheet.getRows(), 2);
    std::vector<std::pair<int, int>> visited;
    std::vector<bool> laps;
    for (int i = 0; i < 6; ++i) {
        visited.emplace_back(sheet.getColumn(), sheet.getRow());
        laps.push_back(sheet.nextFrame());
    }
    std::vector<std::pair<int, int>> expected{{0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, 0}, {2, 1}};
    EXPECT_EQ(visited, expected);
    EXPECT_EQ(laps, (std::vector<bool>{false, false, false, false, false, true}));
    EXPECT_EQ(sheet.getFrame(), 0);

    // The current cell is what a sprite shows.
    sheet.nextFrame();
    sheet.nextFrame();
    sheet.nextFrame();  // (1, 1)
    auto r = sheet.sourceRect();
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 10);
    EXPECT_EQ(r.right, 20);
    veru::dxt::DirectGraphics graphics(device.get());
    device->clear(0xFFFFFFFFu);
    graphics.startSprite();
    graphics.drawSprite(&sheet, 0, 0, 1.0f, 1.0f);
    graphics.endSprite();
    EXPECT_TRUE(rgbNear(readFrame(*device).at(5, 5), 0xFF000101u));
}

TEST_F(TextureSurfaceTest, SheetCountsAreClampedToTheGrid) {
    YString path = dir.file("s.png");
    writeBytes(path, png(20, 10, [](int, int) { return 0xFFFFFFFFu; }));
    Texture zero;
    zero.loadSheet(path, device.get(), 0, 10, 10);
    EXPECT_EQ(zero.getFrameCount(), 1);
    EXPECT_TRUE(zero.nextFrame());
    Texture many;
    many.loadSheet(path, device.get(), 50, 10, 10);
    EXPECT_EQ(many.getFrameCount(), 2);
    // A cell larger than the picture is the whole picture, never a division by zero.
    Texture huge;
    huge.loadSheet(path, device.get(), 4, 64, 64);
    EXPECT_EQ(huge.getFrameCount(), 1);
    EXPECT_TRUE(huge.nextFrame());
}

TEST_F(TextureSurfaceTest, FadesClampAndSetAlphaDoesNot) {
    Texture t;
    t.fadeOut(300);
    EXPECT_EQ(t.getAlpha(), 0);
    t.fadeIn(100);
    EXPECT_EQ(t.getAlpha(), 100);
    t.fadeIn(200);
    EXPECT_EQ(t.getAlpha(), 255);
    t.setAlpha(300);
    EXPECT_EQ(t.getAlpha(), 300);
}

TEST_F(TextureSurfaceTest, BlankAndPixelTextures) {
    Texture blank;
    blank.createBlank(device.get(), 2, 3);
    EXPECT_EQ(blank.getDeviceTexture()->getPixels(), std::vector<std::uint32_t>(6, 0xFF000000u));
    Texture none;
    std::uint32_t pixel = 0;
    EXPECT_FALSE(none.createFromPixels(0, 5, device.get(), &pixel));
    EXPECT_EQ(none.getDeviceTexture(), nullptr);
    EXPECT_EQ(failureOf([&] { none.createFromPixels(1, 1, nullptr, &pixel); }),
              u"テクスチャの作成(CreateTexture)に失敗しました。");
}

TEST_F(TextureSurfaceTest, TextureFailures) {
    Texture t;
    YString missing = dir.file("none.png");
    EXPECT_THROW(t.load(missing, device.get()), veru::excp::FileNotFoundException);
    YString junk = dir.file("junk.png");
    writeBytes(junk, Bytes{1, 2, 3, 4, 5});
    EXPECT_EQ(failureOf([&] { t.load(junk, device.get()); }),
              YString(u"画像の読込みに失敗しました。：") + junk);
    // A capital suffix is no container: the decoder gets the container bytes and refuses.
    YString upper = container("c.YTX", "ytx", 32, 0, 0, png(2, 2, [](int, int) { return 0u; }));
    EXPECT_EQ(failureOf([&] { t.load(upper, device.get()); }),
              YString(u"画像の読込みに失敗しました。：") + upper);
    // A container whose payload is not a picture.
    YString notPicture = container("d.ytx", "ytx", 32, 0, 0, Bytes(100, 7));
    EXPECT_EQ(failureOf([&] { t.load(notPicture, device.get()); }),
              YString(u"画像の読込みに失敗しました。：") + notPicture);
    EXPECT_EQ(t.getDeviceTexture(), nullptr);
}

TEST_F(TextureSurfaceTest, SurfaceFromContainerTakesThePicturesSize) {
    Bytes picture = png(8, 3, [](int x, int) { return x < 6 ? 0xFF00FF00u : 0u; });
    Surface surface;
    surface.load(container("bg.ysf", "ysf", 32, 8, 3, picture), device.get());
    EXPECT_EQ(surface.getWidth(), 8);
    EXPECT_EQ(surface.getHeight(), 3);
    // Only copied as it is: no CPU copy kept beside the renderer's.
    EXPECT_TRUE(surface.getDeviceTexture()->getPixels().empty());

    veru::dxt::DirectGraphics graphics(device.get());
    device->clear(0xFFFFFFFFu);
    graphics.copySurface(&surface);
    Frame f = readFrame(*device);
    EXPECT_TRUE(rgbNear(f.at(0, 0), 0xFF00FF00u));
    EXPECT_TRUE(rgbNear(f.at(7, 0), 0xFF000000u));  // copied, not blended
    EXPECT_TRUE(rgbNear(f.at(0, 3), 0xFFFFFFFFu));
    device->clear(0xFFFFFFFFu);
    graphics.copySurfacePart(&surface, 1, 1, 2, 100);
    f = readFrame(*device);
    EXPECT_TRUE(rgbNear(f.at(0, 1), 0xFFFFFFFFu));
    EXPECT_TRUE(rgbNear(f.at(1, 1), 0xFF00FF00u));
    EXPECT_TRUE(rgbNear(f.at(2, 2), 0xFF00FF00u));
    EXPECT_TRUE(rgbNear(f.at(3, 1), 0xFFFFFFFFu));
}

// A wide background whose columns can be told apart: red and green hold the column.
std::uint32_t columnColour(int x) {
    return 0xFF000000u | static_cast<std::uint32_t>(x & 0xFF) << 16 |
           static_cast<std::uint32_t>((x >> 8) * 16) << 8 | 0x40u;
}

TEST_F(TextureSurfaceTest, WindowOfAWideSurfaceIsCopiedToTheTopLeftCorner) {
    YString path = dir.file("wide.png");
    writeBytes(path, png(2400, 480, [](int x, int) { return columnColour(x); }));
    Surface surface;
    surface.load(path, device.get());
    veru::dxt::DirectGraphics graphics(device.get());
    for (int scrollX : {0, 100, 1600}) {
        SCOPED_TRACE(scrollX);
        device->clear(0xFFFFFFFFu);
        graphics.copySurfacePart(&surface, scrollX, 0, 800, 480, 0, 0);
        Frame f = readFrame(*device);
        for (int x : {0, 1, 99, 400, 799}) {
            EXPECT_TRUE(rgbNear(f.at(x, 0), columnColour(scrollX + x), 0));
            EXPECT_TRUE(rgbNear(f.at(x, 479), columnColour(scrollX + x), 0));
        }
        EXPECT_TRUE(rgbNear(f.at(0, 480), 0xFFFFFFFFu));  // below the window: untouched
    }
    // A window reaching past the picture's right edge: what exists lands where it belongs.
    device->clear(0xFFFFFFFFu);
    graphics.copySurfacePart(&surface, 2000, 0, 800, 480, 0, 0);
    Frame f = readFrame(*device);
    EXPECT_TRUE(rgbNear(f.at(0, 10), columnColour(2000), 0));
    EXPECT_TRUE(rgbNear(f.at(399, 10), columnColour(2399), 0));
    EXPECT_TRUE(rgbNear(f.at(400, 10), 0xFFFFFFFFu));
    // The same-position form still copies to the rectangle's own place.
    device->clear(0xFFFFFFFFu);
    graphics.copySurfacePart(&surface, 100, 0, 50, 10);
    f = readFrame(*device);
    EXPECT_TRUE(rgbNear(f.at(99, 5), 0xFFFFFFFFu));
    EXPECT_TRUE(rgbNear(f.at(100, 5), columnColour(100), 0));
}

TEST_F(TextureSurfaceTest, SurfaceFromPlainPictureAndFailures) {
    YString path = dir.file("bg.png");
    writeBytes(path, png(5, 7, [](int, int) { return 0xFF123456u; }));
    Surface surface;
    surface.load(path, device.get());
    EXPECT_EQ(surface.getWidth(), 5);
    EXPECT_EQ(surface.getHeight(), 7);

    Surface s;
    EXPECT_THROW(s.load(dir.file("none.ysf"), device.get()), veru::excp::FileNotFoundException);
    EXPECT_EQ(failureOf([&] { s.load(path, nullptr); }), u"バックバッファ取得失敗。");
    Bytes picture = png(2, 2, [](int, int) { return 0u; });
    // The area is capped as well as each side (16384 x 4097 is just above 64 Mi pixels):
    // a small file claiming a huge surface is refused before anything is allocated.
    for (auto [w, h] : {std::pair{0, 5}, std::pair{-3, 5}, std::pair{100000, 100000},
                        std::pair{16384, 16384}, std::pair{16384, 4097}}) {
        YString bad = container("bad.ysf", "ysf", 32, w, h, picture);
        EXPECT_EQ(failureOf([&] { s.load(bad, device.get()); }),
                  YString(u"Surface作成失敗。：").append(bad));
    }
    // A header that disagrees with the picture inside, larger or smaller.
    for (auto [w, h] : {std::pair{16384, 4096}, std::pair{3, 2}, std::pair{2, 1}}) {
        YString lying = container("lying.ysf", "ysf", 32, w, h, picture);
        EXPECT_EQ(failureOf([&] { s.load(lying, device.get()); }),
                  YString(u"Surface作成失敗。画像の大きさ（2×2）がファイルの記録（")
                      .append(w)
                      .append(u"×")
                      .append(h)
                      .append(u"）と合いません。：")
                      .append(lying));
    }
    YString junk = container("junk.ysf", "ysf", 32, 4, 4, Bytes(50, 1));
    EXPECT_EQ(failureOf([&] { s.load(junk, device.get()); }),
              YString(u"画像の読込みに失敗しました。：") + junk);
    EXPECT_EQ(s.getDeviceTexture(), nullptr);
}

// A surface in tiles copies any window exactly as one texture would: every
// pixel of the window from its place in the picture, whichever tiles it spans.
TEST_F(TextureSurfaceTest, ATiledSurfaceCopiesEveryWindowExactly) {
    veru::dxt::material::SurfacePicture picture;
    picture.width = 300;
    picture.height = 70;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            picture.pixels.push_back(0xFF000000u | static_cast<std::uint32_t>(x * 977 + y * 131));
    auto small = makeOffscreenDevice(100, 50);
    Surface one, tiled;
    one.create(picture, small.get());
    tiled.create(picture, small.get(), 64);
    EXPECT_EQ(one.getTileCount(), 1u);
    EXPECT_EQ(tiled.getTileCount(), 5u * 2u);  // 64-wide columns, 64-high rows
    veru::dxt::DirectGraphics graphics(small.get());
    for (int y : {0, 14, 20}) {
        for (int x = 0; x <= picture.width - 100; ++x) {
            small->clear(0xFF123456u);
            graphics.copySurfacePart(&tiled, x, y, 100, 50, 0, 0);
            Frame f = readFrame(*small);
            for (int row = 0; row < 50; ++row)
                for (int col = 0; col < 100; ++col)
                    ASSERT_EQ(f.at(col, row) & 0xFFFFFFu,
                              picture.pixels[(y + row) * picture.width + x + col] & 0xFFFFFFu)
                        << "window at " << x << ", " << y << ": pixel " << col << ", " << row;
        }
    }
    // Past the picture's edge nothing is drawn, as with one texture.
    small->clear(0xFF123456u);
    graphics.copySurfacePart(&tiled, 250, 40, 100, 50, 0, 0);
    Frame f = readFrame(*small);
    EXPECT_EQ(f.at(49, 29) & 0xFFFFFFu, picture.pixels[69 * 300 + 299] & 0xFFFFFFu);
    EXPECT_EQ(f.at(50, 0) & 0xFFFFFFu, 0x123456u);
    EXPECT_EQ(f.at(0, 30) & 0xFFFFFFu, 0x123456u);
}

// A streamed surface gives every window exactly the frame the whole surface
// gives, scrolling forward one column at a time as the stage does and
// jumping back, while only the tiles near the window stay on the device.
TEST_F(TextureSurfaceTest, AStreamedSurfaceReadAheadCopiesEveryWindowAsTheWholeOne) {
    veru::platform::Image image;
    image.width = 700;
    image.height = 70;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            image.pixels.push_back(0xFF000000u | static_cast<std::uint32_t>(x * 7919 ^ y * 3571));
    Bytes jpeg;
    ASSERT_TRUE(veru::platform::encodeJpeg(image, jpeg));  // halved colour: the hardest to cut
    YString path = container("back.ysf", "ysf", 24, 700, 70, jpeg);
    auto small = makeOffscreenDevice(100, 50);
    // The file is read ahead on a worker, as for a stage, and the load takes it.
    std::thread([&] {
        const veru::dxt::material::PreloadPass pass;
        Surface ahead;
        ahead.loadStreamed(path, nullptr, 64);
        EXPECT_FALSE(ahead.isStreamed());
    }).join();
    EXPECT_GT(veru::dxt::material::preloadedPictureBytes(), 0u);
    Surface whole, streamed;
    whole.load(path, small.get());
    streamed.loadStreamed(path, small.get(), 64);
    EXPECT_EQ(veru::dxt::material::preloadedPictureBytes(), 0u);
    ASSERT_TRUE(streamed.isStreamed());
    EXPECT_EQ(streamed.getTileCount(), 11u);
    EXPECT_EQ(streamed.getWidth(), 700);
    EXPECT_EQ(streamed.getHeight(), 70);
    veru::dxt::DirectGraphics graphics(small.get());
    auto expectSameWindow = [&](int x, int y) {
        small->clear(0xFF123456u);
        graphics.copySurfacePart(&whole, x, y, 100, 50, 0, 0);
        const Frame expected = readFrame(*small);
        small->clear(0xFF123456u);
        graphics.copySurfacePart(&streamed, x, y, 100, 50, 0, 0);
        const Frame got = readFrame(*small);
        ASSERT_EQ(got.pixels, expected.pixels) << "window at " << x << ", " << y;
        // The window covers at most three 64-wide tiles; one more is kept ahead.
        ASSERT_LE(streamed.getResidentTiles(), 4u) << "window at " << x;
    };
    expectSameWindow(0, 0);
    EXPECT_EQ(streamed.getStreamWaits(), 0u) << "the first tiles came decoded";
    for (int y : {0, 20}) {
        for (int x = 0; x <= 600; ++x)
            expectSameWindow(x, y);
        for (int x : {0, 333, 64, 650})  // back to freed tiles, and past the right edge
            expectSameWindow(x, y);
    }
    // The tiles read ahead were given to the stream with the same pixels its
    // worker decodes; a stream read without the worker's help shows the same.
    Surface fresh;
    fresh.loadStreamed(path, small.get(), 64);
    small->clear(0xFF123456u);
    graphics.copySurfacePart(&fresh, 0, 0, 100, 50, 0, 0);
    const Frame freshFrame = readFrame(*small);
    small->clear(0xFF123456u);
    graphics.copySurfacePart(&whole, 0, 0, 100, 50, 0, 0);
    EXPECT_EQ(freshFrame.pixels, readFrame(*small).pixels);
}

// A picture that cannot be streamed is loaded whole; one whose data proves
// broken only once decoded fails the copy that needs it, with the read's
// message, and copies nothing from then on.
TEST_F(TextureSurfaceTest, StreamingFallsBackOrFailsLikeALoad) {
    YString plain = dir.file("back.png");
    writeBytes(plain, png(300, 20, [](int x, int) { return columnColour(x); }));
    Surface surface;
    surface.loadStreamed(plain, device.get(), 64);
    EXPECT_FALSE(surface.isStreamed());
    EXPECT_EQ(surface.getTileCount(), 1u);

    veru::platform::Image image;
    image.width = 300;
    image.height = 20;
    image.pixels.assign(300u * 20u, 0xFF808080u);
    Bytes jpeg;
    ASSERT_TRUE(veru::platform::encodeJpeg(image, jpeg));
    YString cut = container("cut.ysf", "ysf", 24, 300, 20, Bytes(jpeg.begin(), jpeg.end() - 30));
    surface.loadStreamed(cut, device.get(), 64);
    ASSERT_TRUE(surface.isStreamed());
    veru::dxt::DirectGraphics graphics(device.get());
    EXPECT_EQ(failureOf([&] { graphics.copySurfacePart(&surface, 0, 0, 100, 20, 0, 0); }),
              YString(u"画像の読込みに失敗しました。：") + cut);
    EXPECT_EQ(failureOf([&] { graphics.copySurfacePart(&surface, 0, 0, 100, 20, 0, 0); }), u"");
    EXPECT_EQ(surface.getResidentTiles(), 0u);
    EXPECT_EQ(surface.getWidth(), 300);
}

TEST_F(TextureSurfaceTest, TexturesOutlivingTheirDeviceDrawNothing) {
    auto texture = solidTexture(device.get(), 4, 4, 0xFFFFFFFFu);
    device.reset();
    EXPECT_FALSE(texture->getDeviceTexture()->isValid());
}

// Pixels with every alpha, soft edges included.
std::vector<std::uint32_t> mottled(int w, int h, std::uint32_t seed) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<std::uint32_t>(i * 40503u + seed) * 2654435761u;
    }
    return pixels;
}

// A frame of a stage drawn on a device that keeps CPU copies of its
// pictures or not: a backdrop, sprites at their size and scaled, additive
// sparks over them, and a fade over everything. (Nothing turned: without a
// copy the software renderer turns with SDL's own copy, which rounds
// otherwise than the turned pictures it keeps.)
std::vector<std::uint32_t> stageFrame(bool copies, std::vector<std::uint32_t>* twinPixels) {
    auto device = makeOffscreenDevice(96, 64);
    device->setKeepsPixelCopies(copies);
    auto picture = [&](int w, int h, std::uint32_t seed) {
        auto texture = std::make_unique<Texture>();
        texture->createFromPixels(w, h, device.get(), mottled(w, h, seed).data());
        return texture;
    };
    auto backdrop = picture(96, 64, 1);
    auto sprite = picture(12, 10, 2);
    auto spark = picture(8, 8, 3);
    Texture fade;
    fade.createBlank(device.get(), 1, 1);
    veru::dxt::DirectGraphics graphics(device.get());
    device->clear(0xFF000000u);
    graphics.startSprite();
    graphics.setCentred(false);
    graphics.drawSprite(backdrop.get(), 0, 0);
    graphics.setCentred(true);
    graphics.drawSprite(sprite.get(), 20, 20);
    graphics.drawSprite(sprite.get(), 60, 30, 2.5f, 1.5f);
    sprite->setAlpha(128);
    graphics.drawSprite(sprite.get(), 40, 50, 0.5f, 0.75f);
    for (int i = 0; i < 6; ++i) {
        spark->setAlpha(80 + 30 * i);
        graphics.queueQuad(spark.get(), 10.0f + 14.0f * static_cast<float>(i), 25.0f,
                           1.0f + 0.4f * static_cast<float>(i), veru::dxt::BlendAdd);
    }
    graphics.flushQuads();
    fade.setAlpha(96);
    graphics.setCentred(false);
    graphics.drawSprite(&fade, 0, 0, 0, 96.0f, 64.0f, 0, 0, 0xFFFFFFFFu);
    graphics.endSprite();
    *twinPixels = device->texturePixels(*spark->getOpaqueTwin(device.get()));
    return readFrame(*device).pixels;
}

TEST_F(TextureSurfaceTest, PicturesWithoutACopyDrawAndGlowAsWithOne) {
    std::vector<std::uint32_t> twinFromCopy;
    std::vector<std::uint32_t> twinReadBack;
    const auto withCopies = stageFrame(true, &twinFromCopy);
    const auto withoutCopies = stageFrame(false, &twinReadBack);
    // The opaque twin read back from the device is the picture made opaque.
    auto expected = mottled(8, 8, 3);
    for (std::uint32_t& p : expected) {
        p |= 0xFF000000u;
    }
    EXPECT_TRUE(twinFromCopy == expected);
    EXPECT_TRUE(twinReadBack == expected);
    ASSERT_EQ(withCopies.size(), withoutCopies.size());
    for (std::size_t i = 0; i < withCopies.size(); ++i) {
        ASSERT_EQ(withCopies[i], withoutCopies[i]) << "pixel " << i % 96 << "," << i / 96;
    }

    // A picture whose device has gone has no twin, and draws nothing additive.
    auto gone = makeOffscreenDevice(8, 8);
    gone->setKeepsPixelCopies(false);
    auto orphan = solidTexture(gone.get(), 2, 2, 0xFF00FF00u);
    gone.reset();
    EXPECT_EQ(orphan->getOpaqueTwin(device.get()), nullptr);
}

// Textures loaded from one file share the decoded picture on the device;
// everything a texture changes stays its own, in the frame it draws too.
class TextureSharingTest : public TextureSurfaceTest {
  protected:
    void SetUp() override {
        TextureSurfaceTest::SetUp();
        path = dir.file("red.png");
        writeBytes(path, solidPng(16, 16, 0xFFFF0000u));
    }
    static Bytes solidPng(int w, int h, std::uint32_t argb) {
        return png(w, h, [argb](int, int) { return argb; });
    }

    std::unique_ptr<Texture> loaded(const YString& file, std::uint32_t key = 0) {
        auto texture = std::make_unique<Texture>();
        texture->load(file, device.get(), Color::fromPacked(key));
        return texture;
    }

    YString path;
};

TEST_F(TextureSharingTest, OneFileIsDecodedOnceWhileItsTexturesLive) {
    auto a = loaded(path);
    auto b = loaded(path);
    EXPECT_EQ(a->getDeviceTexture(), b->getDeviceTexture());
    EXPECT_EQ(device->getTextureCount(), 1u);
    EXPECT_EQ(b->getWidth(), 16);
    EXPECT_EQ(b->getHeight(), 16);
    // Another key makes other pixels: not the same picture.
    auto keyed = loaded(path, 0xFFFF0000u);
    EXPECT_NE(keyed->getDeviceTexture(), a->getDeviceTexture());
    EXPECT_EQ(keyed->getDeviceTexture()->getPixels()[0] >> 24, 0u);
    // A sheet cut from the shared picture changes nothing of the other texture.
    b->cutIntoCells(4, 8, 8);
    b->nextFrame();
    EXPECT_EQ(b->getFrame(), 1);
    EXPECT_FALSE(a->isSheet());
    EXPECT_EQ(a->getCellWidth(), 16);

    // The picture lives as long as its last user.
    a.reset();
    EXPECT_TRUE(b->getDeviceTexture()->isValid());
    b.reset();
    keyed.reset();
    EXPECT_EQ(device->getTextureCount(), 0u);
    EXPECT_EQ(veru::dxt::material::sharedPictureCount(), 0u);
    auto again = loaded(path);
    EXPECT_EQ(device->getTextureCount(), 1u);
}

TEST_F(TextureSharingTest, AFileReplacedOnDiskOrAnotherDeviceIsReadAgain) {
    auto before = loaded(path);
    std::filesystem::last_write_time(
        path.toUtf8(), std::filesystem::last_write_time(path.toUtf8()) - std::chrono::seconds(5));
    writeBytes(path, solidPng(8, 4, 0xFF0000FFu));
    auto after = loaded(path);
    EXPECT_NE(after->getDeviceTexture(), before->getDeviceTexture());
    EXPECT_EQ(after->getWidth(), 8);
    EXPECT_EQ(after->getDeviceTexture()->getPixels()[0], 0xFF0000FFu);
    EXPECT_EQ(before->getDeviceTexture()->getPixels()[0], 0xFFFF0000u);

    auto other = makeOffscreenDevice();
    Texture elsewhere;
    elsewhere.load(path, other.get());
    EXPECT_NE(elsewhere.getDeviceTexture(), after->getDeviceTexture());
    EXPECT_EQ(other->getTextureCount(), 1u);
    // A device gone takes its pictures along: a new load on a new device works.
    elsewhere.load(path, device.get());
    other.reset();
    auto third = makeOffscreenDevice();
    Texture fresh;
    fresh.load(path, third.get());
    EXPECT_TRUE(fresh.getDeviceTexture()->isValid());
}

TEST_F(TextureSharingTest, EachTextureDrawsWithItsOwnAlphaAndBlendInOneFrame) {
    auto opaque = loaded(path);
    auto faint = loaded(path);
    ASSERT_EQ(opaque->getDeviceTexture(), faint->getDeviceTexture());
    faint->setAlpha(64);
    veru::dxt::DirectGraphics graphics(device.get());
    device->clear(0xFF000000u);
    graphics.queueSprite(opaque.get(), 10, 10);
    graphics.queueSprite(faint.get(), 40, 10);
    // Additive quads of both, over white and over black, after the sprites.
    graphics.queueQuad(faint.get(), 70.0f, 10.0f, veru::dxt::BlendAdd);
    graphics.queueQuad(opaque.get(), 100.0f, 10.0f, veru::dxt::BlendAdd);
    graphics.queueSprite(opaque.get(), 130, 10);
    graphics.flushSprites(true, true);
    graphics.flushQuads();
    Frame f = readFrame(*device);
    const std::uint32_t quarterRed = 0xFF400000u;
    EXPECT_TRUE(rgbNear(f.at(18, 18), 0xFFFF0000u));
    EXPECT_TRUE(rgbNear(f.at(48, 18), quarterRed));
    EXPECT_TRUE(rgbNear(f.at(78, 18), quarterRed));
    EXPECT_TRUE(rgbNear(f.at(108, 18), 0xFFFF0000u));
    EXPECT_TRUE(rgbNear(f.at(138, 18), 0xFFFF0000u));
    // The additive twin is shared too, and each alpha still its own.
    EXPECT_EQ(opaque->getOpaqueTwin(device.get()), faint->getOpaqueTwin(device.get()));
    EXPECT_EQ(opaque->getAlpha(), 255);
    EXPECT_EQ(faint->getAlpha(), 64);
}

}  // namespace

// Pictures decoded on a worker ahead of their scene.
TEST_F(TextureSharingTest, APictureDecodedAheadIsUploadedAsTheFileReadNowWouldBe) {
    using namespace veru::dxt::material;
    const YString keyedCopy = dir.file("copy.png");
    writeBytes(keyedCopy, png(6, 3, [](int x, int) { return x < 3 ? 0xFF00FF00u : 0x80102030u; }));
    std::thread([&] {
        const PreloadPass pass;
        Texture ahead, again, sheet;
        ahead.load(keyedCopy, nullptr, Color::fromPacked(0xFF00FF00u));
        again.load(keyedCopy, nullptr, Color::fromPacked(0xFF00FF00u));  // decoded once
        sheet.loadSheet(path, nullptr, 4, 8, 8);
        EXPECT_EQ(ahead.getWidth(), 6);
        EXPECT_EQ(again.getHeight(), 3);
        EXPECT_EQ(sheet.getColumns(), 2);
        EXPECT_EQ(ahead.getDeviceTexture(), nullptr);
        Surface backdrop;
        backdrop.load(path, nullptr);  // kept apart from the texture of the same file
        EXPECT_EQ(backdrop.getWidth(), 0);
    }).join();
    EXPECT_EQ(device->getTextureCount(), 0u);
    EXPECT_EQ(preloadedPictureCount(), 3u);

    auto stored = loaded(keyedCopy, 0xFF00FF00u);
    EXPECT_EQ(preloadedPictureCount(), 2u);  // taken, not copied
    Surface ahead;
    ahead.load(path, device.get());
    EXPECT_EQ(preloadedPictureCount(), 1u);
    dropPreloadedPictures();
    Surface now;
    now.load(path, device.get());
    veru::dxt::DirectGraphics graphics(device.get());
    const auto drawn = [&](Surface& surface) {
        device->clear(0xFFFFFFFFu);
        graphics.copySurface(&surface);
        const Frame f = readFrame(*device);
        return std::vector{f.at(0, 0), f.at(15, 15), f.at(16, 16)};
    };
    EXPECT_EQ(ahead.getWidth(), 16);
    EXPECT_EQ(drawn(ahead), drawn(now));
    auto decodedNow = loaded(keyedCopy, 0xFF00FF01u);  // another key: decoded here
    const auto& a = stored->getDeviceTexture()->getPixels();
    const auto& b = decodedNow->getDeviceTexture()->getPixels();
    ASSERT_EQ(a.size(), 18u);
    EXPECT_EQ(a[0], 0u);  // the key's pixels turned transparent
    EXPECT_EQ(std::vector(a.begin() + 3, a.begin() + 6), std::vector(b.begin() + 3, b.begin() + 6));
}

TEST_F(TextureSharingTest, APassStoresNothingOfABrokenOrReplacedFileAndStopsWhenAsked) {
    using namespace veru::dxt::material;
    const YString junk = dir.file("junk.png");
    writeBytes(junk, Bytes{1, 2, 3, 4, 5});
    std::stop_source stop;
    std::thread([&] {
        const PreloadPass pass(stop.get_token());
        Texture broken, fine;
        EXPECT_THROW(broken.load(junk, nullptr), veru::excp::IOException);
        fine.load(path, nullptr);
        stop.request_stop();
        EXPECT_THROW(fine.load(path, nullptr), PreloadStopped);
    }).join();
    EXPECT_EQ(preloadedPictureCount(), 1u);
    // The file changes before its scene loads it: the new picture is read.
    std::filesystem::last_write_time(
        path.toUtf8(), std::filesystem::last_write_time(path.toUtf8()) - std::chrono::seconds(5));
    writeBytes(path, solidPng(8, 4, 0xFF0000FFu));
    auto now = loaded(path);
    EXPECT_EQ(now->getWidth(), 8);
    EXPECT_EQ(now->getDeviceTexture()->getPixels()[0], 0xFF0000FFu);
    EXPECT_EQ(preloadedPictureCount(), 1u);  // the stale one is left for the switch to drop
    dropPreloadedPictures();
    EXPECT_EQ(preloadedPictureCount(), 0u);
    EXPECT_EQ(preloadedPictureBytes(), 0u);
}

TEST_F(TextureSharingTest, APictureUploadedAheadIsTheOneItsLoadDrawsAndGoesWhenNotTaken) {
    using namespace veru::dxt::material;
    const YString unused = dir.file("blue.png");
    writeBytes(unused, solidPng(4, 4, 0xFF0000FFu));
    const auto readAhead = [&] {
        std::thread([&] {
            const PreloadPass pass;
            Texture red, blue;
            red.load(path, nullptr);
            blue.load(unused, nullptr);
            EXPECT_EQ(red.getWidth(), 16);
        }).join();
    };
    readAhead();
    // A frame's share of the uploads, one picture at a time.
    EXPECT_TRUE(uploadPreloadedPicture(device.get()));
    EXPECT_TRUE(uploadPreloadedPicture(device.get()));
    EXPECT_FALSE(uploadPreloadedPicture(device.get()));
    EXPECT_FALSE(uploadPreloadedPicture(nullptr));
    EXPECT_EQ(device->getTextureCount(), 2u);
    // Read ahead again, nothing is decoded twice.
    readAhead();
    EXPECT_EQ(preloadedPictureCount(), 0u);

    auto red = loaded(path);
    EXPECT_EQ(device->getTextureCount(), 2u);  // taken as uploaded
    veru::dxt::DirectGraphics graphics(device.get());
    device->clear(0xFFFFFFFFu);
    graphics.queueSprite(red.get(), 10, 10);
    graphics.flushSprites(true, true);
    const Frame f = readFrame(*device);
    EXPECT_TRUE(rgbNear(f.at(10, 10), 0xFFFF0000u));
    EXPECT_TRUE(rgbNear(f.at(25, 25), 0xFFFF0000u));
    EXPECT_TRUE(rgbNear(f.at(26, 26), 0xFFFFFFFFu));

    // The scene switch lets go: what no load took is freed, the rest stays.
    releaseUploadedPictures();
    dropPreloadedPictures();
    EXPECT_EQ(device->getTextureCount(), 1u);
    red.reset();
    EXPECT_EQ(device->getTextureCount(), 0u);
}
