// The talk window and the sentence display, frame by frame.

#include <gtest/gtest.h>

#include "engine/adventure/SentenceDisplay.h"
#include "engine/adventure/TalkArea.h"
#include "tests/engine/graphics/DrawingTestSupport.h"

using namespace mirelune::test;
using veru::adv::SentenceDisplay;
using veru::adv::TalkArea;

namespace {

constexpr int kAdvance = 0x10;
constexpr int kSkip = 0x20;

// Runs update until the display reaches `mode` (at most `limit` frames);
// returns the frames it took.
int runUntil(SentenceDisplay& display, int mode, int buttons = 0, int limit = 500) {
    for (int f = 1; f <= limit; ++f) {
        display.update(buttons);
        if (display.getMode() == mode)
            return f;
    }
    return -1;
}

class TalkDisplayTest : public ::testing::Test {
  protected:
    std::unique_ptr<veru::platform::VideoDevice> device = makeOffscreenDevice();
    TalkArea area;
};

}  // namespace

TEST_F(TalkDisplayTest, TheTalkWindowFadesInOverTwentyFourFrames) {
    EXPECT_TRUE(area.update(0));  // hidden: idle
    area.show();
    int frames = 0;
    while (!area.update(0))
        ++frames;
    EXPECT_EQ(frames + 1, 24);
    EXPECT_TRUE(area.isShown());
    EXPECT_TRUE(area.update(0));
}

TEST_F(TalkDisplayTest, CharactersAppearOnePerFrameAndAnyButtonShowsTheRest) {
    SentenceDisplay display(device.get(), &area);
    display.setSentence(u"シロ", u"月がきれいですね", 23, false, false);
    EXPECT_EQ(display.getSpeaker(), veru::YString(u"【シロ】"));
    EXPECT_EQ(display.getMode(), SentenceDisplay::kTyping);
    EXPECT_FALSE(display.update(0));
    EXPECT_FALSE(display.update(0));
    const auto& glyphs = display.getGlyphs();
    EXPECT_EQ(glyphs[0].alpha, 255);
    EXPECT_EQ(glyphs[1].alpha, 0);
    EXPECT_FALSE(display.update(0x100));  // any button
    for (const auto& g : display.getGlyphs())
        EXPECT_EQ(g.alpha, 255);
    EXPECT_EQ(runUntil(display, SentenceDisplay::kWaiting), 1);
}

TEST_F(TalkDisplayTest, AdvanceNeedsAFreshPressWhileSkipTurnsPagesHeld) {
    SentenceDisplay display(device.get(), &area);
    display.setAdvanceButton(kAdvance);
    display.setSkipButton(kSkip);
    display.setSentence(u"null", u"一", 23, false, true);
    EXPECT_EQ(display.getSpeaker(), veru::YString());
    ASSERT_GT(runUntil(display, SentenceDisplay::kWaiting), 0);
    // Held while the sentence finished: not a page turn.
    for (int i = 0; i < 10; ++i)
        display.update(kAdvance);
    EXPECT_EQ(display.getMode(), SentenceDisplay::kWaiting);
    display.update(0);
    display.update(kAdvance);  // pressed anew
    EXPECT_EQ(display.getMode(), SentenceDisplay::kFadingOut);
    // The fade-out takes 7 frames, then the display is idle.
    EXPECT_EQ(runUntil(display, SentenceDisplay::kIdle, kAdvance), 7);

    // Advance still held as the next sentence finishes: nothing happens...
    display.setSentence(u"null", u"二", 23, false, true);
    ASSERT_GT(runUntil(display, SentenceDisplay::kWaiting, kAdvance), 0);
    for (int i = 0; i < 5; ++i)
        display.update(kAdvance);
    EXPECT_EQ(display.getMode(), SentenceDisplay::kWaiting);
    // ...but the skip button turns pages while held.
    display.update(kSkip);
    EXPECT_EQ(display.getMode(), SentenceDisplay::kFadingOut);
    EXPECT_EQ(runUntil(display, SentenceDisplay::kIdle, kSkip), 7);
    display.setSentence(u"null", u"三", 23, false, true);
    ASSERT_GT(runUntil(display, SentenceDisplay::kWaiting, kSkip), 0);
    display.update(kSkip);
    EXPECT_EQ(display.getMode(), SentenceDisplay::kFadingOut);
}

TEST_F(TalkDisplayTest, TheMarkerBlinksWithAPeriodOfFortyFrames) {
    SentenceDisplay display(device.get(), &area);
    display.setSentence(u"null", u"夜", 23, false, true);
    ASSERT_GT(runUntil(display, SentenceDisplay::kWaiting), 0);
    std::vector<bool> on;
    for (int i = 0; i < 80; ++i) {
        display.update(0);
        on.push_back(display.isMarkerOn());
    }
    int flips = 0;
    for (std::size_t i = 1; i < on.size(); ++i)
        flips += on[i] != on[i - 1];
    EXPECT_EQ(flips, 4);  // one flip every 20 frames
}

TEST_F(TalkDisplayTest, FadingInAddsThirtyAStep) {
    SentenceDisplay display(device.get(), &area);
    display.setSentence(u"null", u"あい", 23, true, false);
    display.update(0);  // step 0: nothing yet
    display.update(0);  // the first character gets +30
    EXPECT_EQ(display.getGlyphs()[0].alpha, 30);
    display.update(0);
    EXPECT_EQ(display.getGlyphs()[0].alpha, 60);
    EXPECT_EQ(display.getGlyphs()[1].alpha, 30);
}
