// The column stream: its tiles hold the whole decode's pixels, only the
// wanted ones are decoded and held, and a broken file fails its tiles
// without an exception on the worker.
#include <gtest/gtest.h>

#include "engine/material/ColumnStream.h"
#include "engine/platform/image/Image.h"

namespace {

using veru::dxt::material::ColumnStream;
using Bytes = std::vector<std::uint8_t>;
using Pixels = std::vector<std::uint32_t>;

veru::platform::Image busyPicture(int w, int h) {
    veru::platform::Image image;
    image.width = w;
    image.height = h;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.pixels.push_back(0xFF000000u | static_cast<std::uint32_t>(x * 7919 ^ y * 104729));
    return image;
}

Bytes jpegOf(const veru::platform::Image& image) {
    Bytes file;
    EXPECT_TRUE(veru::platform::encodeJpeg(image, file));
    return file;
}

// Columns left .. left + width - 1 of a decoded picture.
Pixels columnsOf(const veru::platform::Image& image, int left, int width) {
    Pixels out;
    for (int y = 0; y < image.height; ++y) {
        const auto row = image.pixels.begin() + static_cast<std::ptrdiff_t>(y) * image.width;
        out.insert(out.end(), row + left, row + left + width);
    }
    return out;
}

class ColumnStreamTest : public ::testing::Test {
  protected:
    void SetUp() override {
        file = jpegOf(busyPicture(300, 20));
        ASSERT_TRUE(veru::platform::decodeImage(file, whole));
    }
    Bytes file;
    veru::platform::Image whole;
};

TEST_F(ColumnStreamTest, TilesHoldTheWholeDecodesColumns) {
    ColumnStream stream(file, 300, 20, 64);
    ASSERT_EQ(stream.getTileCount(), 5);
    EXPECT_EQ(stream.tileLeft(4), 256);
    EXPECT_EQ(stream.tileColumns(4), 44);  // the last one is narrower
    stream.want(0, 4);
    Pixels pixels;
    for (int tile = 0; tile < 5; ++tile) {
        ASSERT_EQ(stream.take(tile, true, pixels), ColumnStream::Result::ready) << tile;
        EXPECT_EQ(pixels, columnsOf(whole, stream.tileLeft(tile), stream.tileColumns(tile)));
    }
    // A tile taken stays the caller's until let go; then it is decoded anew.
    EXPECT_EQ(stream.take(2, true, pixels), ColumnStream::Result::notYet);
    stream.letGo(2);
    ASSERT_EQ(stream.take(2, true, pixels), ColumnStream::Result::ready);
    EXPECT_EQ(pixels, columnsOf(whole, 128, 64));
    EXPECT_EQ(stream.take(5, true, pixels), ColumnStream::Result::failed);
    EXPECT_EQ(stream.take(-1, false, pixels), ColumnStream::Result::failed);
}

TEST_F(ColumnStreamTest, OnlyTheWantedTilesAreDecodedAndHeld) {
    ColumnStream stream(file, 300, 20, 64);
    stream.want(1, 3);
    Pixels pixels;
    // Never a wait for a tile nobody wants: it would never come.
    EXPECT_EQ(stream.take(0, true, pixels), ColumnStream::Result::notYet);
    EXPECT_EQ(stream.take(4, true, pixels), ColumnStream::Result::notYet);
    // The wanted ones come lowest first: once tile 3 is here, so are 1 and 2.
    ASSERT_EQ(stream.take(3, true, pixels), ColumnStream::Result::ready);
    EXPECT_EQ(stream.getReadyTiles(), 2);
    // Moving on lets go of the decoded tiles left behind.
    stream.want(2, 3);
    EXPECT_EQ(stream.getReadyTiles(), 1);
    stream.want(2, 4);
    ASSERT_EQ(stream.take(4, true, pixels), ColumnStream::Result::ready);
    EXPECT_EQ(pixels, columnsOf(whole, 256, 44));
    stream.want(0, -1);
    EXPECT_EQ(stream.getReadyTiles(), 0);
}

TEST_F(ColumnStreamTest, ABrokenFileFailsItsTilesAndTheWorkerStopsCleanly) {
    ColumnStream cut(Bytes(file.begin(), file.end() - 60), 300, 20, 64);
    cut.want(0, 4);
    Pixels pixels;
    EXPECT_EQ(cut.take(0, true, pixels), ColumnStream::Result::failed);
    EXPECT_EQ(cut.take(4, true, pixels), ColumnStream::Result::failed);
    ColumnStream junk(Bytes(500, 0x55), 300, 20, 64);
    junk.want(0, 0);
    EXPECT_EQ(junk.take(0, true, pixels), ColumnStream::Result::failed);
    // A file whose size is not the one given is refused too, not misread.
    ColumnStream lying(file, 300, 21, 64);
    lying.want(0, 0);
    EXPECT_EQ(lying.take(0, true, pixels), ColumnStream::Result::failed);
    // Destroyed while its worker decodes: the destructor waits for it.
    ColumnStream busy(jpegOf(busyPicture(2000, 200)), 2000, 200, 1000);
    busy.want(0, 1);
}

}  // namespace
