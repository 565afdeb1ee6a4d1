// The fade layer every scene fades with: its timing and what it leaves on
// the screen.
#include <gtest/gtest.h>

#include "engine/graphics/DirectGraphics.h"
#include "engine/graphics/FadeLayer.h"
#include "tests/engine/graphics/DrawingTestSupport.h"

namespace {

using namespace mirelune::test;
using veru::dxt::FadeLayer;

// Frames until advance() reports the end, with the alphas seen before it.
int framesToEnd(FadeLayer& fade, std::vector<int>& alphas) {
    int frames = 0;
    while (frames < 1000) {
        ++frames;
        if (fade.advance())
            return frames;
        alphas.push_back(fade.getAlpha());
    }
    return frames;
}

TEST(FadeLayerTest, FadesRunTheirStepsAndStayAtTheirEnd) {
    FadeLayer fade;
    fade.startIn(5);
    EXPECT_EQ(fade.getAlpha(), 255);  // black before the first frame
    std::vector<int> alphas;
    EXPECT_EQ(framesToEnd(fade, alphas), 52);  // 5, 10 ... 255 shown, 260 ends
    ASSERT_EQ(alphas.size(), 51u);
    EXPECT_EQ(alphas.front(), 250);
    EXPECT_EQ(alphas.back(), 0);
    EXPECT_TRUE(fade.advance());  // an ended fade stays ended and clear
    EXPECT_EQ(fade.getAlpha(), 0);

    fade.startOut(10);
    EXPECT_EQ(fade.getAlpha(), 0);
    alphas.clear();
    EXPECT_EQ(framesToEnd(fade, alphas), 26);
    EXPECT_EQ(alphas.back(), 250);
    EXPECT_EQ(fade.getAlpha(), 255);  // and a finished fade-out stays black
    EXPECT_EQ(fade.getCount(), 255);

    fade.setAlpha(300);
    EXPECT_EQ(fade.getAlpha(), 255);
    fade.setAlpha(-4);
    EXPECT_EQ(fade.getAlpha(), 0);
    fade.startIn(3);  // a new fade takes over from a set alpha
    EXPECT_EQ(fade.getAlpha(), 255);
}

TEST(FadeLayerTest, DarkensTheWholeScreenByItsAlpha) {
    auto device = makeOffscreenDevice(64, 48);
    ASSERT_TRUE(device);
    veru::dxt::DirectGraphics graphics(device.get());
    FadeLayer fade;
    auto shade = [&](int alpha, bool queued) {
        device->clear(0xFFFFFFFFu);
        fade.setAlpha(alpha);
        graphics.startSprite();
        if (queued) {
            fade.queue(graphics, 64, 48);
            graphics.flushSprites(false, false);
        } else {
            fade.draw(graphics, 64, 48);
        }
        graphics.endSprite();
        return readFrame(*device);
    };
    // Before create there is nothing to draw: the screen stays as it was.
    EXPECT_NEAR(shade(255, false).brightness(0, 0, 64, 48), 255, 1);
    fade.create(device.get());
    for (bool queued : {false, true}) {
        EXPECT_NEAR(shade(0, queued).brightness(0, 0, 64, 48), 255, 1) << queued;
        const Frame half = shade(128, queued);
        EXPECT_NEAR(half.brightness(0, 0, 64, 48), 127, 3) << queued;
        EXPECT_TRUE(rgbNear(half.at(63, 47), half.at(0, 0))) << queued;  // corner to corner
        EXPECT_NEAR(shade(255, queued).brightness(0, 0, 64, 48), 0, 1) << queued;
    }
    fade.release();
    EXPECT_FALSE(fade.isCreated());
}

}  // namespace
