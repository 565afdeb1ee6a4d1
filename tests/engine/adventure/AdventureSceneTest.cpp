// A talk scene played from a small script, frame by frame.

#include "engine/adventure/AdventureScene.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "engine/adventure/Background.h"
#include "engine/adventure/SentenceDisplay.h"
#include "engine/adventure/TalkArea.h"
#include "engine/core/Language.h"
#include "engine/input/ButtonMap.h"
#include "engine/input/ScriptedInput.h"
#include "engine/io/ByteFileWriter.h"
#include "engine/io/Scrambler.h"
#include "engine/material/ImageContainer.h"
#include "engine/material/PicturePreload.h"
#include "engine/platform/image/Image.h"
#include "tests/engine/graphics/DrawingTestSupport.h"
#include "tests/support/ManualClock.h"
#include "tests/support/RecordingMessageSink.h"
#include "tests/support/ScriptFile.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using namespace mirelune::test;
using veru::YString;
using veru::adv::AdventureScene;

namespace {

void writePicture(const YString& path, int w, int h, std::uint32_t argb) {
    veru::platform::Image image;
    image.width = w;
    image.height = h;
    image.hasAlpha = true;
    image.pixels.assign(static_cast<std::size_t>(w * h), argb);
    Bytes png;
    ASSERT_TRUE(veru::platform::encodePng(image, png));
    veru::dxt::material::writeImageContainer(path, "ytx", {.width = w, .height = h}, png);
}

class AdventureSceneTest : public ::testing::Test {
  protected:
    void SetUp() override {
        veru::io::registerGameFileKeys();
        // The actions' default buttons: shoot 1, special 2, bomb 3, slow 4, pause 5.
        auto& map = veru::dxt::event::ButtonMap::global();
        for (int n = 1; n <= 5; ++n)
            map.setMask(n, 0x10 << (n - 1));
        fs::create_directories(dir.path() / "img");
        fs::create_directories(dir.path() / "script");
        fs::current_path(dir.path());
        writePicture(u"img/talk_area.ytx", 800, 300, 0xC0202040u);
        writePicture(u"img/bg.ytx", 800, 600, 0xFF3050A0u);
        writePicture(u"img/face.ytx", 230, 240, 0xFFE0C0A0u);
    }
    void TearDown() override { fs::current_path(previous); }

    // Frames until the scene asks for the next one; -1 after `limit`.
    int runToEnd(AdventureScene& scene, veru::dxt::event::InputInterface* input, int limit = 3000) {
        for (int f = 1; f <= limit; ++f) {
            scene.update(input);
            scene.draw(device.get());
            if (scene.getRequest() == veru::dxt::kRequestNext)
                return f;
        }
        return -1;
    }

    fs::path previous = fs::current_path();
    TempDir dir;
    RecordingMessageSink boxes;
    ManualClock clock;
    std::unique_ptr<veru::platform::VideoDevice> device = makeOffscreenDevice();
};

}  // namespace

TEST_F(AdventureSceneTest, StatementsStartOnTheSecondFrameAndRunUntilOneWaits) {
    writeScript(u"script/t.dat",
                {u"Back(img/bg.ytx)", u"Face(img/face.ytx)",
                 u"Sentence(シロ, こんばんは, NORMAL, false, true)", u"Wait(500)", u"SE(stop)",
                 u"Sentence(null, 「月が+きれい」, BIG, false, false)", u"end"});
    AdventureScene scene(nullptr, u"script/t.dat");
    scene.setClock(&clock);
    scene.reset();
    ASSERT_TRUE(scene.create(nullptr, device.get()));
    EXPECT_EQ(scene.getPendingStatements(), 7u);
    EXPECT_EQ(scene.getTalkArea()->getY(), 600 - (2 * 300) / 3 + 10);

    scene.update(nullptr);  // first frame: both displays not yet idle
    EXPECT_EQ(scene.getPendingStatements(), 7u);
    EXPECT_EQ(scene.getPhase(), AdventureScene::kBeforeStart);
    scene.update(nullptr);  // second frame: Back, Face and the first Sentence
    EXPECT_EQ(scene.getPendingStatements(), 4u);
    EXPECT_EQ(scene.getPhase(), AdventureScene::kFadingIn);
    EXPECT_NE(scene.getBackground()->getImage(), nullptr);
    EXPECT_NE(scene.getTalkArea()->getFace(), nullptr);

    // The fade-in: 26 frames of steps of 10.
    int fade = 0;
    while (scene.getPhase() == AdventureScene::kFadingIn) {
        scene.update(nullptr);
        ++fade;
    }
    EXPECT_EQ(fade, 26);

    // "Wait" sleeps the clock; the statements after it run in the same frame.
    const std::uint32_t before = clock.time;
    for (int f = 0; f < 200 && scene.getPendingStatements() == 4u; ++f) {
        scene.update(nullptr);
        if (scene.getSentenceDisplay()->getMode() == veru::adv::SentenceDisplay::kWaiting) {
            veru::dxt::event::ScriptedInput press{{0, 0x10}};
            scene.update(&press);
        }
    }
    EXPECT_EQ(clock.time - before, 500u);
    EXPECT_EQ(scene.getPendingStatements(), 1u);  // Wait, SE and Sentence ran together
    EXPECT_EQ(scene.getSentenceDisplay()->getLines().size(), 2u);
    EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(AdventureSceneTest, AScriptOfOnlyBackgroundsFadesInThenOutToTheNextScene) {
    writeScript(u"script/t.dat", {u"Back(img/bg.ytx)", u"Back(null)"});
    AdventureScene scene(nullptr, u"script/t.dat");
    scene.reset();
    ASSERT_TRUE(scene.create(nullptr, device.get()));
    // 1 idle frame, 1 frame of statements, 26 in, 1 to notice the end, 26 out.
    EXPECT_EQ(runToEnd(scene, nullptr), 1 + 1 + 26 + 1 + 26);
}

TEST_F(AdventureSceneTest, TheBombButtonSkipsTheRestAndASentenceFirstStaysBlack) {
    writeScript(u"script/t.dat", {u"Sentence(null, まだ暗い, NORMAL, false, true)",
                                  u"Back(img/bg.ytx)", u"Sentence(null, 二, NORMAL, false, true)"});
    AdventureScene scene(nullptr, u"script/t.dat");
    scene.reset();
    ASSERT_TRUE(scene.create(nullptr, device.get()));
    for (int f = 0; f < 60; ++f) {
        scene.update(nullptr);
        scene.draw(device.get());
    }
    // No "Back" has run: the overlay covers everything.
    EXPECT_EQ(scene.getPhase(), AdventureScene::kBeforeStart);
    Frame frame = readFrame(*device);
    EXPECT_LT(frame.brightness(0, 0, 800, 600), 1.0);
    veru::dxt::event::ScriptedInput bomb{{0, 0x40}};  // the bomb action's default button
    scene.update(&bomb);
    EXPECT_EQ(scene.getPendingStatements(), 0u);
    EXPECT_EQ(scene.getPhase(), AdventureScene::kFadingOut);
}

TEST_F(AdventureSceneTest, BadValuesAreReportedWithTheirFileAndLine) {
    writeScript(u"script/t.dat",
                {u"Back(img/bg.ytx)", u"Wait(12abc)", u"Sentence(null, 一, NORMAL, ture, true)"});
    AdventureScene scene(nullptr, u"script/t.dat");
    scene.setClock(&clock);
    scene.reset();
    ASSERT_TRUE(scene.create(nullptr, device.get()));
    const std::uint32_t before = clock.time;
    scene.update(nullptr);
    scene.update(nullptr);
    EXPECT_EQ(clock.time, before);  // an unreadable wait waits not at all
    ASSERT_EQ(boxes.count(), 2u);
    EXPECT_EQ(boxes.messages()[0].caption, YString(u"AdventureScene::analyzeStatement()"));
    EXPECT_TRUE(boxes.messages()[0].text.starts_with(u"script/t.dat（2行目）："));
    EXPECT_TRUE(boxes.messages()[1].text.starts_with(u"script/t.dat（3行目）："));
    EXPECT_NE(boxes.messages()[1].text.indexOf(u"ture"), -1);
    // The sentence is shown all the same.
    EXPECT_EQ(scene.getSentenceDisplay()->getMode(), veru::adv::SentenceDisplay::kTyping);
}

TEST_F(AdventureSceneTest, AMissingPictureIsReportedOnceAndTheTalkGoesOn) {
    writeScript(
        u"script/u.dat",
        {u"Back(img/bg.ytx)", u"Face(img/none.ytx)", u"Sentence(シロ, やあ, NORMAL, false, true)",
         u"Face(img/none.ytx)", u"Sentence(シロ, また, NORMAL, false, true)"});
    AdventureScene scene(nullptr, u"script/u.dat");
    scene.reset();
    ASSERT_TRUE(scene.create(nullptr, device.get()));
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_EQ(boxes.messages()[0].kind, veru::awt::MessageKind::warning);
    EXPECT_TRUE(boxes.messages()[0].text.starts_with(u"script/u.dat（2行目）："));
    EXPECT_NE(boxes.messages()[0].text.indexOf(u"img/none.ytx"), -1);
    bool shown = false;
    for (int f = 0; f < 200 && !shown; ++f) {
        scene.update(nullptr);
        shown = scene.getPhase() == AdventureScene::kRunning &&
                scene.getSentenceDisplay()->getMode() == veru::adv::SentenceDisplay::kWaiting;
    }
    EXPECT_TRUE(shown);
    EXPECT_EQ(scene.getTalkArea()->getFace(), nullptr);
}

// Read ahead on a worker, the talk's pictures wait decoded for create, and
// what the worker could not read is reported by create as without it.
TEST_F(AdventureSceneTest, ATalkPreparedOnAWorkerLoadsAsOneReadOnTheSpot) {
    using namespace veru::dxt::material;
    writeScript(u"script/u.dat", {u"Back(img/bg.ytx)", u"Face(img/none.ytx)", u"Face(img/face.ytx)",
                                  u"Sentence(シロ, やあ, NORMAL, false, true)"});
    AdventureScene scene(nullptr, u"script/u.dat");
    std::jthread(scene.prepare()).join();
    EXPECT_EQ(boxes.count(), 0u);            // the worker shows nothing
    EXPECT_EQ(preloadedPictureCount(), 3u);  // the talk window, the backdrop, the face
    std::jthread(AdventureScene(nullptr, u"script/absent.dat").prepare()).join();
    EXPECT_EQ(preloadedPictureCount(), 3u);  // no script to read: the window again, kept once
    scene.reset();
    ASSERT_TRUE(scene.create(nullptr, device.get()));
    EXPECT_EQ(preloadedPictureCount(), 0u);  // every one taken
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_NE(boxes.messages()[0].text.indexOf(u"img/none.ytx"), -1);
}

TEST_F(AdventureSceneTest, AnUnreadableScriptIsReportedAndTheSceneMovesOn) {
    writeScript(u"script/empty.dat", {});
    for (const char16_t* path : {u"script/empty.dat", u"script/absent.dat"}) {
        AdventureScene scene(nullptr, path);
        scene.reset();
        ASSERT_TRUE(scene.create(nullptr, device.get()));
        EXPECT_GT(runToEnd(scene, nullptr, 100), 0);
    }
    ASSERT_EQ(boxes.count(), 2u);
    EXPECT_EQ(boxes.messages()[0].caption, YString(u"AdventureScene::create()"));
    EXPECT_EQ(boxes.messages()[0].text, YString(u"script/empty.dat：ファイルが空です。"));
    EXPECT_NE(boxes.messages()[1].text.indexOf(u"script/absent.dat"), -1);
}

TEST_F(AdventureSceneTest, ALastSentenceIsReadBeforeTheSceneFadesOut) {
    writeScript(u"script/t.dat",
                {u"Back(img/bg.ytx)", u"Sentence(シロ, おしまい, NORMAL, false, true)"});
    AdventureScene scene(nullptr, u"script/t.dat");
    scene.reset();
    ASSERT_TRUE(scene.create(nullptr, device.get()));
    bool shown = false;
    for (int f = 0; f < 300; ++f) {
        scene.update(nullptr);
        shown = shown ||
                (scene.getPhase() == AdventureScene::kRunning &&
                 scene.getSentenceDisplay()->getMode() == veru::adv::SentenceDisplay::kWaiting);
    }
    // Nobody turned the page: the sentence is still on the screen.
    EXPECT_TRUE(shown);
    EXPECT_EQ(scene.getPhase(), AdventureScene::kRunning);
    EXPECT_EQ(scene.getRequest(), veru::dxt::kRequestNone);
    veru::dxt::event::ScriptedInput press{{0, 0x10}};
    scene.update(&press);
    EXPECT_GT(runToEnd(scene, nullptr, 100), 0);
}

TEST_F(AdventureSceneTest, AWaitSleepsAtMostItsCap) {
    writeScript(u"script/t.dat", {u"Wait(2000000000)", u"Wait(-5)", u"Wait(1200)"});
    AdventureScene scene(nullptr, u"script/t.dat");
    scene.setClock(&clock);
    scene.reset();
    ASSERT_TRUE(scene.create(nullptr, device.get()));
    const std::uint32_t before = clock.time;
    scene.update(nullptr);
    scene.update(nullptr);
    EXPECT_EQ(clock.time - before,
              static_cast<std::uint32_t>(AdventureScene::kMaxWaitMilliseconds) + 1200u);
}

TEST_F(AdventureSceneTest, EnglishReadsItsOwnScriptOrFallsBackToJapaneseWithOneWarning) {
    writePicture(u"img/bg2.ytx", 800, 600, 0xFF000000u);
    writeScript(u"script/t.dat", {u"Back(img/bg.ytx)"});
    writeScript(u"script/t.en.dat", {u"Back(img/bg2.ytx)", u"Back(img/bg2.ytx)"});
    writeScript(u"script/j.dat", {u"Back(img/bg.ytx)"});
    veru::setCurrentLanguage(veru::Language::english);
    AdventureScene english(nullptr, u"script/t.dat");
    english.reset();
    ASSERT_TRUE(english.create(nullptr, device.get()));
    EXPECT_EQ(english.getPendingStatements(), 2u);
    for (int pass = 0; pass < 2; ++pass) {
        AdventureScene fallback(nullptr, u"script/j.dat");
        fallback.reset();
        ASSERT_TRUE(fallback.create(nullptr, device.get()));
        EXPECT_EQ(fallback.getPendingStatements(), 1u);
    }
    veru::setCurrentLanguage(veru::Language::japanese);
    ASSERT_EQ(boxes.count(), 1u);
    EXPECT_EQ(boxes.messages()[0].kind, veru::awt::MessageKind::warning);
    EXPECT_NE(boxes.messages()[0].text.indexOf(u"script/j.en.dat"), -1);
}
