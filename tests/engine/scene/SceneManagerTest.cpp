#include "engine/scene/SceneManager.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/exceptions/ArrayIndexOutOfBoundsException.h"
#include "engine/exceptions/EmptyException.h"
#include "engine/material/PicturePreload.h"
#include "engine/sound/ISoundOwner.h"

using veru::YString;
using veru::dxt::Scene;
using veru::dxt::SceneManager;

namespace {

using Journal = std::vector<std::string>;

class JournalScene : public Scene {
  public:
    JournalScene(SceneManager* manager, std::string name, Journal* journal, bool createOk = true)
        : Scene(manager), name(std::move(name)), journal(journal), createOk(createOk) {}
    ~JournalScene() override { journal->push_back(name + ".destroyed"); }

    void reset() override { journal->push_back(name + ".reset"); }
    bool create(veru::platform::Window*, veru::platform::VideoDevice*) override {
        journal->push_back(name + ".create");
        return createOk;
    }
    void update(veru::dxt::event::InputInterface*) override {}
    void draw(veru::platform::VideoDevice*) override {}
    void release() override { journal->push_back(name + ".release"); }

    std::string name;
    Journal* journal;
    bool createOk;
};

class JournalSounds : public veru::sound::ISoundOwner {
  public:
    explicit JournalSounds(Journal* journal) : journal(journal) {}
    void stopAll() override { journal->push_back("sounds.stopAll"); }
    Journal* journal;
};

class SceneManagerTest : public ::testing::Test {
  protected:
    void SetUp() override { manager.attach(nullptr, &sounds, nullptr, nullptr); }

    JournalScene* addScene(const std::string& name, int number, bool createOk = true) {
        auto scene = std::make_unique<JournalScene>(&manager, name, &journal, createOk);
        JournalScene* raw = scene.get();
        manager.add(std::move(scene), number);
        return raw;
    }
    std::string nameOfCurrent() const {
        return static_cast<JournalScene*>(manager.getCurrent())->name;
    }

    Journal journal;
    JournalSounds sounds{&journal};
    SceneManager manager;
};

}  // namespace

TEST_F(SceneManagerTest, SwitchingReleasesStopsSoundsThenReleasesResetsAndCreates) {
    addScene("logo", 1);
    addScene("menu", 2);
    manager.start();
    EXPECT_EQ(journal, (Journal{"sounds.stopAll", "logo.release", "logo.reset", "logo.create"}));
    journal.clear();
    manager.next();
    EXPECT_EQ(journal, (Journal{"logo.release", "sounds.stopAll", "menu.release", "menu.reset",
                                "menu.create"}));
}

TEST_F(SceneManagerTest, NextWrapsToTheFirstAndPreviousStopsThere) {
    addScene("logo", 1);
    addScene("menu", 2);
    addScene("config", 3);
    manager.start();
    manager.next();
    manager.next();
    EXPECT_EQ(nameOfCurrent(), "config");
    manager.next();
    EXPECT_EQ(nameOfCurrent(), "logo");
    EXPECT_EQ(manager.getCurrentIndex(), 0);
    journal.clear();
    manager.previous();  // at index 0: the same scene is made afresh
    EXPECT_EQ(nameOfCurrent(), "logo");
    EXPECT_EQ(journal, (Journal{"logo.release", "sounds.stopAll", "logo.release", "logo.reset",
                                "logo.create"}));
}

TEST_F(SceneManagerTest, JumpFollowsSceneNumbersNotRegistrationOrder) {
    addScene("logo", 1);
    addScene("menu", 2);
    addScene("prologue", 4);
    addScene("stage", 8);
    addScene("closing", 5);
    manager.start();
    manager.jump(8);
    EXPECT_EQ(nameOfCurrent(), "stage");
    EXPECT_EQ(manager.getCurrentIndex(), 3);
    manager.next();
    EXPECT_EQ(nameOfCurrent(), "closing");
    manager.next();
    EXPECT_EQ(nameOfCurrent(), "logo");
}

TEST_F(SceneManagerTest, AnUnknownNumberThrowsAndKeepsTheCurrentScene) {
    addScene("logo", 1);
    addScene("menu", 2);
    manager.start();
    manager.next();
    journal.clear();
    try {
        manager.jump(7);
        FAIL();
    } catch (const veru::excp::ArrayIndexOutOfBoundsException& e) {
        EXPECT_EQ(e.getMessage(), veru::excp::ArrayIndexOutOfBoundsException(-1).getMessage());
    }
    EXPECT_TRUE(journal.empty());
    EXPECT_EQ(nameOfCurrent(), "menu");
    EXPECT_EQ(manager.getCurrentIndex(), -1);
    manager.next();  // from -1 the walk starts again at the first scene
    EXPECT_EQ(nameOfCurrent(), "logo");
}

TEST_F(SceneManagerTest, SwitchingWithNoScenesThrowsEmptyException) {
    EXPECT_THROW(manager.start(), veru::excp::EmptyException);
    EXPECT_THROW(manager.next(), veru::excp::EmptyException);
    EXPECT_THROW(manager.previous(), veru::excp::EmptyException);
    EXPECT_EQ(manager.getCurrent(), nullptr);
}

TEST_F(SceneManagerTest, AFailedCreateThrowsTheSceneCreationMessage) {
    addScene("logo", 1);
    addScene("broken", 2, false);
    manager.start();
    try {
        manager.next();
        FAIL();
    } catch (const veru::excp::Exception& e) {
        EXPECT_EQ(e.getMessage(), YString(u"Scene作成中に問題が起こりました。"));
    }
}

TEST_F(SceneManagerTest, RequestsAreClearedOnEntryAndTheJumpArgumentIsTakenOnce) {
    JournalScene* logo = addScene("logo", 1);
    addScene("menu", 2);
    manager.start();
    logo->requestScene(2);
    EXPECT_EQ(logo->getRequest(), veru::dxt::kRequestJump);
    EXPECT_EQ(logo->takeRequestArgument(), 2);
    EXPECT_EQ(logo->takeRequestArgument(), 0);
    logo->requestScene(2);
    manager.next();
    manager.next();  // back to the logo
    EXPECT_EQ(logo->getRequest(), veru::dxt::kRequestNone);
    EXPECT_EQ(logo->takeRequestArgument(), 0);
    logo->requestQuit();
    EXPECT_EQ(logo->getRequest(), veru::dxt::kRequestQuit);
}

TEST(SceneManagerOwnership, DestroyingTheManagerDestroysEveryScene) {
    Journal journal;
    {
        SceneManager manager;
        manager.add(std::make_unique<JournalScene>(&manager, "a", &journal), 1);
        manager.add(std::make_unique<JournalScene>(&manager, "b", &journal), 2);
    }
    EXPECT_EQ(journal, (Journal{"a.destroyed", "b.destroyed"}));
}

namespace {

// A scene whose preparation keeps a picture in the preload store and then
// works until it is stopped, as a long read would.
class PreparedScene : public JournalScene {
  public:
    using JournalScene::JournalScene;
    veru::dxt::PrepareJob prepare() override {
        return [this](std::stop_token stop) {
            veru::dxt::material::storePreloadedPicture(
                veru::dxt::material::PictureFile{1, std::hash<std::string>{}(name), 1, 0, 0},
                veru::platform::Image{1, 1, false, {}});
            workerThread = std::this_thread::get_id();
            started.test_and_set();
            started.notify_all();
            while (!stop.stop_requested())
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            stopped = true;
        };
    }
    void waitUntilStarted() const { started.wait(false); }

    std::atomic_flag started;
    std::atomic<bool> stopped{false};
    std::thread::id workerThread;
};

}  // namespace

TEST_F(SceneManagerTest, APreparationRunsOnAWorkerAndTheSwitchToItsSceneStopsIt) {
    addScene("logo", 1);
    auto made = std::make_unique<PreparedScene>(&manager, "stage", &journal);
    PreparedScene* stage = made.get();
    manager.add(std::move(made), 8);
    manager.start();

    EXPECT_FALSE(manager.prepareAhead(1));   // nothing to prepare
    EXPECT_FALSE(manager.prepareAhead(99));  // no such scene
    ASSERT_TRUE(manager.prepareAhead(8));
    stage->waitUntilStarted();
    EXPECT_NE(stage->workerThread, std::this_thread::get_id());
    EXPECT_TRUE(manager.isPreparing());
    EXPECT_EQ(veru::dxt::material::preloadedPictureCount(), 1u);

    manager.jump(8);  // would hang if the worker were not told to stop
    EXPECT_TRUE(stage->stopped);
    EXPECT_FALSE(manager.isPreparing());
    // What the create did not take is freed with the switch.
    EXPECT_EQ(veru::dxt::material::preloadedPictureCount(), 0u);
}

TEST(SceneManagerOwnership, LeavingBeforeAPreparationEndsStopsItAndFreesWhatItMade) {
    Journal journal;
    {
        SceneManager manager;
        manager.add(std::make_unique<JournalScene>(&manager, "talk", &journal), 4);
        auto made = std::make_unique<PreparedScene>(&manager, "stage", &journal);
        PreparedScene* stage = made.get();
        manager.add(std::move(made), 8);
        manager.start();
        ASSERT_TRUE(manager.prepareAhead(8));
        stage->waitUntilStarted();
        // Preparing again replaces the preparation under way.
        ASSERT_TRUE(manager.prepareAhead(8));
        stage->waitUntilStarted();
    }
    EXPECT_EQ(veru::dxt::material::preloadedPictureCount(), 0u);
    EXPECT_EQ(journal.back(), "stage.destroyed");
}
