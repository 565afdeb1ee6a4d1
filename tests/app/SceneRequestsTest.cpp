#include "app/SceneRequests.h"

#include "engine/exceptions/Exception.h"

#include <gtest/gtest.h>

#include "tests/support/IdleScene.h"

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
