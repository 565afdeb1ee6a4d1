// The scrolling background: loading and its size check, the window's edge
// rules, and what lands on the screen at a few scroll positions.
#include <gtest/gtest.h>

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
    EXPECT_FALSE(background.read(device.get(), picture(640, 480)));
    ASSERT_EQ(sink.count(), 1u);
    const RecordedMessage box = sink.messages()[0];
    EXPECT_EQ(box.kind, veru::awt::MessageKind::error);
    EXPECT_EQ(box.caption, YString(u"ScrollBackground::read"));
    EXPECT_EQ(box.text,
              YString(u"読み込んだイメージの大きさが適切でありません。\n(幅, 高さ) = (640, 480)"));
    EXPECT_EQ(background.getSurface()->getWidth(), 640);

    // Too narrow and too low: the window stays at the origin, never negative.
    EXPECT_TRUE(background.scroll(1, 1));
    EXPECT_EQ(background.getScrollX(), 0);
    EXPECT_EQ(background.getScrollY(), 0);

    EXPECT_FALSE(background.read(device.get(), picture(800, 479)));
    EXPECT_EQ(sink.messages().back().text,
              YString(u"読み込んだイメージの大きさが適切でありません。\n(幅, 高さ) = (800, 479)"));
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
    veru::dxt::material::ImageContainerHeader header;
    header.bitDepth = 24;
    header.width = 1000;
    header.height = 480;
    veru::platform::Image image;
    image.width = 1000;
    image.height = 480;
    image.pixels.assign(1000u * 480u, 0xFF336699u);
    Bytes jpeg;
    ASSERT_TRUE(veru::platform::encodeJpeg(image, jpeg));
    YString path = dir.file("stage_back.ysf");
    veru::dxt::material::writeImageContainer(path, "ysf", header, jpeg);
    EXPECT_TRUE(background.read(device.get(), path));
    EXPECT_EQ(sink.count(), 0u);
    EXPECT_EQ(background.getSurface()->getWidth(), 1000);
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
