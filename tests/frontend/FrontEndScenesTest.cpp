// The logo, title menu and configuration scenes on the real game data.

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/input/ButtonMap.h"
#include "engine/input/InputKeyboard.h"
#include "engine/input/ScriptedInput.h"
#include "engine/io/Scrambler.h"
#include "engine/scene/SceneManager.h"
#include "engine/sound/SoundManger.h"
#include "frontend/ConfigScene.h"
#include "frontend/GameSetting.h"
#include "frontend/LogoScene.h"
#include "frontend/MenuSceneOld.h"
#include "tests/engine/graphics/DrawingTestSupport.h"
#include "tests/support/RecordingMessageSink.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using namespace mirelune::test;
using ml::ConfigScene;
using ml::GameSetting;

namespace {

constexpr int kUp = 0x1, kDown = 0x2, kLeft = 0x4, kRight = 0x8;

class FrontEndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        veru::io::registerGameFileKeys();
        for (const char* part : {"img", "sound", "script"}) {
            fs::create_directory_symlink(fs::path(MIRELUNE_GAME_DATA) / part, dir.path() / part);
        }
        fs::current_path(dir.path());
        setting = std::make_unique<GameSetting>(dir.file("setting.env"));
    }
    void TearDown() override { fs::current_path(previous); }

    // Feeds one button word per frame.
    void frames(veru::dxt::Scene& scene, std::initializer_list<int> words) {
        for (int w : words) {
            veru::dxt::event::ScriptedInput input{{0, w}};
            scene.update(&input);
        }
    }
    void start(veru::dxt::Scene& scene) {
        scene.release();
        scene.reset();
        ASSERT_TRUE(scene.create(nullptr, device.get()));
    }

    fs::path previous = fs::current_path();
    TempDir dir;
    RecordingMessageSink boxes;
    std::unique_ptr<veru::platform::VideoDevice> device = makeOffscreenDevice();
    veru::dxt::SceneManager manager;
    std::unique_ptr<GameSetting> setting;
};

}  // namespace

TEST_F(FrontEndTest, TheLogoCannotBeSkipped) {
    ml::LogoScene logo(&manager);
    start(logo);
    int frame = 0;
    while (logo.getRequest() == veru::dxt::kRequestNone && frame < 1000) {
        frames(logo, {frame % 3 ? 0x3FFF : 0x10});
        ++frame;
    }
    EXPECT_EQ(frame, 165);
    EXPECT_EQ(logo.getRequest(), veru::dxt::kRequestNext);
}

TEST_F(FrontEndTest, TheMenuConfirmsOncePerPressAndEndQuitsWithoutAFade) {
    ml::MenuSceneOld menu(&manager, setting.get());
    start(menu);
    while (menu.getPhase() == ml::MenuSceneOld::kFadeIn)
        frames(menu, {0});
    frames(menu, {kDown, kDown});  // held: moves once
    EXPECT_EQ(menu.getIndex(), 1);
    frames(menu, {0, kUp, 0, kUp});  // wraps to the last item
    EXPECT_EQ(menu.getIndex(), 2);
    frames(menu, {0x10});
    EXPECT_EQ(menu.getRequest(), veru::dxt::kRequestQuit);

    ml::MenuSceneOld again(&manager, setting.get());
    start(again);
    while (again.getPhase() == ml::MenuSceneOld::kFadeIn)
        frames(again, {0});
    frames(again, {0x10, 0x10, 0x10});
    EXPECT_EQ(again.getPhase(), ml::MenuSceneOld::kFadeOut | ml::MenuSceneOld::kStartChosen);
    int frame = 0;
    while (again.getRequest() == veru::dxt::kRequestNone && frame++ < 200)
        frames(again, {0x10});
    EXPECT_EQ(frame + 2, 52);  // start fades out in steps of 5 (two frames were above)
    EXPECT_EQ(again.getRequest(), veru::dxt::kRequestJump);
    EXPECT_EQ(again.takeRequestArgument(), 4);  // the prologue
    EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(FrontEndTest, ChangingRowsRestoresTheSavedChoice) {
    setting->setLevel(GameSetting::kLevelEasy);
    ConfigScene config(&manager, setting.get());
    start(config);
    while (config.getPhase() == ConfigScene::kFadeIn)
        frames(config, {0});
    EXPECT_EQ(config.getLevelChoice(), 0);
    frames(config, {kDown, 0, kRight, 0});  // level row: easy -> normal, not confirmed
    EXPECT_EQ(config.getRow(), ConfigScene::kRowLevel);
    EXPECT_EQ(config.getLevelChoice(), 1);
    frames(config, {kUp});  // leaving the row discards it
    EXPECT_EQ(config.getLevelChoice(), 0);
    frames(config, {0, kDown, 0, kLeft, 0, 0x10});  // easy -> hard (wraps), confirmed
    EXPECT_EQ(setting->getLevel(), GameSetting::kLevelHard);
    frames(config, {0, kUp, 0, kDown});
    EXPECT_EQ(config.getLevelChoice(), 2);
}

TEST_F(FrontEndTest, KeyAssignmentTakesSingleFreshButtonsAndResolvesConflicts) {
    ConfigScene config(&manager, setting.get());
    start(config);
    while (config.getPhase() == ConfigScene::kFadeIn)
        frames(config, {0});
    frames(config, {kDown, 0, kDown, 0, 0x10});
    ASSERT_EQ(config.getPhase(), ConfigScene::kKeyAssignment);
    EXPECT_EQ(config.getAssigning(), 0);
    frames(config, {0x10});  // still the press that started it: ignored
    EXPECT_EQ(setting->getMaskShoot(), 0);
    frames(config, {0, kLeft, 0x40 | 0x80, 0});  // a direction, two at once: nothing
    EXPECT_EQ(config.getAssigning(), 0);
    frames(config, {0x10, 0x10, 0});  // shoot = button 1, held: counts once
    EXPECT_EQ(setting->getMaskShoot(), 0x10);
    EXPECT_EQ(config.getAssigning(), 1);
    frames(config, {0x10, 0});  // special takes button 1: shoot moves to the lowest free
    EXPECT_EQ(setting->getMaskSpecial(), 0x10);
    EXPECT_EQ(setting->getMaskShoot(), 0x20);
    frames(config, {0x40, 0, 0x80, 0, 0x2000});
    EXPECT_EQ(config.getPhase(), ConfigScene::kMenu);
    EXPECT_EQ(config.getAssigning(), -1);
    auto& map = veru::dxt::event::ButtonMap::global();
    EXPECT_EQ(map.mask(veru::dxt::event::ButtonMap::kShoot), 0x20);
    EXPECT_EQ(map.mask(veru::dxt::event::ButtonMap::kPause), 0x2000);
    EXPECT_EQ(boxes.count(), 0u);
}

namespace {
// The keyboard's key names over a scripted word.
class KeyboardScript : public veru::dxt::event::ScriptedInput {
  public:
    using ScriptedInput::ScriptedInput;
    veru::YString buttonKeyName(int bit) const override {
        return veru::dxt::event::InputKeyboard::keyNameOf(bit);
    }
};

// Mean brightness of the gauge's pip `i` on the row whose top is `rowY`.
double pip(const Frame& frame, int rowY, int i) {
    return frame.brightness(30 + 200 + 30 + 24 * i + 5, rowY + 12 + 6, 8, 20);
}
}  // namespace

TEST_F(FrontEndTest, VolumeRowsStepWithLeftAndRightAndShowTheirGauges) {
    setting->setEffectVolume(GameSetting::kMaxVolume);
    setting->setMusicVolume(GameSetting::kMaxVolume);
    ConfigScene config(&manager, setting.get());
    start(config);
    while (config.getPhase() == ConfigScene::kFadeIn)
        frames(config, {0});
    frames(config, {kDown, 0, kDown, 0, kDown, 0});
    ASSERT_EQ(config.getRow(), ConfigScene::kRowMusic);
    frames(config, {kLeft, kLeft, kLeft, 0, kLeft, 0});  // a held press counts once
    EXPECT_EQ(setting->getMusicVolume(), 8);
    frames(config, {kDown, 0, kRight, 0});  // effects: already full
    ASSERT_EQ(config.getRow(), ConfigScene::kRowEffect);
    EXPECT_EQ(setting->getEffectVolume(), GameSetting::kMaxVolume);
    for (int i = 0; i < 12; ++i)
        frames(config, {kLeft, 0});
    EXPECT_EQ(setting->getEffectVolume(), 0);

    config.draw(device.get());
    const Frame frame = readFrame(device.get());
    ASSERT_EQ(frame.width, 800);
    const int musicY = 76 + 64 * 2 + 208;
    const int effectY = musicY + 54;
    const double lit = pip(frame, musicY, 0);
    const double unlit = pip(frame, musicY, 9);
    EXPECT_GT(lit, unlit + 40);
    for (int i = 0; i < GameSetting::kMaxVolume; ++i) {
        EXPECT_NEAR(pip(frame, musicY, i), i < 8 ? lit : unlit, 12) << i;
        EXPECT_NEAR(pip(frame, effectY, i), unlit, 12) << i;
    }
    EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(FrontEndTest, TheScreenRowOffersWindowSizesBesideFullScreen) {
    setting->setWindowScale(2);
    ConfigScene config(&manager, setting.get());
    start(config);
    // No frame here: the largest choice of sizes is offered.
    EXPECT_EQ(config.getWindowChoices(), ConfigScene::kMaxOfferedScale);
    EXPECT_EQ(config.getScreenChoice(), 1);
    while (config.getPhase() == ConfigScene::kFadeIn)
        frames(config, {0});
    frames(config, {kRight, 0, 0x10, 0});  // 3x
    EXPECT_EQ(setting->getWindowScale(), 3);
    EXPECT_FALSE(setting->isFullScreen());
    frames(config, {kRight, 0, 0x10, 0});  // full screen: the size is kept for later
    EXPECT_TRUE(setting->isFullScreen());
    EXPECT_EQ(setting->getWindowScale(), 3);
    EXPECT_EQ(config.getScreenChoice(), 3);
    frames(config, {kRight, 0, 0x10, 0});  // wraps to 1x
    EXPECT_FALSE(setting->isFullScreen());
    EXPECT_EQ(setting->getWindowScale(), 1);
}

TEST_F(FrontEndTest, KeyboardPlayersSeeTheirKeysBesideTheButtons) {
    ConfigScene config(&manager, setting.get());
    start(config);
    auto labelArea = [&](veru::dxt::event::InputInterface& input) {
        config.update(&input);
        config.draw(device.get());
        // Beyond "Button-1", where the key's name goes.
        return readFrame(device.get()).brightness(448 + 84, 204 + 20, 40, 24);
    };
    while (config.getPhase() == ConfigScene::kFadeIn)
        frames(config, {0});
    veru::dxt::event::ScriptedInput pad{{0, 0}};
    KeyboardScript keyboard{{0, 0}};
    const double padArea = labelArea(pad);
    EXPECT_EQ(config.labelText(0).toUtf8(), "Button-1");
    const double keyArea = labelArea(keyboard);
    EXPECT_EQ(config.labelText(0).toUtf8(), "Button-1 Z");
    EXPECT_EQ(config.labelText(4).toUtf8(), "Button-5 A");
    EXPECT_GT(keyArea, padArea + 5);
    setting->setMaskShoot(0x800);
    EXPECT_EQ(config.labelText(0).toUtf8(), "Button-8 Return");
    setting->setMaskShoot(0x30);  // two buttons: no label
    EXPECT_TRUE(config.labelText(0).empty());
}

TEST_F(FrontEndTest, WithoutASoundDeviceTheConfigurationSaysSo) {
    ConfigScene config(&manager, setting.get());
    start(config);
    while (config.getPhase() == ConfigScene::kFadeIn)
        frames(config, {0});
    config.draw(device.get());
    const double quiet = readFrame(device.get()).brightness(262, 530, 400, 40);
    veru::sound::SoundManger sounds;
    testing::internal::CaptureStderr();
    ASSERT_TRUE(sounds.create(nullptr));  // SDL's silent driver: no sound card
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("no sound device was found"), std::string::npos);
    manager.attach(nullptr, &sounds, nullptr, device.get());
    start(config);
    while (config.getPhase() == ConfigScene::kFadeIn)
        frames(config, {0});
    config.draw(device.get());
    EXPECT_GT(readFrame(device.get()).brightness(262, 530, 400, 40), quiet + 3);
    // The tune for the music volume plays only on its row, and is made once.
    EXPECT_EQ(sounds.getStreamCount(), 0u);
    frames(config, {kDown, 0, kDown, 0, kDown, 0});
    EXPECT_EQ(sounds.getStreamCount(), 1u);
    frames(config, {kLeft, 0, kDown, 0, kUp, 0});
    EXPECT_EQ(sounds.getStreamCount(), 1u);
    EXPECT_EQ(sounds.getLevel(veru::sound::SoundManger::Category::music), 9);
    config.release();
    manager.attach(nullptr, nullptr, nullptr, device.get());  // `sounds` goes first
    EXPECT_EQ(boxes.count(), 0u);
}
