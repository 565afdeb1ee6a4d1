// Talk portraits sliding, speaking and leaving; talk boxes fading, waiting
// for the confirm button and fitting their text.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/core/Language.h"
#include "engine/material/Texture.h"
#include "game/shooting/cmp/TalkBox.h"
#include "game/shooting/cmp/TalkPortrait.h"
#include "tests/game/shooting/cmp/HudTestSupport.h"

namespace {

using namespace mirelune::test;
using ml::shooting::cmp::TalkBox;
using ml::shooting::cmp::TalkPortrait;
using veru::dxt::material::Texture;

constexpr std::uint32_t kGreen = 0xFF00FF00u;
constexpr std::uint32_t kPaper = 0xFFF0F0F0u;

class TalkTest : public HudTest {
  protected:
    void SetUp() override {
        HudTest::SetUp();
        writePicture(u"img/narrow.ytx", 200, 300, kGreen);
        writePicture(u"img/wide.ytx", 300, 300, kGreen);
        writePicture(u"img/player_ta.ytx", 400, 200, kPaper);
        writePicture(u"img/enemy_ta.ytx", 400, 200, kPaper);
        narrow.load(u"img/narrow.ytx", device.get());
        wide.load(u"img/wide.ytx", device.get());
    }

    // Updates until `portrait` reaches `state`; the count, or -1 after 1000.
    static int updatesUntil(TalkPortrait& portrait, int state) {
        for (int i = 1; i <= 1000; ++i) {
            portrait.update();
            if (portrait.getState() == state) {
                return i;
            }
        }
        return -1;
    }

    Texture narrow;
    Texture wide;
};

TEST_F(TalkTest, PortraitSlidesInOverFiftyUpdatesToItsPlace) {
    TalkPortrait left(800, 600, true);
    left.setPicture(&narrow);
    left.setVisible(true);
    left.slideIn();
    EXPECT_EQ(left.drawX(), -100);  // just outside the left edge
    EXPECT_EQ(updatesUntil(left, TalkPortrait::STATE_LISTENING), 50);
    EXPECT_EQ(left.drawX(), 150);
    EXPECT_EQ(left.drawY(), 160);
    Frame f = render([&](auto& g) { left.draw(g); });
    // Listening: alpha 205, picture top 10 pixels down.
    EXPECT_EQ(span(f, 160, 0xFF00CD00u), std::make_pair(50, 249));
    EXPECT_TRUE(rgbNear(f.at(150, 10), 0xFF00CD00u));
    EXPECT_TRUE(rgbNear(f.at(150, 9), kBlack));

    TalkPortrait right(800, 600, false);
    right.setPicture(&narrow);
    right.slideIn();
    EXPECT_EQ(right.drawX(), 900);
    EXPECT_EQ(updatesUntil(right, TalkPortrait::STATE_LISTENING), 50);
    EXPECT_EQ(right.drawX(), 650);
}

TEST_F(TalkTest, SpeakerStandsHigherNearerAndBrighter) {
    TalkPortrait left(800, 600, true);
    left.setPicture(&narrow);
    left.slideIn();
    updatesUntil(left, TalkPortrait::STATE_LISTENING);
    left.setSpeaking(true);
    EXPECT_EQ(updatesUntil(left, TalkPortrait::STATE_SPEAKING), 5);
    EXPECT_EQ(left.getAlpha(), 255);
    EXPECT_EQ(left.drawX(), 160);
    EXPECT_EQ(left.drawY(), 150);
    Frame f = render([&](auto& g) { left.draw(g); });
    EXPECT_EQ(span(f, 150, kGreen), std::make_pair(60, 259));

    left.setSpeaking(false);
    EXPECT_EQ(updatesUntil(left, TalkPortrait::STATE_LISTENING), 5);
    EXPECT_EQ(left.getAlpha(), TalkPortrait::kListeningAlpha);
    EXPECT_EQ(left.drawX(), 150);
}

TEST_F(TalkTest, WidePortraitSlidesAsTwoHundredFiftySixAndDrawsUnshifted) {
    TalkPortrait left(800, 600, true);
    left.setPicture(&wide);
    EXPECT_TRUE(left.isWide());
    EXPECT_EQ(left.getHalfWidth(), 128);
    left.slideIn();
    // ceil((160 + 128 - 10) / 5)
    EXPECT_EQ(updatesUntil(left, TalkPortrait::STATE_LISTENING), 56);
    EXPECT_EQ(left.drawX(), 22);
    Frame f = render([&](auto& g) { left.draw(g); });
    EXPECT_EQ(span(f, 160, 0xFF00CD00u), std::make_pair(0, 171));
}

TEST_F(TalkTest, RoleAskedForWhileSlidingInIsTakenOnArrival) {
    // Told to listen while sliding in: it keeps sliding, at the same pace.
    TalkPortrait listener(800, 600, true);
    listener.setPicture(&narrow);
    listener.slideIn();
    for (int i = 0; i < 20; ++i) {
        listener.update();
    }
    listener.setSpeaking(false);
    EXPECT_EQ(listener.getState(), TalkPortrait::STATE_SLIDING_IN);
    EXPECT_EQ(listener.getCounter(), 100);
    EXPECT_EQ(updatesUntil(listener, TalkPortrait::STATE_LISTENING), 30);

    // Told to speak while sliding in: it becomes the speaker when it arrives,
    // so its talk box is not skipped.
    TalkPortrait speaker(800, 600, false);
    speaker.setPicture(&wide);
    speaker.slideIn();
    speaker.update();
    speaker.setSpeaking(true);
    EXPECT_EQ(updatesUntil(speaker, TalkPortrait::STATE_BECOMING_SPEAKER), 55);
    EXPECT_EQ(updatesUntil(speaker, TalkPortrait::STATE_SPEAKING), 5);

    // A fast entry ends speaking.
    TalkPortrait fast(800, 600, true);
    fast.setPicture(&narrow);
    fast.enterFast();
    EXPECT_TRUE(fast.isVisible());
    EXPECT_EQ(updatesUntil(fast, TalkPortrait::STATE_SPEAKING), 13);  // ceil(260 / 20)
    EXPECT_EQ(fast.drawX(), 160);
}

TEST_F(TalkTest, SpeakerDimsBeforeSlidingOutAndReportsTheEndOnce) {
    TalkPortrait left(800, 600, true);
    left.setPicture(&narrow);
    left.setVisible(true);
    left.enterFast();
    updatesUntil(left, TalkPortrait::STATE_SPEAKING);
    left.leave();
    EXPECT_EQ(left.getState(), TalkPortrait::STATE_BECOMING_LISTENER);
    int done = 0;
    int updates = 0;
    while (left.getState() != TalkPortrait::STATE_ABSENT && updates < 1000) {
        done += left.update() ? 1 : 0;
        ++updates;
    }
    EXPECT_EQ(updates, 5 + 84);  // dim, then ceil(250 / 3) to slide out
    EXPECT_EQ(done, 1);
    EXPECT_FALSE(left.isVisible());
    Frame f = render([&](auto& g) { left.draw(g); });
    EXPECT_EQ(f.brightness(0, 0, 800, 600), 0.0);

    // Cleared, or never given a picture: nothing to wait for.
    left.clear();
    EXPECT_EQ(left.getPicture(), nullptr);
    EXPECT_TRUE(left.update());
}

TEST_F(TalkTest, BoxesStandOnTheirSidesOfTheView) {
    TalkBox player(device.get(), 800, 480, true);
    EXPECT_EQ(player.getBoxX(), 500);
    EXPECT_EQ(player.getBoxY(), 370);
    EXPECT_EQ(player.getTextX(), 320);
    EXPECT_EQ(player.getTextY(), 328);
    TalkBox other(device.get(), 800, 480, false);
    EXPECT_EQ(other.getBoxX(), 300);
    EXPECT_EQ(other.getTextX(), 120);
}

TEST_F(TalkTest, PlusSignsBreakLines) {
    TalkBox box(device.get(), 800, 480, true);
    box.setText(u"あいう+えお+かき");
    EXPECT_EQ(box.getShownText(), veru::YString(u"あいう\nえお\nかき"));
    ASSERT_NE(box.getTextTexture(), nullptr);
    EXPECT_EQ(box.getTextTexture()->getHeight(), 3 * 24 + 2 * 5);
    EXPECT_EQ(box.getTextTexture()->getWidth(), 3 * 24);
    while (box.getState() == TalkBox::STATE_FADING_IN) {
        box.update(0);
    }
    Frame f = render([&](auto& g) { box.draw(g); });
    // Dark text on the paper in three bands from y = 328, nothing below them.
    EXPECT_LT(f.brightness(320, 328, 72, 24), 230.0);
    EXPECT_LT(f.brightness(320, 357, 48, 24), 230.0);
    EXPECT_LT(f.brightness(320, 386, 48, 24), 230.0);
    EXPECT_NEAR(f.brightness(320, 412, 72, 24), 240.0, 1.0);
    EXPECT_TRUE(rgbNear(f.at(340, 412), kPaper));
    EXPECT_TRUE(rgbNear(f.at(310, 340), kPaper));
}

TEST_F(TalkTest, EnglishBreaksLinesBetweenWordsOnly) {
    veru::setCurrentLanguage(veru::Language::english);
    TalkBox box(device.get(), 800, 480, true);
    veru::setCurrentLanguage(veru::Language::japanese);
    const std::u16string text = u"These kintsuba are a gift for our master, kee! Hands off+them!";
    box.setText(text);
    std::u16string shown = box.getShownText();
    EXPECT_GE(std::count(shown.begin(), shown.end(), u'\n'), 2);
    // Every break stands where a space or a "+" was: joining the lines back
    // with them gives the text again.
    std::u16string joined;
    std::size_t at = 0;
    for (char16_t c : shown) {
        if (c == u'\n') {
            ASSERT_LT(at, text.size());
            EXPECT_TRUE(text[at] == u' ' || text[at] == u'+') << "a word was cut at " << at;
            joined += text[at++];
        } else {
            joined += c;
            ++at;
        }
    }
    EXPECT_EQ(joined, text);
}

TEST_F(TalkTest, ConfirmHeldWhileFadingInIsTakenOnTheFirstWaitingUpdate) {
    TalkBox box(device.get(), 800, 480, false);
    box.setText(u"はい");
    EXPECT_EQ(box.getState(), TalkBox::STATE_FADING_IN);
    for (int i = 1; i <= 9; ++i) {
        EXPECT_FALSE(box.update(kShootButton));
    }
    EXPECT_EQ(box.getState(), TalkBox::STATE_WAITING);
    EXPECT_FALSE(box.update(kShootButton));
    EXPECT_EQ(box.getState(), TalkBox::STATE_FADING_OUT);
    for (int i = 1; i < 9; ++i) {
        EXPECT_FALSE(box.update(0));
    }
    EXPECT_TRUE(box.update(0));
    EXPECT_TRUE(box.isIdle());

    // Other buttons do not confirm.
    box.setText(u"いいえ");
    for (int i = 0; i < 20; ++i) {
        box.update(kSpecialButton | 0x3);
    }
    EXPECT_EQ(box.getState(), TalkBox::STATE_WAITING);
}

TEST_F(TalkTest, TextLongerThanTheBalloonIsCutAtItsEdges) {
    TalkBox box(device.get(), 800, 480, true);
    std::u16string line(200, u'あ');
    std::u16string text = line;
    for (int i = 0; i < 30; ++i) {
        text += u"+" + line;
    }
    box.setText(text);
    ASSERT_NE(box.getTextTexture(), nullptr);
    // From x = 320 to 20 pixels before the balloon's right edge (700): 15 characters;
    // from y = 328 to its bottom (470): 5 lines.
    const veru::YString& shown = box.getShownText();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), u'\n'), 4);
    EXPECT_EQ(box.getTextTexture()->getWidth(), 15 * 24);
    EXPECT_EQ(box.getTextTexture()->getHeight(), 5 * 24 + 4 * 5);

    // Only line breaks, or nothing: no picture, the box stays idle.
    box.setText(u"+++");
    EXPECT_TRUE(box.isIdle());
    EXPECT_EQ(box.getTextTexture(), nullptr);
    box.setText(u"");
    EXPECT_TRUE(box.update(kShootButton));
    Frame f = render([&](auto& g) { box.draw(g); });
    EXPECT_EQ(f.brightness(0, 0, 800, 600), 0.0);
}

}  // namespace
