// The practice menu: what each press chooses, and the scene handing its
// choice to the stage on the real game data.

#include "frontend/PracticeScene.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "engine/input/ButtonMap.h"
#include "engine/input/ScriptedInput.h"
#include "engine/io/Scrambler.h"
#include "engine/scene/PlayStatus.h"
#include "engine/scene/SceneManager.h"
#include "game/settings/GameSetting.h"
#include "game/shooting/object/ObjectCodes.h"
#include "game/shooting/object/bosses/BossTable.h"
#include "tests/engine/graphics/DrawingTestSupport.h"
#include "tests/support/RecordingMessageSink.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using namespace mirelune::test;
using ml::GameSetting;
using ml::PracticeChoice;
using namespace ml::shooting::object;

namespace {

constexpr int kUp = 0x1, kDown = 0x2, kLeft = 0x4, kRight = 0x8, kShot = 0x10, kBomb = 0x40;

PracticeChoice::Action press(PracticeChoice& choice, int word, int times = 1) {
    PracticeChoice::Action last = PracticeChoice::Action::none;
    for (int i = 0; i < times; ++i)
        last = choice.press(word, kShot, kBomb);
    return last;
}

}  // namespace

TEST(PracticeChoice, DefaultsFollowWhatIsPractisedAndTheCountsStopAtTheirEnds) {
    PracticeChoice choice(2, GameSetting::kLevelHard);
    const ml::StageHeroine& hotaru = choice.getHeroine();
    EXPECT_EQ(hotaru.number, 2);
    EXPECT_EQ(choice.getLevel(), GameSetting::kLevelHard);
    // A part of her stage, as a new game starts it.
    EXPECT_EQ(choice.plan().from, hotaru.stageParts.front().from);
    EXPECT_EQ(choice.shownPower(), LEVEL_MIN);
    EXPECT_EQ(choice.plan().lives, veru::dxt::PlayStatus::kStartLives);
    EXPECT_EQ(choice.plan().stock, veru::dxt::PlayStatus::kStartStock);
    // Her last part is her boss, met at the full shot level.
    press(choice, kDown, 3);
    ASSERT_EQ(choice.getRow(), PracticeChoice::where);
    press(choice, kLeft);
    EXPECT_EQ(choice.plan().boss, hotaru.stageParts.back().boss);
    EXPECT_EQ(choice.shownPower(), LEVEL_MAX);
    // Any boss of the table; a chosen shot level is kept.
    press(choice, kUp);
    press(choice, kRight);
    ASSERT_TRUE(choice.isBoss());
    EXPECT_EQ(choice.plan().boss, bossRows().front().name);
    press(choice, kDown, 2);
    press(choice, kLeft);
    EXPECT_EQ(choice.plan().power, LEVEL_4);
    press(choice, kDown);
    press(choice, kLeft, 10);
    EXPECT_EQ(choice.getLives(), 0);
    press(choice, kDown);
    press(choice, kRight, 20);
    EXPECT_EQ(choice.getStock(), veru::dxt::PlayStatus().stockMax);
    // Confirm starts only on "start"; bomb goes back from anywhere.
    EXPECT_EQ(press(choice, kShot), PracticeChoice::Action::none);
    press(choice, kDown);
    EXPECT_EQ(press(choice, kShot), PracticeChoice::Action::start);
    EXPECT_EQ(press(choice, kBomb), PracticeChoice::Action::back);
    press(choice, kDown, 2);  // the rows wrap both ways
    EXPECT_EQ(choice.getRow(), PracticeChoice::heroine);
    press(choice, kUp);
    EXPECT_EQ(choice.getRow(), PracticeChoice::back);
}

TEST(PracticeScene, StartHandsTheChoiceToTheHeroinesStageAndBombGoesBack) {
    veru::io::registerGameFileKeys();
    const fs::path previous = fs::current_path();
    fs::current_path(MIRELUNE_GAME_DATA);
    {
        TempDir dir;
        RecordingMessageSink boxes;
        auto device = makeOffscreenDevice();
        veru::dxt::SceneManager manager;
        GameSetting setting(dir.file("setting.env"));
        veru::dxt::PlayStatus status;
        status.character = 1;
        std::optional<ml::StageStart> handed;
        int handedLevel = 0;
        const ml::StageHeroine* handedTo = nullptr;
        ml::PracticeScene scene(
            &manager, &setting, &status,
            [&](const ml::StageHeroine& heroine, const ml::StageStart& start, int level) {
                handedTo = &heroine;
                handed = start;
                handedLevel = level;
            });
        auto run = [&](std::initializer_list<int> words) {
            for (int word : words) {
                veru::dxt::event::ScriptedInput input{{0, word}};
                scene.update(&input);
                scene.draw(device.get());
            }
        };
        for (bool starting : {false, true}) {
            scene.release();
            scene.reset();
            scene.clearRequest();  // as the scene manager does on entry
            ASSERT_TRUE(scene.create(nullptr, device.get()));
            // A shot held from the title menu does nothing until released.
            for (int f = 0; f < 40; ++f)
                run({kShot});
            EXPECT_EQ(scene.getRequest(), veru::dxt::kRequestNone);
            if (!starting) {
                run({0, kBomb});
                EXPECT_EQ(scene.requestedExit(), veru::dxt::SceneExit::back);
                continue;
            }
            run({0, kRight, 0, kDown, 0, kRight});  // Hotaru, hard
            for (int i = 0; i < 6; ++i)
                run({kDown, 0});
            run({kShot});
            EXPECT_TRUE(scene.isFadingOut());
            for (int f = 0; f < 60 && scene.getRequest() == veru::dxt::kRequestNone; ++f)
                run({0});
            EXPECT_EQ(scene.requestedExit(), veru::dxt::SceneExit::next);
        }
        ASSERT_TRUE(handed);
        EXPECT_EQ(handedTo, &ml::hotaruHeroine());
        EXPECT_EQ(status.character, 2);
        EXPECT_EQ(handedLevel, GameSetting::kLevelHard);
        EXPECT_EQ(handed->from, ml::hotaruHeroine().stageParts.front().from);
        EXPECT_TRUE(boxes.messages().empty());
        scene.release();
    }
    fs::current_path(previous);
}
