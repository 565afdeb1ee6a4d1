// The scrolling background: loading and its size check, the window's edge
// rules, and what lands on the screen at a few scroll positions.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/graphics/DirectGraphics.h"
#include "engine/io/Scrambler.h"
#include "engine/material/ImageContainer.h"
#include "engine/material/Surface.h"
#include "engine/platform/image/Image.h"
#include "engine/platform/video/VideoDevice.h"
#include "game/shooting/cmp/ScrollBackground.h"
#include "tests/support/RecordingMessageSink.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TempDir.h"

namespace {

using namespace mirelune::test;
using ml::shooting::cmp::ScrollBackground;
using veru::YString;

// Every column of the picture has its own colour, so a frame read back
// tells which column of the picture landed where.
std::uint32_t columnColour(int x) {
    return 0xFF000000u | static_cast<std::uint32_t>(x & 0xFF) << 16 |
           static_cast<std::uint32_t>(x >> 8) << 8 | 0x40u;
}

Bytes flatJpeg(int w, int h) {
    veru::platform::Image image;
    image.width = w;
    image.height = h;
    image.pixels.assign(static_cast<std::size_t>(w) * h, 0xFF336699u);
    Bytes jpeg;
    EXPECT_TRUE(veru::platform::encodeJpeg(image, jpeg));
    return jpeg;
}

Bytes stripes(int w, int h) {
    veru::platform::Image image;
    image.width = w;
    image.height = h;
    image.hasAlpha = false;
    image.pixels.reserve(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            image.pixels.push_back(columnColour(x));
        }
    }
    Bytes out;
    EXPECT_TRUE(veru::platform::encodePng(image, out, false));
    return out;
}

class ScrollBackgroundTest : public ::testing::Test {
  protected:
    void SetUp() override {
        veru::io::registerGameFileKeys();
        std::string error;
        device = veru::platform::VideoDevice::create(nullptr, 800, 600, error);
        ASSERT_TRUE(device) << error;
    }

    // The stage's kind of file: a ".ysf" container of a w x h JPEG.
    YString container(const std::string& name, int w, int h, const Bytes& jpeg) {
        veru::dxt::material::ImageContainerHeader header;
        header.bitDepth = 24;
        header.width = w;
        header.height = h;
        YString path = dir.file(name);
        veru::dxt::material::writeImageContainer(path, "ysf", header, jpeg);
        return path;
    }

    YString picture(int w, int h) {
        YString path = dir.file("back_" + std::to_string(w) + "x" + std::to_string(h) + ".png");
        writeBytes(path, stripes(w, h));
        return path;
    }

    TempDir dir;
    RecordingMessageSink sink;
    std::unique_ptr<veru::platform::VideoDevice> device;
    ScrollBackground background{800, 480};
};

TEST_F(ScrollBackgroundTest, WidePictureStopsAtItsRightEndAfter1600Frames) {
    ASSERT_TRUE(background.read(device.get(), picture(2400, 480)));
    EXPECT_EQ(sink.count(), 0u);
    for (int frame = 1; frame < 1600; ++frame) {
        ASSERT_FALSE(background.scroll(1, 0)) << "frame " << frame;
    }
    EXPECT_FALSE(background.scroll(1, 0));  // frame 1600 reaches the end exactly
    EXPECT_EQ(background.getScrollX(), 1600);
    for (int frame = 0; frame < 5; ++frame) {
        EXPECT_TRUE(background.scroll(1, 0));
        EXPECT_EQ(background.getScrollX(), 1600);
    }
    EXPECT_EQ(background.getScrollY(), 0);
}

TEST_F(ScrollBackgroundTest, EdgesOnBothAxes) {
    ASSERT_TRUE(background.read(device.get(), picture(900, 500)));
    background.scroll(3, 0);
    EXPECT_TRUE(background.scroll(-5, 0));
    EXPECT_EQ(background.getScrollX(), 0);

    EXPECT_FALSE(background.scroll(0, 20));
    EXPECT_TRUE(background.scroll(0, 1));
    EXPECT_EQ(background.getScrollY(), 20);
    EXPECT_TRUE(background.scroll(0, -50));
    EXPECT_EQ(background.getScrollY(), 0);

    // An edge on the y axis is reported even when x moved freely.
    EXPECT_TRUE(background.scroll(10, -1));
    EXPECT_EQ(background.getScrollX(), 10);
    EXPECT_TRUE(background.scroll(500, 0));
    EXPECT_EQ(background.getScrollX(), 100);
}

TEST_F(ScrollBackgroundTest, PictureOfTheWindowsSizeNeverMoves) {
    ASSERT_TRUE(background.read(device.get(), picture(800, 480)));
    for (int frame = 0; frame < 3; ++frame) {
        EXPECT_TRUE(background.scroll(1, 0));
        EXPECT_EQ(background.getScrollX(), 0);
    }
}

TEST_F(ScrollBackgroundTest, SmallPictureIsKeptButReportedWithItsSize) {
    const YString small = picture(640, 480);
    EXPECT_FALSE(background.read(device.get(), small));
    ASSERT_EQ(sink.count(), 1u);
    const RecordedMessage box = sink.messages()[0];
    EXPECT_EQ(box.kind, veru::awt::MessageKind::error);
    EXPECT_EQ(box.caption, YString(u"ScrollBackground::read"));
    EXPECT_EQ(box.text, YString(u"読み込んだイメージの大きさが適切でありません。：")
                            .append(small)
                            .append(u"\n(幅, 高さ) = (640, 480)"));
    EXPECT_EQ(background.getSurface()->getWidth(), 640);

    // Too narrow and too low: the window stays at the origin, never negative.
    EXPECT_TRUE(background.scroll(1, 1));
    EXPECT_EQ(background.getScrollX(), 0);
    EXPECT_EQ(background.getScrollY(), 0);

    const YString low = picture(800, 479);
    EXPECT_FALSE(background.read(device.get(), low));
    EXPECT_EQ(sink.messages().back().text,
              YString(u"読み込んだイメージの大きさが適切でありません。：")
                  .append(low)
                  .append(u"\n(幅, 高さ) = (800, 479)"));
}

TEST_F(ScrollBackgroundTest, MissingOrBrokenFileShowsTheLoadersMessage) {
    EXPECT_FALSE(background.read(device.get(), dir.file("img/none.ysf")));
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_EQ(sink.messages()[0].caption, YString(u"ScrollBackground::read"));
    EXPECT_FALSE(sink.messages()[0].text.empty());

    YString cut = dir.file("cut.ysf");
    writeBytes(cut, Bytes{1, 2, 3});
    EXPECT_FALSE(background.read(device.get(), cut));
    EXPECT_EQ(sink.count(), 2u);

    // Without a picture the window has nowhere to go, and drawing copies nothing.
    EXPECT_TRUE(background.scroll(1, 0));
    EXPECT_EQ(background.getScrollX(), 0);
    veru::dxt::DirectGraphics graphics(device.get());
    background.draw(graphics);
}

TEST_F(ScrollBackgroundTest, ReadsTheStagesContainer) {
    EXPECT_TRUE(
        background.read(device.get(), container("stage_back.ysf", 1000, 480, flatJpeg(1000, 480))));
    EXPECT_EQ(sink.count(), 0u);
    EXPECT_EQ(background.getSurface()->getWidth(), 1000);
}

// The stage's own backdrop, scrolled through a column a frame as a play
// does: the streamed window is the picture's, pixel for pixel, wherever the
// window meets a tile's edge and at every few columns between, and the
// tiles the window has passed are freed.
TEST_F(ScrollBackgroundTest, TheStagesBackdropStreamsExactlyAcrossThePlay) {
    const Bytes jpeg =
        readBytes(YString::fromUtf8(MIRELUNE_ASSETS_DIR "/img/stage_trial_back.jpg"));
    veru::platform::Image picture;
    ASSERT_TRUE(veru::platform::decodeImage(jpeg, picture));
    ASSERT_TRUE(background.read(device.get(),
                                container("stage_back.ysf", picture.width, picture.height, jpeg)));
    veru::dxt::material::Surface* surface = background.getSurface();
    ASSERT_TRUE(surface->isStreamed());
    veru::dxt::DirectGraphics graphics(device.get());
    const int tile = veru::dxt::material::Surface::kStreamTile;
    const int last = picture.width - 800;
    for (int x = 0; x <= last; ++x, background.scroll(1, 0)) {
        ASSERT_EQ(background.getScrollX(), x);
        background.draw(graphics);
        // Three tiles at most under the window, and one ahead.
        ASSERT_LE(surface->getResidentTiles(), 4u) << "scroll " << x;
        const int intoTile = x % tile, rightIntoTile = (x + 800) % tile;
        if (x % 97 != 0 && intoTile > 1 && intoTile < tile - 1 && rightIntoTile > 1 &&
            rightIntoTile < tile - 1 && x != last)
            continue;
        const Frame frame = readFrame(device.get());
        for (int y = 0; y < 480; ++y) {
            const std::uint32_t* got = &frame.pixels[static_cast<std::size_t>(y) * 800];
            const std::uint32_t* want =
                &picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
            ASSERT_EQ(std::memcmp(got, want, 800 * 4), 0) << "scroll " << x << ", row " << y;
        }
    }
    EXPECT_EQ(sink.count(), 0u);
}

// Data broken past a readable header shows the read's box from the first draw
// that needs it, once; the stage goes on without its backdrop.
TEST_F(ScrollBackgroundTest, ABackdropBrokenInsideShowsTheReadBoxOnce) {
    Bytes jpeg = flatJpeg(2000, 480);
    jpeg.resize(jpeg.size() / 2);
    const YString path = container("broken_back.ysf", 2000, 480, jpeg);
    EXPECT_TRUE(background.read(device.get(), path));
    veru::dxt::DirectGraphics graphics(device.get());
    for (int frame = 0; frame < 3; ++frame) {
        background.draw(graphics);
        background.scroll(1, 0);
    }
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_EQ(sink.messages()[0].caption, YString(u"ScrollBackground::read"));
    EXPECT_EQ(sink.messages()[0].text, YString(u"画像の読込みに失敗しました。：") + path);
    EXPECT_EQ(background.getScrollX(), 3);
}

TEST_F(ScrollBackgroundTest, CopiesTheWindowToTheTopLeftCorner) {
    ASSERT_TRUE(background.read(device.get(), picture(2400, 480)));
    veru::dxt::DirectGraphics graphics(device.get());
    for (int position : {0, 100, 1600}) {
        while (background.getScrollX() < position) {
            background.scroll(1, 0);
        }
        device->fillRect({0, 0, 800, 600}, 0xFF000000u);
        background.draw(graphics);
        const Frame frame = readFrame(device.get());
        ASSERT_EQ(frame.width, 800);
        for (int x : {0, 1, 399, 799}) {
            EXPECT_EQ(frame.at(x, 0) & 0xFFFFFF, columnColour(position + x) & 0xFFFFFF)
                << "scroll " << position << ", x " << x;
            EXPECT_EQ(frame.at(x, 479) & 0xFFFFFF, columnColour(position + x) & 0xFFFFFF);
        }
        // The information area below the field is left alone.
        EXPECT_EQ(frame.at(10, 480) & 0xFFFFFF, 0u);
    }
}

}  // namespace
