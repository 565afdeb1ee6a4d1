#include "app/SceneFlow.h"

#include <gtest/gtest.h>

#include <set>

#include "app/SceneRequests.h"
#include "engine/scene/FrameTimer.h"
#include "engine/scene/PlayStatus.h"
#include "engine/scene/SceneManager.h"
#include "game/StageHeroine.h"
#include "game/settings/GameSetting.h"
#include "tests/support/IdleScene.h"
#include "tests/support/ManualClock.h"
#include "tests/support/RecordingMessageSink.h"
#include "tests/support/TempDir.h"

using namespace mirelune::test;
using veru::dxt::SceneExit;

// Every heroine's story runs menu -> her prologue -> her stage -> her
// closing -> logo on her own scene numbers, and no two scenes share a
// number: what lets a new heroine be just her row.
TEST(SceneFlow, EveryHeroineRunsHerOwnStoryOnNumbersOfHerOwn) {
    std::set<int> numbers{ml::kSceneLogo, ml::kSceneMenu, ml::kSceneConfig, ml::kSceneReplays};
    for (const ml::StageHeroine& h : ml::heroines()) {
        for (int n : {h.scenes.prologue, h.scenes.stage, h.scenes.closing})
            EXPECT_TRUE(numbers.insert(n).second) << "scene " << n << " taken twice";
        EXPECT_EQ(ml::sceneAfter(ml::kSceneMenu, SceneExit::story, h.number), h.scenes.prologue);
        // Once in her story, the chosen character no longer matters.
        EXPECT_EQ(ml::sceneAfter(h.scenes.prologue, SceneExit::next, -1), h.scenes.stage);
        EXPECT_EQ(ml::sceneAfter(h.scenes.stage, SceneExit::next, -1), h.scenes.closing);
        EXPECT_EQ(ml::sceneAfter(h.scenes.stage, SceneExit::title, -1), ml::kSceneMenu);
        EXPECT_EQ(ml::sceneAfter(h.scenes.stage, SceneExit::again, -1), h.scenes.stage);  // retry
        EXPECT_EQ(ml::sceneAfter(h.scenes.closing, SceneExit::next, -1), ml::kSceneLogo);
        EXPECT_EQ(ml::storyPartOf(h.scenes.closing), ml::StoryPart::closing);
        // Practice flies the chosen heroine's stage and comes back to it.
        EXPECT_EQ(ml::sceneAfter(ml::kScenePractice, SceneExit::next, h.number), h.scenes.stage);
        EXPECT_EQ(ml::sceneAfter(h.scenes.stage, SceneExit::back, -1), ml::kScenePractice);
        // Read ahead: the menu her prologue, the prologue her stage; the
        // stage nothing (its closing would be held through the whole play).
        EXPECT_EQ(ml::sceneReadAhead(ml::kSceneMenu, h.number), h.scenes.prologue);
        EXPECT_EQ(ml::sceneReadAhead(h.scenes.prologue, -1), h.scenes.stage);
        EXPECT_EQ(ml::sceneReadAhead(h.scenes.stage, -1), -1);
        EXPECT_EQ(ml::sceneReadAhead(ml::kScenePractice, h.number), h.scenes.stage);
    }
    EXPECT_FALSE(numbers.count(ml::kScenePractice));
    EXPECT_EQ(ml::sceneAfter(ml::kSceneMenu, SceneExit::practice, 1), ml::kScenePractice);
    EXPECT_EQ(ml::sceneAfter(ml::kSceneLogo, SceneExit::next, 1), ml::kSceneMenu);
    EXPECT_EQ(ml::sceneAfter(ml::kSceneMenu, SceneExit::configure, 1), ml::kSceneConfig);
    EXPECT_EQ(ml::sceneAfter(ml::kSceneConfig, SceneExit::back, 1), ml::kSceneMenu);
    EXPECT_EQ(ml::sceneAfter(ml::kSceneMenu, SceneExit::replays, 1), ml::kSceneReplays);
    EXPECT_EQ(ml::sceneAfter(ml::kSceneReplays, SceneExit::back, 1), ml::kSceneMenu);
    // An unknown heroine number starts the first heroine's story.
    EXPECT_EQ(ml::sceneAfter(ml::kSceneMenu, SceneExit::story, 99),
              ml::heroines()[0].scenes.prologue);
    // No row: nowhere.
    EXPECT_EQ(ml::sceneAfter(ml::kSceneLogo, SceneExit::title, 1), -1);
    EXPECT_EQ(ml::sceneAfter(42, SceneExit::next, 1), -1);
}

namespace {

class TalkLikeScene : public IdleScene {
  public:
    using IdleScene::IdleScene;
    int framesPerSecond() const override { return 30; }
};

}  // namespace

// The loop follows an exit through the table, runs each scene at its own
// rate, resets the stock on entering a talk around the stage, and drops an
// exit that leads nowhere after one box rather than one box a frame.
TEST(SceneFlow, TheLoopFollowsExitsAndEachScenesOwnRate) {
    TempDir dir;
    RecordingMessageSink boxes;
    ManualClock clock;
    veru::dxt::FrameTimer timer(60, &clock);
    veru::dxt::PlayStatus status;
    ml::GameSetting setting(dir.file("setting.env"));
    veru::dxt::SceneManager manager;
    const ml::StageHeroine& second = ml::heroines()[1];
    auto menu = std::make_unique<IdleScene>(&manager);
    IdleScene* menuScene = menu.get();
    manager.add(std::move(menu), ml::kSceneMenu);
    manager.add(std::make_unique<TalkLikeScene>(&manager), second.scenes.prologue);
    manager.start();

    status.character = second.number;
    status.lives = 0;
    setting.setLastScore(500);
    menuScene->requestExit(SceneExit::story);
    EXPECT_TRUE(ml::applySceneRequest(manager, *menuScene, timer, status, setting));
    EXPECT_EQ(manager.getCurrentNumber(), second.scenes.prologue);
    EXPECT_EQ(timer.getFps(), 30);
    EXPECT_EQ(status.lives, veru::dxt::PlayStatus().lives);
    EXPECT_EQ(setting.getLastScore(), 0);

    veru::dxt::Scene* talk = manager.getCurrent();
    talk->requestExit(SceneExit::title);  // no row for a talk
    EXPECT_FALSE(ml::applySceneRequest(manager, *talk, timer, status, setting));
    EXPECT_EQ(talk->getRequest(), veru::dxt::kRequestNone);
    EXPECT_EQ(manager.getCurrent(), talk);
    EXPECT_EQ(boxes.count(), 1u);
}
