// The stage model driven on its own, without pictures or a view: its phase
// changes, and each counter keeping to its one meaning.

#include "game/StageModel.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/scene/PlayStatus.h"
#include "game/shooting/object/enemies/BatFactory.h"
#include "game/shooting/object/enemies/EnemyObject.h"

namespace {

class StageModelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        model.reset();
        model.openField();
    }

    // Fade-in to its end; the player's entry follows.
    void fadeIn() {
        for (int f = 0; f < 1000 && model.getPhase() == ml::stage::kFadeIn; ++f)
            model.advanceFadeIn();
    }

    veru::dxt::PlayStatus status;
    ml::StageModel model{&status};
};

TEST_F(StageModelTest, TheFadeInClearsTheScreenThenThePlayerEnters) {
    EXPECT_EQ(model.getPhase(), ml::stage::kFadeIn);
    EXPECT_EQ(model.getFadeAlpha(), 255);
    int frames = 0;
    int alpha = model.getFadeAlpha();
    while (model.getPhase() == ml::stage::kFadeIn && frames < 1000) {
        model.advanceFadeIn();
        ++frames;
        EXPECT_LT(model.getFadeAlpha(), alpha) << "frame " << frames;
        alpha = model.getFadeAlpha();
    }
    EXPECT_EQ(frames, 128);  // two steps of alpha a frame
    EXPECT_EQ(model.getPhase(), ml::stage::kEntry);
    EXPECT_EQ(model.getFadeAlpha(), 0);
    EXPECT_EQ(model.getPosition(), 0);  // the fade does not move the stage
    EXPECT_TRUE(model.isScriptWaiting());
    model.startPlay();
    EXPECT_FALSE(model.isScriptWaiting());
}

TEST_F(StageModelTest, PauseAndContinueShowAndReturnToThePhaseTheyInterrupted) {
    fadeIn();
    model.startPlay();
    model.enterPhase(ml::stage::kShooting, true);
    for (int by : {ml::stage::kPaused, ml::stage::kContinue}) {
        model.interrupt(by);
        EXPECT_EQ(model.getPhase(), by);
        EXPECT_EQ(model.shownPhase(), ml::stage::kShooting);
        EXPECT_FALSE(ml::stage::playerInPlay(model.getPhase()));
        model.resume();
        EXPECT_EQ(model.getPhase(), ml::stage::kShooting);
        EXPECT_TRUE(ml::stage::playerInPlay(model.getPhase()));
    }
}

TEST_F(StageModelTest, ThePositionBringsEnemiesInAndStartsAgainPastTheLast) {
    fadeIn();
    model.startPlay();
    model.enterPhase(ml::stage::kShooting, true);
    ml::StageContent& content = model.getContent();
    content.timeline.push_back({1000, 240});
    content.waitingEnemies.push_back(
        ml::shooting::object::createBat("Bat1", ml::stage::kFieldWidth, ml::stage::kFieldHeight));

    // An enemy placed at 1000 enters when the right edge reaches it.
    for (int f = 1; f < 1000 - ml::stage::kFieldWidth; ++f)
        model.advancePosition();
    EXPECT_TRUE(model.getActiveEnemies().empty());
    model.advancePosition();
    ASSERT_EQ(model.getActiveEnemies().size(), 1u);
    EXPECT_EQ(model.getActiveEnemies().front()->getX(), ml::stage::kFieldWidth);
    EXPECT_EQ(model.getActiveEnemies().front()->getY(), 240);
    EXPECT_TRUE(content.waitingEnemies.empty() && content.timeline.empty());

    int highest = 0;
    while (model.getPosition() != 0 && highest <= ml::stage::kLastPosition + 1) {
        model.advancePosition();
        highest = std::max(highest, model.getPosition());
    }
    EXPECT_EQ(model.getPosition(), 0);
    EXPECT_EQ(highest, ml::stage::kLastPosition + 1);
}

// Leaving by the pause menu deep in a stage: the fade to black starts from
// the stage as it is shown, whatever the position.
TEST_F(StageModelTest, TheEndingFadesFromTheStageWhereverThePlayStands) {
    fadeIn();
    model.startPlay();
    model.enterPhase(ml::stage::kShooting, true);
    for (int f = 0; f < 700; ++f)
        model.advancePosition();
    model.interrupt(ml::stage::kPaused);
    model.startExit(ml::stage::kExitTitle);
    EXPECT_EQ(model.getPhase(), ml::stage::kEnding);
    EXPECT_EQ(model.getExitMode(), ml::stage::kExitTitle);
    EXPECT_TRUE(model.isScriptWaiting());
    EXPECT_EQ(model.getFadeAlpha(), 0);
    int frames = 1;
    while (!model.advanceEndingFade() && frames < 1000)
        ++frames;
    EXPECT_EQ(frames, 51);
    EXPECT_EQ(model.getFadeAlpha(), 255);
    EXPECT_TRUE(model.advanceEndingFade());  // and stays black
    EXPECT_EQ(model.getPosition(), 700);     // the fade leaves the position alone
}

TEST_F(StageModelTest, TheGameOverScreenFadesInHoldsAndEnds) {
    fadeIn();
    model.startExit(ml::stage::kExitGameOver);
    while (!model.advanceEndingFade()) {
    }
    model.enterGameOver();
    EXPECT_EQ(model.getPhase(), ml::stage::kGameOver);
    int frames = 0;
    int clearFrames = 0;
    bool done = false;
    while (!done && frames < 10000) {
        done = model.advanceGameOver();
        ++frames;
        if (model.getFadeAlpha() == 0)
            ++clearFrames;
        EXPECT_GE(model.getWreckAngle(), 0);
        EXPECT_LT(model.getWreckAngle(), 360);
    }
    EXPECT_TRUE(done);
    EXPECT_GE(model.getFadeAlpha(), 255);
    EXPECT_EQ(clearFrames, ml::StageModel::kGameOverHold / 5 + 1);
    EXPECT_EQ(model.getGameOverTime(), frames * 5);
}

// The state hash covers the counter the stage runs on: the fade-in's, then
// the position's (a fade finished long ago must not hide a moving stage).
TEST_F(StageModelTest, TheStateHashFollowsTheCounterTheStageRunsOn) {
    const std::uint64_t start = model.stateHash(0, 0);
    model.advanceFadeIn();
    EXPECT_NE(model.stateHash(0, 0), start);
    fadeIn();
    model.startPlay();
    model.enterPhase(ml::stage::kShooting, true);
    const std::uint64_t before = model.stateHash(0, 0);
    model.advancePosition();
    EXPECT_NE(model.stateHash(0, 0), before);
}

}  // namespace
