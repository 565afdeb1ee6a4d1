// The talk steps on the two speakers: which portrait shows, who speaks, when
// the script waits, and steps that only take their frame.
#include <gtest/gtest.h>

#include "engine/material/Texture.h"
#include "game/StageScript.h"
#include "game/StageTalk.h"
#include "game/shooting/cmp/TalkBox.h"
#include "game/shooting/cmp/TalkPortrait.h"
#include "tests/game/shooting/cmp/HudTestSupport.h"

namespace {

using ml::StageStep;
using ml::StageWord;

class StageTalkTest : public mirelune::test::HudTest {
  protected:
    void SetUp() override {
        HudTest::SetUp();
        writePicture(u"img/player_ta.ytx", 400, 200, 0xFFF0F0F0u);
        writePicture(u"img/enemy_ta.ytx", 400, 200, 0xFFF0F0F0u);
        writePicture(u"img/face.ytx", 200, 300, 0xFF00FF00u);
        face.load(u"img/face.ytx", device.get());
        talk = std::make_unique<ml::StageTalk>(device.get(), 800, 600);
    }

    static StageStep step(StageWord word, int side = 0) {
        StageStep s;
        s.word = word;
        s.side = side;
        return s;
    }

    veru::dxt::material::Texture face;
    std::unique_ptr<ml::StageTalk> talk;
};

TEST_F(StageTalkTest, StepsShowTheSpeakersAndSayWhenTheScriptWaits) {
    // "Init(null, face)": side 1 shows nothing, side 2 slides in; the script waits.
    StageStep init = step(StageWord::Init);
    init.pictures = {nullptr, &face};
    EXPECT_TRUE(talk->runStep(init));
    EXPECT_FALSE(talk->portrait(1).isVisible());
    EXPECT_TRUE(talk->portrait(2).isVisible());

    // A picture for the hidden side enters at once, and the script goes on.
    StageStep image = step(StageWord::Image1, 1);
    image.pictures[0] = &face;
    EXPECT_FALSE(talk->runStep(image));
    EXPECT_TRUE(talk->portrait(1).isVisible());
    EXPECT_EQ(talk->portrait(1).getPicture(), &face);

    // Side 2 speaks: its box shows the text, the other box is cleared.
    StageStep say = step(StageWord::Talk2, 2);
    say.text = u"a+b";
    EXPECT_TRUE(talk->runStep(say));
    EXPECT_EQ(talk->box(2).getShownText(), u"a\nb");
    EXPECT_TRUE(talk->box(1).isIdle());

    // Steps the talk has no part in take their frame and do nothing.
    for (StageWord other : {StageWord::Unknown, StageWord::ImageOther, StageWord::Play})
        EXPECT_FALSE(talk->runStep(step(other)));
    EXPECT_EQ(talk->box(2).getShownText(), u"a\nb");

    // "}": both leave, both boxes empty, the script waits for them.
    EXPECT_TRUE(talk->runStep(step(StageWord::End)));
    EXPECT_TRUE(talk->box(2).getShownText().empty());
}

}  // namespace
