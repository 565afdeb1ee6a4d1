// Text rendered into textures, and text measuring.
#include <gtest/gtest.h>

#include <set>

#include "engine/graphics/DirectGraphics.h"
#include "engine/graphics/FontSpec.h"
#include "engine/graphics/TextMeasurer.h"
#include "engine/platform/video/DeviceTexture.h"
#include "tests/engine/graphics/DrawingTestSupport.h"

namespace {

using namespace mirelune::test;
using veru::dxt::DirectGraphics;
using veru::dxt::FontSpec;
using veru::dxt::material::Texture;

class TextPictureTest : public ::testing::Test {
  protected:
    void SetUp() override { device = makeOffscreenDevice(); }
    std::unique_ptr<veru::platform::VideoDevice> device;
    FontSpec spec{u"ＭＳ ゴシック", 23};
};

TEST_F(TextPictureTest, LinesStackWithTheGapBetweenThem) {
    Texture texture;
    ASSERT_TRUE(DirectGraphics::drawAntiAliasingString(device.get(), &texture, u"あいう\nABCD",
                                                       spec, 0xFFFFFFFFu, 4));
    EXPECT_EQ(texture.getHeight(), 50);
    // Full-width characters advance by the size, half-width ones by half.
    EXPECT_EQ(texture.getWidth(), 3 * 23);

    Texture single;
    ASSERT_TRUE(DirectGraphics::drawAntiAliasingString(device.get(), &single, u"ABCDEFGH", spec,
                                                       0xFFFFFFFFu, 4));
    EXPECT_EQ(single.getHeight(), 23);
    int half = veru::dxt::TextMeasurer(spec).textWidth(u"A");
    EXPECT_TRUE(half == 11 || half == 12) << half;
    EXPECT_EQ(single.getWidth(), 8 * half);
}

TEST_F(TextPictureTest, NothingIsMadeForEmptyTextOrATransparentColour) {
    Texture texture;
    EXPECT_FALSE(
        DirectGraphics::drawAntiAliasingString(device.get(), &texture, u"", spec, 0xFFFFFFFFu, 0));
    EXPECT_FALSE(DirectGraphics::drawAntiAliasingString(device.get(), &texture, u"あ", spec,
                                                        0x00FFFFFFu, 0));
    EXPECT_EQ(texture.getDeviceTexture(), nullptr);
    EXPECT_EQ(texture.getWidth(), 0);
}

TEST_F(TextPictureTest, PixelsUseTheColourAndSeventeenGreyLevels) {
    Texture texture;
    ASSERT_TRUE(DirectGraphics::drawAntiAliasingString(device.get(), &texture, u"あ　漢 字", spec,
                                                       0xC0204060u, 0));
    // Each grey level L of 1..15 gives trunc(A / 255 * (L * 255 >> 4)); 16 gives A.
    std::set<std::uint32_t> allowed{0};
    for (int level = 1; level <= 15; ++level) {
        allowed.insert(static_cast<std::uint32_t>(192.0 / 255.0 * ((level * 255) >> 4)));
    }
    allowed.insert(192);
    const auto& pixels = texture.getDeviceTexture()->getPixels();
    int covered = 0;
    for (std::uint32_t p : pixels) {
        std::uint32_t alpha = p >> 24;
        EXPECT_TRUE(allowed.count(alpha)) << alpha;
        if (alpha != 0) {
            EXPECT_EQ(p & 0xFFFFFFu, 0x204060u);
            ++covered;
        }
    }
    EXPECT_GT(covered, 50);
    // The ideographic space (second cell) stays empty.
    int width = texture.getWidth();
    for (int y = 0; y < texture.getHeight(); ++y) {
        for (int x = 23; x < 46; ++x) {
            EXPECT_EQ(pixels[y * width + x], 0u);
        }
    }
}

TEST_F(TextPictureTest, MeasurerAgreesWithThePicture) {
    veru::dxt::TextMeasurer measurer(spec);
    EXPECT_EQ(measurer.lineHeight(), 23);
    EXPECT_EQ(measurer.textWidth(u"あいうAB"), 3 * 23 + 2 * measurer.textWidth(u"A"));
    EXPECT_EQ(measurer.textWidth(u""), 0);
    // Every face name the game uses finds a Japanese face.
    for (const char16_t* face : {u"HGｺﾞｼｯｸM", u"default", u"ＭＳ ゴシック"}) {
        EXPECT_EQ(veru::dxt::TextMeasurer(FontSpec(face, 30)).textWidth(u"あ"), 30)
            << veru::YString(face).toUtf8();
    }
}

}  // namespace
