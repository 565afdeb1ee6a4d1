#include "app/SceneRequests.h"

#include "engine/exceptions/Exception.h"

#include <gtest/gtest.h>

#include "tests/support/IdleScene.h"

#include "engine/material/PicturePreload.h"
#include "engine/platform/image/Image.h"
#include "engine/scene/FrameTimer.h"
#include "engine/scene/PlayStatus.h"
#include "engine/scene/SceneManager.h"
#include "game/settings/GameSetting.h"
#include "tests/support/ManualClock.h"
#include "tests/support/RecordingMessageSink.h"
#include "tests/support/TempDir.h"

using namespace mirelune::test;

TEST(SceneRequests, UnknownCodesShowTheErrorEveryFrameAndStaySet) {
    TempDir dir;
    RecordingMessageSink boxes;
    ManualClock clock;
    veru::dxt::FrameTimer timer(30, &clock);
    veru::dxt::PlayStatus status;
    ml::GameSetting setting(dir.file("setting.env"));
    veru::dxt::SceneManager manager;
    auto scene = std::make_unique<IdleScene>(&manager);
    IdleScene* raw = scene.get();
    manager.add(std::move(scene), 1);
    manager.start();

    EXPECT_FALSE(ml::applySceneRequest(manager, *raw, timer, status, setting));
    raw->requestScene(1);
    EXPECT_TRUE(ml::applySceneRequest(manager, *raw, timer, status, setting));
    EXPECT_EQ(timer.getFps(), 60);  // not a talk scene
    EXPECT_EQ(raw->getRequest(), veru::dxt::kRequestNone);
    status.lives = 0;
    raw->requestScene(9);
    EXPECT_THROW(ml::applySceneRequest(manager, *raw, timer, status, setting),
                 veru::excp::Exception);
    EXPECT_EQ(boxes.count(), 0u);
}

namespace {

// A scene whose preparation keeps one picture in the preload store, and
// which counts the preparations asked of it.
class PreparedScene : public IdleScene {
  public:
    using IdleScene::IdleScene;
    veru::dxt::PrepareJob prepare() override {
        ++prepared;
        return [](std::stop_token) {
            veru::dxt::material::storePreloadedPicture(
                veru::dxt::material::PictureFile{1, 2, 1, 0, 0},
                veru::platform::Image{1, 1, false, {}});
        };
    }
    int prepared = 0;
};

// Shiro's stage (8) with her closing talk (5) and the title menu (2).
struct ExpectingFlow {
    ExpectingFlow() {
        auto made = std::make_unique<IdleScene>(&manager);
        stage = made.get();
        manager.add(std::move(made), 8);
        auto talk = std::make_unique<PreparedScene>(&manager);
        closing = talk.get();
        manager.add(std::move(talk), 5);
        manager.add(std::make_unique<IdleScene>(&manager), 2);
        manager.start();
    }
    veru::dxt::SceneManager manager;
    IdleScene* stage = nullptr;
    PreparedScene* closing = nullptr;
};

}  // namespace

TEST(SceneRequests, AnExpectedExitPreparesTheSceneItLeadsToOnce) {
    ExpectingFlow flow;
    EXPECT_FALSE(ml::prepareExpectedScene(flow.manager, 1));  // nothing expected
    flow.stage->expectExit(veru::dxt::SceneExit::next);
    EXPECT_TRUE(ml::prepareExpectedScene(flow.manager, 1));
    EXPECT_EQ(flow.manager.getPreparingNumber(), 5);
    EXPECT_FALSE(ml::prepareExpectedScene(flow.manager, 1));  // taken once
    // Expected again, the preparation under way (or done) is kept.
    flow.stage->expectExit(veru::dxt::SceneExit::next);
    EXPECT_FALSE(ml::prepareExpectedScene(flow.manager, 1));
    EXPECT_EQ(flow.closing->prepared, 1);
    EXPECT_TRUE(flow.manager.isPreparing());

    // Leaving another way drops what the preparation made.
    flow.manager.jump(2);
    EXPECT_FALSE(flow.manager.isPreparing());
    EXPECT_EQ(flow.manager.getPreparingNumber(), -1);
    EXPECT_EQ(veru::dxt::material::preloadedPictureCount(), 0u);
}

TEST(SceneRequests, AnExpectedExitThatLeadsNowherePreparesNothing) {
    ExpectingFlow flow;
    flow.stage->expectExit(veru::dxt::SceneExit::configure);
    EXPECT_FALSE(ml::prepareExpectedScene(flow.manager, 1));
    EXPECT_FALSE(flow.manager.isPreparing());
    // The title menu has nothing to prepare.
    flow.stage->expectExit(veru::dxt::SceneExit::title);
    EXPECT_FALSE(ml::prepareExpectedScene(flow.manager, 1));
    EXPECT_EQ(flow.closing->prepared, 0);
}

TEST(SceneRequests, AnExpectationNotTakenIsForgottenWhenTheSceneIsEnteredAgain) {
    ExpectingFlow flow;
    flow.stage->expectExit(veru::dxt::SceneExit::next);
    flow.manager.jump(8);
    EXPECT_FALSE(flow.stage->takeExpectedExit());
    EXPECT_FALSE(ml::prepareExpectedScene(flow.manager, 1));
}
