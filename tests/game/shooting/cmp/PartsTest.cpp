// Captions, the score display, the icon counter and the boss face.
#include <gtest/gtest.h>

#include <climits>

#include "game/shooting/cmp/AlphaParts.h"
#include "game/shooting/cmp/BossFace.h"
#include "game/shooting/cmp/IconCounter.h"
#include "game/shooting/cmp/ScoreDisplay.h"
#include "tests/game/shooting/cmp/HudTestSupport.h"

namespace {

using namespace mirelune::test;
using ml::shooting::cmp::AlphaParts;
using ml::shooting::cmp::BossFace;
using ml::shooting::cmp::IconCounter;
using ml::shooting::cmp::ScoreDisplay;

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kGreen = 0xFF00FF00u;

using PartsTest = HudTest;

TEST_F(PartsTest, CaptionFadesInHoldsStaysUntilToldAndFadesOut) {
    writePicture(u"img/caption.ytx", 100, 40, kWhite);
    AlphaParts caption(400, 220, 8, 3, 30);
    caption.load(device.get(), u"img/caption.ytx");
    EXPECT_TRUE(caption.isHidden());
    EXPECT_FALSE(caption.update());
    Frame f = render([&](auto& g) { caption.draw(g); });
    EXPECT_TRUE(rgbNear(f.at(400, 220), kBlack));

    caption.startFadeIn();
    for (int i = 0; i < 16; ++i) {
        EXPECT_FALSE(caption.update());
    }
    // Half way in: alpha 128 over black.
    f = render([&](auto& g) { caption.draw(g); });
    EXPECT_TRUE(rgbNear(f.at(400, 220), 0xFF808080u, 3));
    for (int i = 16; i < 32; ++i) {
        EXPECT_FALSE(caption.update());
    }
    EXPECT_EQ(caption.getPhase(), AlphaParts::kPhaseHolding);
    for (int i = 1; i < 30; ++i) {
        EXPECT_FALSE(caption.update());
    }
    EXPECT_FALSE(caption.update());  // the 30th frame of the hold ends it
    EXPECT_EQ(caption.getPhase(), AlphaParts::kPhaseShown);
    for (int i = 0; i < 200; ++i) {
        ASSERT_TRUE(caption.update());
    }
    f = render([&](auto& g) { caption.draw(g); });
    EXPECT_TRUE(rgbNear(f.at(351, 201), kWhite));
    EXPECT_TRUE(rgbNear(f.at(349, 220), kBlack));

    caption.startFadeOut();
    int updates = 0;
    while (!caption.isHidden()) {
        EXPECT_FALSE(caption.update());
        ASSERT_LT(++updates, 1000);
    }
    EXPECT_EQ(updates, 86);
    f = render([&](auto& g) { caption.draw(g); });
    EXPECT_TRUE(rgbNear(f.at(400, 220), kBlack));
}

TEST_F(PartsTest, ScoreCountsUpInThirtySecondsOfTheDistance) {
    ScoreDisplay score;
    score.setValue(0);
    EXPECT_EQ(score.getText(), veru::YString(u"00000000"));
    score.setTarget(5000);
    EXPECT_EQ(score.getStep(), 156);
    for (int i = 1; i <= 32; ++i) {
        score.update();
        ASSERT_EQ(score.getShown(), 156 * i);
    }
    score.update();  // the 33rd is capped at the target
    EXPECT_EQ(score.getShown(), 5000);
    EXPECT_EQ(score.getText(), veru::YString(u"00005000"));
    score.update();
    EXPECT_EQ(score.getShown(), 5000);

    // A small gain counts one point per update.
    score.addPoints(10);
    EXPECT_EQ(score.getStep(), 1);
    for (int i = 0; i < 10; ++i) {
        score.update();
    }
    EXPECT_EQ(score.getShown(), 5010);

    // Past the largest int the target stops there and the count does not wrap.
    score.setValue(INT_MAX - 5);
    score.addPoints(100);
    EXPECT_EQ(score.getTarget(), INT_MAX);
    for (int i = 0; i < 10; ++i) {
        score.update();
        ASSERT_GE(score.getShown(), INT_MAX - 5);
    }
    EXPECT_EQ(score.getShown(), INT_MAX);
}

TEST_F(PartsTest, ScoreTextHasEightDigitsAndMoreWhenNeeded) {
    EXPECT_EQ(ScoreDisplay::digitsOf(0), veru::YString(u"00000000"));
    EXPECT_EQ(ScoreDisplay::digitsOf(9), veru::YString(u"00000009"));
    EXPECT_EQ(ScoreDisplay::digitsOf(10), veru::YString(u"00000010"));
    EXPECT_EQ(ScoreDisplay::digitsOf(99999999), veru::YString(u"99999999"));
    EXPECT_EQ(ScoreDisplay::digitsOf(100000000), veru::YString(u"100000000"));
    EXPECT_EQ(ScoreDisplay::digitsOf(1234567890), veru::YString(u"1234567890"));
}

TEST_F(PartsTest, ScoreDrawsLabelThenDigitsTenPixelsApart) {
    ScoreDisplay score;
    score.setLabel(u"Score-");
    ASSERT_TRUE(score.load(device.get()));
    score.setValue(88888888);
    int labelWidth = score.width() - 80;
    EXPECT_GT(labelWidth, 30);
    score.setPosition(100, 10);
    graphics->setCentred(true);
    Frame f = render([&](auto& g) {
        score.draw(g);
        // The display leaves the context as it found it.
        EXPECT_TRUE(g.isCentred());
    });
    EXPECT_GT(f.brightness(100, 10, labelWidth, 15), 10.0);
    for (int i = 0; i < 8; ++i) {
        EXPECT_GT(f.brightness(100 + labelWidth + 10 * i, 10, 10, 15), 10.0) << i;
    }
    // Nothing beyond the eighth digit, nothing above the top edge.
    EXPECT_EQ(f.brightness(100 + labelWidth + 80 + 2, 0, 100, 40), 0.0);
    EXPECT_EQ(f.brightness(0, 0, 800, 10), 0.0);

    // A damaged negative value draws its digits and no crash.
    score.setValue(-5);
    f = render([&](auto& g) { score.draw(g); });
    EXPECT_GT(f.brightness(100, 10, labelWidth + 90, 15), 0.0);
}

TEST_F(PartsTest, IconRowGrowsToTheLeftOfItsReference) {
    writePicture(u"img/chance.ytx", 20, 10, kGreen);
    IconCounter lives;
    lives.load(device.get(), u"img/chance.ytx", 300, 495);
    EXPECT_EQ(lives.getIconHeight(), 10);
    for (int none : {0, -1}) {
        Frame f = render([&](auto& g) { lives.draw(g, none); });
        EXPECT_EQ(f.brightness(0, 0, 800, 600), 0.0);
    }

    Frame f = render([&](auto& g) { lives.draw(g, 3); });
    EXPECT_EQ(span(f, 500, kGreen), std::make_pair(240, 299));
    EXPECT_TRUE(rgbNear(f.at(299, 495), kGreen));
    EXPECT_TRUE(rgbNear(f.at(299, 494), kBlack));
    f = render([&](auto& g) { lives.draw(g, 2); });
    EXPECT_EQ(span(f, 500, kGreen), std::make_pair(260, 299));
}

TEST_F(PartsTest, BossFaceArrivesWithItsRightEdgeOnTheScreenEdge) {
    writePicture(u"img/face200.ytx", 200, 100, kGreen);
    BossFace face(800, 480);
    face.load(device.get(), u"img/face200.ytx");
    EXPECT_EQ(face.getX(), 900);
    EXPECT_EQ(face.getY(), 530);
    for (int i = 1; i <= 25; ++i) {
        ASSERT_FALSE(face.update()) << i;
    }
    EXPECT_TRUE(face.update());  // the 26th
    EXPECT_TRUE(face.update());
    EXPECT_EQ(face.getX(), 700);
    Frame f = render([&](auto& g) { face.draw(g); });
    EXPECT_EQ(span(f, 530, kGreen), std::make_pair(600, 799));
    EXPECT_TRUE(rgbNear(f.at(700, 480), kGreen));
    EXPECT_TRUE(rgbNear(f.at(700, 479), kBlack));
}

TEST_F(PartsTest, BossFaceOfAnyWidthArrives) {
    writePicture(u"img/face204.ytx", 204, 100, kGreen);
    BossFace face(800, 480);
    face.load(device.get(), u"img/face204.ytx");
    int updates = 1;
    while (!face.update()) {
        ASSERT_LT(++updates, 1000);
    }
    EXPECT_EQ(updates, 27);  // 25 steps of 8, one of 4
    EXPECT_EQ(face.getMoved(), 204);
    Frame f = render([&](auto& g) { face.draw(g); });
    EXPECT_EQ(span(f, 530, kGreen), std::make_pair(596, 799));

    // Without a picture there is nothing to wait for.
    BossFace none(800, 480);
    EXPECT_TRUE(none.update());
}

}  // namespace
