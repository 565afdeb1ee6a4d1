// Sprites and quads drawn on an off-screen device and read back.
#include <gtest/gtest.h>

#include "engine/effects/Particle.h"
#include "engine/exceptions/NullPointerException.h"
#include "engine/graphics/BlendMode.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/material/SpriteNotBeginException.h"
#include "tests/engine/graphics/DrawingTestSupport.h"
#include "tests/support/RecordingMessageSink.h"

namespace {

using namespace mirelune::test;
using veru::dxt::DirectGraphics;
using veru::dxt::material::Texture;

constexpr std::uint32_t kBackground = 0xFF000000u;
constexpr std::uint32_t kRed = 0xFFFF0000u;
constexpr std::uint32_t kBlue = 0xFF0000FFu;

class DrawingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        device = makeOffscreenDevice();
        ASSERT_TRUE(device);
        graphics = std::make_unique<DirectGraphics>(device.get());
        device->clear(kBackground);
    }

    // A 32 x 8 bar: red on the left half, blue on the right.
    std::unique_ptr<Texture> bar() {
        std::vector<std::uint32_t> pixels(32 * 8);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 32; ++x) {
                pixels[y * 32 + x] = x < 16 ? kRed : kBlue;
            }
        }
        auto texture = std::make_unique<Texture>();
        EXPECT_TRUE(texture->createFromPixels(32, 8, device.get(), pixels.data()));
        return texture;
    }

    RecordingMessageSink sink;
    std::unique_ptr<veru::platform::VideoDevice> device;
    std::unique_ptr<DirectGraphics> graphics;
};

TEST_F(DrawingTest, CentredScaledSpriteCoversItsCentreSquare) {
    auto texture = solidTexture(device.get(), 32, 32, kRed);
    graphics->setCentred(true);
    graphics->startSprite();
    graphics->drawSprite(texture.get(), 100, 100, 2.0f, 2.0f);
    graphics->endSprite();
    Frame f = readFrame(*device);
    EXPECT_TRUE(rgbNear(f.at(68, 68), kRed));
    EXPECT_TRUE(rgbNear(f.at(131, 131), kRed));
    EXPECT_TRUE(rgbNear(f.at(100, 100), kRed));
    EXPECT_TRUE(rgbNear(f.at(67, 100), kBackground));
    EXPECT_TRUE(rgbNear(f.at(132, 100), kBackground));
    EXPECT_TRUE(rgbNear(f.at(100, 67), kBackground));
    EXPECT_TRUE(rgbNear(f.at(100, 132), kBackground));
}

TEST_F(DrawingTest, UncentredSpritePutsItsTopLeftCornerOnThePosition) {
    auto texture = solidTexture(device.get(), 16, 16, kRed);
    graphics->startSprite();
    graphics->drawSprite(texture.get(), 40, 50);
    graphics->endSprite();
    Frame f = readFrame(*device);
    EXPECT_TRUE(rgbNear(f.at(40, 50), kRed));
    EXPECT_TRUE(rgbNear(f.at(55, 65), kRed));
    EXPECT_TRUE(rgbNear(f.at(39, 50), kBackground));
    EXPECT_TRUE(rgbNear(f.at(56, 65), kBackground));
}

TEST_F(DrawingTest, SpritesTurnCounterClockwiseAndQuadsClockwise) {
    auto texture = bar();
    graphics->setCentred(true);
    graphics->startSprite();
    graphics->drawSprite(texture.get(), 90, 100, 100, 1.0f, 1.0f, 16, 4, 0xFFFFFFFFu);
    graphics->endSprite();
    graphics->drawQuad(texture.get(), 300.0f, 100.0f, 1.0f, 1.0f, 90, veru::dxt::BlendAlphaPoint);
    Frame f = readFrame(*device);
    // Sprite: the right (blue) half now points up.
    EXPECT_TRUE(rgbNear(f.at(100, 90), kBlue));
    EXPECT_TRUE(rgbNear(f.at(100, 110), kRed));
    // Quad: the right half points down.
    EXPECT_TRUE(rgbNear(f.at(300, 110), kBlue));
    EXPECT_TRUE(rgbNear(f.at(300, 90), kRed));
}

TEST_F(DrawingTest, EquivalentAnglesDrawTheSamePicture) {
    auto texture = bar();
    graphics->setCentred(true);
    auto drawAt = [&](int angle) {
        device->clear(kBackground);
        graphics->startSprite();
        graphics->drawSprite(texture.get(), angle, 100, 100, 1.0f, 1.0f, 16, 4, 0xFFFFFFFFu);
        graphics->endSprite();
        return readFrame(*device).pixels;
    };
    EXPECT_EQ(drawAt(360), drawAt(0));
    EXPECT_EQ(drawAt(-90), drawAt(270));
}

TEST_F(DrawingTest, TextureAlphaReplacesTheColourAlpha) {
    auto white = solidTexture(device.get(), 8, 8, 0xFFFFFFFFu);
    graphics->startSprite();
    white->setAlpha(128);
    graphics->drawSprite(white.get(), 0, 10, 10, 1.0f, 1.0f, 4, 4, 0xFFFFFFFFu);
    graphics->drawSprite(white.get(), 0, 30, 10, 1.0f, 1.0f, 4, 4, 0x20FFFFFFu);
    white->setAlpha(255);
    graphics->drawSprite(white.get(), 0, 50, 10, 1.0f, 1.0f, 4, 4, 0x80FFFFFFu);
    graphics->drawSprite(white.get(), 0, 70, 10, 1.0f, 1.0f, 4, 4, 0xFFFFFFFFu);
    graphics->endSprite();
    Frame f = readFrame(*device);
    EXPECT_TRUE(rgbNear(f.at(12, 12), 0xFF808080u));
    EXPECT_TRUE(rgbNear(f.at(32, 12), 0xFF808080u));  // 128 wins over the colour's 0x20
    EXPECT_TRUE(rgbNear(f.at(52, 12), 0xFF808080u));  // the colour's own alpha applies
    EXPECT_TRUE(rgbNear(f.at(72, 12), 0xFFFFFFFFu));
}

TEST_F(DrawingTest, QuadBlendModes) {
    device->clear(0xFF404040u);
    auto halfRed = solidTexture(device.get(), 16, 16, 0x80FF0000u);
    graphics->drawQuad(halfRed.get(), 0.0f, 0.0f, 1.0f, 1.0f, 0, veru::dxt::BlendAlphaSmooth);
    graphics->drawQuad(halfRed.get(), 20.0f, 0.0f, 1.0f, 1.0f, 0, veru::dxt::BlendAlphaPoint);
    graphics->drawQuad(halfRed.get(), 40.0f, 0.0f, 1.0f, 1.0f, 0, veru::dxt::BlendAdd);
    graphics->drawQuad(halfRed.get(), 60.0f, 0.0f, 1.0f, 1.0f, 0, veru::dxt::BlendAlphaModulate);
    graphics->drawQuad(halfRed.get(), 80.0f, 0.0f, 1.0f, 1.0f, 0, 12345);  // opaque
    halfRed->setAlpha(0);
    graphics->drawQuad(halfRed.get(), 100.0f, 0.0f, 1.0f, 1.0f, 0, 12345);
    Frame f = readFrame(*device);
    const std::uint32_t blended = 0xFFA02020u;  // 0.5 * red + 0.5 * 0x40
    EXPECT_TRUE(rgbNear(f.at(8, 8), blended));
    EXPECT_TRUE(rgbNear(f.at(28, 8), blended));
    EXPECT_TRUE(rgbNear(f.at(48, 8), 0xFFFF4040u));  // additive: the texel's alpha is ignored
    EXPECT_TRUE(rgbNear(f.at(68, 8), blended));
    EXPECT_TRUE(rgbNear(f.at(88, 8), kRed));
    EXPECT_TRUE(rgbNear(f.at(108, 8), 0xFF404040u));  // alpha 0 draws nothing
}

TEST_F(DrawingTest, AdditiveQuadsAddTheTexelColourWhateverItsAlpha) {
    device->clear(0xFF404040u);
    auto clearRed = solidTexture(device.get(), 8, 8, 0x00FF0000u);
    auto halfGreen = solidTexture(device.get(), 8, 8, 0x8000FF00u);
    graphics->drawQuad(clearRed.get(), 0.0f, 0.0f, 1.0f, 1.0f, 0, veru::dxt::BlendAdd);
    graphics->drawQuad(halfGreen.get(), 20.0f, 0.0f, 1.0f, 1.0f, 30, veru::dxt::BlendAdd);
    halfGreen->setAlpha(128);  // the quad's own alpha still counts
    graphics->drawQuad(halfGreen.get(), 40.0f, 0.0f, 1.0f, 1.0f, 0, veru::dxt::BlendAdd);
    // Other modes still take the texel's alpha.
    graphics->drawQuad(clearRed.get(), 60.0f, 0.0f, 1.0f, 1.0f, 0, veru::dxt::BlendAlphaPoint);
    Frame f = readFrame(*device);
    EXPECT_TRUE(rgbNear(f.at(4, 4), 0xFFFF4040u));
    EXPECT_TRUE(rgbNear(f.at(24, 5), 0xFF40FF40u));
    EXPECT_TRUE(rgbNear(f.at(44, 4), 0xFF40C040u));
    EXPECT_TRUE(rgbNear(f.at(64, 4), 0xFF404040u));
}

TEST_F(DrawingTest, TurnedAndMirroredSpritesAndQuadsLandWhereTheirCornersSay) {
    auto texture = bar();  // red on the left, blue on the right, 32 x 8
    graphics->setCentred(true);
    graphics->startSprite();
    // 45 degrees counter-clockwise: the blue end points up and to the right.
    graphics->drawSprite(texture.get(), 45, 100, 100, 1.0f, 1.0f, 16, 4, 0xFFFFFFFFu);
    // Mirrored by a negative scale: blue on the left.
    graphics->drawSprite(texture.get(), 0, 200, 100, -1.0f, 1.0f, 16, 4, 0xFFFFFFFFu);
    // Mirrored and turned a quarter: blue points down.
    graphics->drawSprite(texture.get(), 90, 300, 100, -1.0f, 1.0f, 16, 4, 0xFFFFFFFFu);
    graphics->endSprite();
    // A quad turned 45 degrees clockwise: blue down and to the right.
    graphics->drawQuad(texture.get(), 100.0f, 200.0f, 1.0f, 1.0f, 45, veru::dxt::BlendAlphaPoint);
    // A mirrored quad: blue on the left.
    graphics->drawQuad(texture.get(), 200.0f, 200.0f, -1.0f, 1.0f, 0, veru::dxt::BlendAlphaPoint);
    // An opaque turned quad paints its picture (its clear texels too) only,
    // not the box around it.
    auto grey = solidTexture(device.get(), 40, 40, 0xFF808080u);
    graphics->drawQuad(grey.get(), 300.0f, 200.0f, 1.0f, 1.0f, 0, veru::dxt::BlendOpaque);
    auto white = solidTexture(device.get(), 20, 20, 0x00FFFFFFu);
    graphics->drawQuad(white.get(), 300.0f, 200.0f, 1.0f, 1.0f, 45, veru::dxt::BlendOpaque);
    Frame f = readFrame(*device);
    EXPECT_TRUE(rgbNear(f.at(109, 91), kBlue));
    EXPECT_TRUE(rgbNear(f.at(91, 109), kRed));
    EXPECT_TRUE(rgbNear(f.at(109, 109), kBackground));
    EXPECT_TRUE(rgbNear(f.at(190, 100), kBlue));
    EXPECT_TRUE(rgbNear(f.at(210, 100), kRed));
    EXPECT_TRUE(rgbNear(f.at(300, 110), kBlue));
    EXPECT_TRUE(rgbNear(f.at(300, 90), kRed));
    EXPECT_TRUE(rgbNear(f.at(109, 209), kBlue));
    EXPECT_TRUE(rgbNear(f.at(91, 191), kRed));
    EXPECT_TRUE(rgbNear(f.at(190, 202), kBlue));
    EXPECT_TRUE(rgbNear(f.at(210, 202), kRed));
    EXPECT_TRUE(rgbNear(f.at(300, 212), 0xFFFFFFFFu));
    // Corners of the box around the turned square, outside the square itself.
    EXPECT_TRUE(rgbNear(f.at(311, 211), 0xFF808080u));
    EXPECT_TRUE(rgbNear(f.at(289, 189), 0xFF808080u));
}

TEST_F(DrawingTest, QuadSpansOnePixelLessThanItsCell) {
    auto texture = solidTexture(device.get(), 32, 32, kRed);
    graphics->drawQuad(texture.get(), 10.0f, 10.0f, 1.0f, 1.0f, 0, 0);
    graphics->setCentred(true);
    graphics->drawQuad(texture.get(), 200.0f, 200.0f, 1.0f, 1.0f, 0, 0);
    Frame f = readFrame(*device);
    EXPECT_TRUE(rgbNear(f.at(10, 20), kBackground));
    EXPECT_TRUE(rgbNear(f.at(11, 11), kRed));
    EXPECT_TRUE(rgbNear(f.at(41, 41), kRed));
    EXPECT_TRUE(rgbNear(f.at(42, 20), kBackground));
    // Centred: from 200 - 16 + 1 to 200 + 16.
    EXPECT_TRUE(rgbNear(f.at(184, 200), kBackground));
    EXPECT_TRUE(rgbNear(f.at(185, 200), kRed));
    EXPECT_TRUE(rgbNear(f.at(215, 200), kRed));
    EXPECT_TRUE(rgbNear(f.at(216, 200), kBackground));
}

TEST_F(DrawingTest, QueuesDrawInOrderAndEmpty) {
    auto red = solidTexture(device.get(), 16, 16, kRed);
    auto blue = solidTexture(device.get(), 16, 16, kBlue);
    graphics->queueSprite(red.get(), 10, 10);
    graphics->queueSprite(blue.get(), 10, 10);
    graphics->queueQuad(blue.get(), 100.0f, 10.0f, 0);
    graphics->queueQuad(red.get(), 100.0f, 10.0f, 0);
    // Records keep the centring of the moment they were queued.
    graphics->setCentred(true);
    graphics->queueSprite(red.get(), 300, 300);
    graphics->setCentred(false);
    EXPECT_EQ(graphics->queuedSprites(), 3u);
    graphics->flushSprites(true, true);
    graphics->flushQuads();
    EXPECT_EQ(graphics->queuedSprites(), 0u);
    EXPECT_EQ(graphics->queuedQuads(), 0u);
    EXPECT_FALSE(graphics->isSpriteBegun());
    Frame f = readFrame(*device);
    EXPECT_TRUE(rgbNear(f.at(15, 15), kBlue));
    EXPECT_TRUE(rgbNear(f.at(108, 18), kRed));
    EXPECT_TRUE(rgbNear(f.at(293, 293), kRed));
    EXPECT_TRUE(rgbNear(f.at(309, 309), kBackground));
}

TEST_F(DrawingTest, WhatIsQueuedLaterCoversWhatWasQueuedEarlierWhateverItsKind) {
    auto red = solidTexture(device.get(), 16, 16, kRed);
    auto blue = solidTexture(device.get(), 16, 16, kBlue);
    auto white = solidTexture(device.get(), 8, 8, 0xFFFFFFFFu);
    graphics->queueSprite(red.get(), 0, 0);
    graphics->queueQuad(blue.get(), -1.0f, -1.0f, veru::dxt::BlendOpaque);  // covers the sprite
    graphics->queueSprite(white.get(), 4, 4);                               // over the quad
    // A shade queued last covers both kinds, as a pause shade covers the field.
    auto shade = solidTexture(device.get(), 4, 4, 0xFF00FF00u);
    graphics->queueSprite(shade.get(), 100, 100);
    graphics->queueQuad(red.get(), 99.0f, 99.0f, veru::dxt::BlendOpaque);
    graphics->queueSprite(shade.get(), 104, 104);
    EXPECT_EQ(graphics->queuedSprites(), 4u);
    EXPECT_EQ(graphics->queuedQuads(), 2u);
    graphics->flushSprites(true, true);
    EXPECT_EQ(graphics->queuedQuads(), 0u);
    graphics->flushQuads();  // nothing left: draws nothing more
    Frame f = readFrame(*device);
    EXPECT_TRUE(rgbNear(f.at(2, 2), kBlue));
    EXPECT_TRUE(rgbNear(f.at(6, 6), 0xFFFFFFFFu));
    EXPECT_TRUE(rgbNear(f.at(14, 14), kBlue));
    EXPECT_TRUE(rgbNear(f.at(101, 101), kRed));
    EXPECT_TRUE(rgbNear(f.at(106, 106), 0xFF00FF00u));
}

TEST_F(DrawingTest, QueuedDrawsKeepTheAlphaAndCellTheyWereQueuedWith) {
    auto white = solidTexture(device.get(), 8, 8, 0xFFFFFFFFu);
    white->setAlpha(50);
    graphics->queueSprite(white.get(), 0, 0);
    white->setAlpha(255);  // set back before the flush
    graphics->queueSprite(white.get(), 20, 0);
    // A particle drawing with the shared texture leaves its alpha as it was.
    veru::dxt::effect2D::Particle particle(10, 1.0f);
    particle.setTexture(white.get());
    particle.launch(0, 0, 0, 0, 44, 4);
    particle.alpha = 64;
    particle.blend = veru::dxt::BlendAlphaPoint;
    graphics->setCentred(true);
    particle.draw(*graphics);
    graphics->setCentred(false);
    EXPECT_EQ(white->getAlpha(), 255);
    graphics->queueSprite(white.get(), 60, 0);
    white->setAlpha(100);
    graphics->queueQuad(white.get(), 79.0f, -1.0f, veru::dxt::BlendAlphaPoint);
    white->setAlpha(200);
    // A sheet's cell as it was when queued, for sprites and quads alike.
    auto sheet = bar();  // two 16 x 8 cells: red, blue
    sheet->cutIntoCells(2, 16, 8);
    graphics->queueSprite(sheet.get(), 0, 40);
    graphics->queueQuad(sheet.get(), 39.0f, 39.0f, veru::dxt::BlendAlphaPoint);
    sheet->nextFrame();
    graphics->queueSprite(sheet.get(), 80, 40);
    graphics->queueQuad(sheet.get(), 119.0f, 39.0f, veru::dxt::BlendAlphaPoint);
    sheet->nextFrame();
    graphics->flushSprites(true, true);
    EXPECT_EQ(white->getAlpha(), 200);  // the flush left it as it found it
    Frame f = readFrame(*device);
    EXPECT_TRUE(rgbNear(f.at(4, 4), 0xFF323232u));
    EXPECT_TRUE(rgbNear(f.at(24, 4), 0xFFFFFFFFu));
    EXPECT_TRUE(rgbNear(f.at(44, 4), 0xFF404040u));
    EXPECT_TRUE(rgbNear(f.at(64, 4), 0xFFFFFFFFu));
    EXPECT_TRUE(rgbNear(f.at(84, 4), 0xFF646464u));
    for (int x : {2, 8, 14}) {
        EXPECT_TRUE(rgbNear(f.at(x, 44), kRed));
        EXPECT_TRUE(rgbNear(f.at(40 + x, 44), kRed));
        EXPECT_TRUE(rgbNear(f.at(80 + x, 44), kBlue));
        EXPECT_TRUE(rgbNear(f.at(120 + x, 44), kBlue));
    }
}

TEST_F(DrawingTest, QuadOfASheetWhoseWidthIsNoWholeNumberOfCellsShowsOneCell) {
    // 50 pixels wide in cells of 20: two whole cells (red, blue) and a green remainder.
    std::vector<std::uint32_t> pixels(50 * 10);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 50; ++x) {
            pixels[y * 50 + x] = x < 20 ? kRed : x < 40 ? kBlue : 0xFF00FF00u;
        }
    }
    Texture sheet;
    ASSERT_TRUE(sheet.createFromPixels(50, 10, device.get(), pixels.data()));
    sheet.cutIntoCells(2, 20, 10);
    sheet.nextFrame();
    graphics->drawQuad(&sheet, 99.0f, 99.0f, 1.0f, 1.0f, 0, veru::dxt::BlendAlphaPoint);
    graphics->startSprite();
    graphics->drawSprite(&sheet, 100, 200);
    graphics->endSprite();
    Frame f = readFrame(*device);
    for (int x : {101, 110, 118}) {
        EXPECT_TRUE(rgbNear(f.at(x, 105), kBlue)) << x;
        EXPECT_TRUE(rgbNear(f.at(x, 205), kBlue)) << x;
    }
}

TEST_F(DrawingTest, SpriteDrawsNeedABegunBatchAndATexture) {
    auto texture = solidTexture(device.get(), 4, 4, kRed);
    EXPECT_THROW(graphics->drawSprite(texture.get(), 0, 0),
                 veru::dxt::material::SpriteNotBeginException);
    graphics->queueSprite(texture.get(), 0, 0);
    EXPECT_THROW(graphics->flushSprites(false, false),
                 veru::dxt::material::SpriteNotBeginException);
    graphics->startSprite();
    EXPECT_THROW(graphics->drawSprite(nullptr, 0, 0), veru::excp::NullPointerException);
    EXPECT_THROW(graphics->queueQuad(nullptr, 0.0f, 0.0f, 0), veru::excp::NullPointerException);
}

TEST_F(DrawingTest, WithoutADeviceNothingIsDrawnAndTheFailureIsShown) {
    DirectGraphics none(nullptr);
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_EQ(sink.messages()[0].text, u"バックバッファ取得失敗。");
    EXPECT_EQ(sink.messages()[0].caption, u"DirectGraphics.DirectGraphics()");
    none.startSprite();
    EXPECT_FALSE(none.isSpriteBegun());
    EXPECT_EQ(sink.messages()[1].caption, u"DirectGraphics::startSprite()");
}

TEST_F(DrawingTest, ScaledSpriteStretchesThePicture) {
    std::vector<std::uint32_t> pixels(4 * 2);
    for (int i = 0; i < 8; ++i) {
        pixels[i] = i % 4 < 2 ? kRed : kBlue;
    }
    Texture sheet;
    ASSERT_TRUE(sheet.createFromPixels(4, 2, device.get(), pixels.data()));
    graphics->startSprite();
    graphics->drawSprite(&sheet, 0, 0, 10.0f, 10.0f);
    graphics->endSprite();
    Frame f = readFrame(*device);
    EXPECT_TRUE(rgbNear(f.at(5, 5), kRed));
    EXPECT_TRUE(rgbNear(f.at(35, 15), kBlue));
}

}  // namespace
