// The logo, title menu and configuration scenes on the real game data.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <thread>

#include "engine/core/Language.h"
#include "engine/effects/Random.h"
#include "engine/input/ActionBindings.h"
#include "engine/input/ButtonMap.h"
#include "engine/input/ScriptedInput.h"
#include "engine/io/Scrambler.h"
#include "engine/material/PicturePreload.h"
#include "engine/scene/PlayStatus.h"
#include "engine/scene/SceneManager.h"
#include "engine/sound/SoundManger.h"
#include "engine/sound/SoundPreload.h"
#include "frontend/ConfigScene.h"
#include "frontend/LogoScene.h"
#include "frontend/MenuScene.h"
#include "frontend/MenuSceneOld.h"
#include "frontend/ReplayListScene.h"
#include "frontend/ReplayWatch.h"
#include "game/ReplayLibrary.h"
#include "game/ShootingScene.h"
#include "game/StageHeroine.h"
#include "game/settings/GameSetting.h"
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

// The game's language is one global: a test that speaks another puts it back.
class ScopedLanguage {
  public:
    explicit ScopedLanguage(veru::Language language) { veru::setCurrentLanguage(language); }
    ~ScopedLanguage() { veru::setCurrentLanguage(was); }
    ScopedLanguage(const ScopedLanguage&) = delete;
    ScopedLanguage& operator=(const ScopedLanguage&) = delete;

  private:
    veru::Language was = veru::currentLanguage();
};

class FrontEndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        veru::io::registerGameFileKeys();
        for (const char* part : {"sound", "script"}) {
            fs::create_directory_symlink(fs::path(MIRELUNE_GAME_DATA) / part, dir.path() / part);
        }
        linkPictures();
        fs::current_path(dir.path());
        setting = std::make_unique<GameSetting>(dir.file("setting.env"));
    }
    void TearDown() override { fs::current_path(previous); }

    // The game's pictures, one link each, so that a picture the game does not
    // have yet can stand in: the heroines' menu items borrow "start"'s.
    void linkPictures() {
        const fs::path from = fs::path(MIRELUNE_GAME_DATA) / "img";
        const fs::path to = dir.path() / "img";
        fs::create_directory(to);
        for (const auto& entry : fs::directory_iterator(from))
            fs::create_symlink(entry.path(), to / entry.path().filename());
        for (const char* heroine : {"ML", "QZ"}) {
            for (const char* state : {"_n", "_s"}) {
                const std::string name = std::string("menu_start") + heroine + state + ".ytx";
                if (!fs::exists(to / name))
                    fs::create_symlink(from / (std::string("menu_start") + state + ".ytx"),
                                       to / name);
            }
        }
    }

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
    EXPECT_EQ(again.requestedExit(), veru::dxt::SceneExit::story);
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
    EXPECT_EQ(config.getAssigning(), 0);
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
    const int musicY = ConfigScene::rowY(ConfigScene::kRowMusic);
    const int effectY = ConfigScene::rowY(ConfigScene::kRowEffect);
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

namespace {
// A keyboard and pad as the game reads them: each frame one fresh press
// (or none) and the pad in use.
class Devices : public veru::dxt::event::InputInterface {
  public:
    bool setup(veru::platform::InputSystem*, veru::platform::Window*) override { return true; }
    int poll() override {
        fresh = next;
        next = {};
        return 0;
    }
    veru::dxt::event::FreshPress freshPress() const override { return fresh; }
    veru::dxt::event::PadInUse padInUse() const override { return pad; }

    veru::dxt::event::FreshPress next;
    veru::dxt::event::PadInUse pad;

  private:
    veru::dxt::event::FreshPress fresh;
};
}  // namespace

TEST_F(FrontEndTest, ActionsTakeKeysAndPadButtonsAndShowThemByTheirNames) {
    using veru::dxt::event::Control;
    using veru::platform::PadButton;
    namespace keys = veru::platform::keys;
    const ScopedLanguage english(veru::Language::english);
    veru::dxt::event::ActionBindings bindings;
    ConfigScene config(&manager, setting.get(), &bindings);
    start(config);
    while (config.getPhase() == ConfigScene::kFadeIn)
        frames(config, {0});
    Devices input;
    input.pad = {true, "Virtual PlayStation Pad", veru::platform::PadStyle::playstation};
    auto key = [&](veru::platform::KeyCode k) {
        input.next.key = k;
        config.update(&input);
        config.update(&input);  // let go
    };
    auto button = [&](PadButton b) {
        input.next.padButton = b;
        config.update(&input);
        config.update(&input);
    };
    config.update(&input);
    EXPECT_EQ(config.labelText(0).toUtf8(), "Z  [Cross]");
    EXPECT_EQ(config.labelText(3).toUtf8(), "V, Left Shift  [Triangle / R1]");
    EXPECT_EQ(config.padLine().toUtf8(), "Pad: Virtual PlayStation Pad");

    frames(config, {kDown, 0, kDown, 0, 0x10});
    ASSERT_EQ(config.getPhase(), ConfigScene::kKeyAssignment);
    EXPECT_EQ(config.labelText(0).toUtf8(), "press a key or button");
    const veru::platform::KeyCode w = 26;
    key(w);  // shoot: W, and Z after it
    EXPECT_EQ(config.getAssigning(), 1);
    key(keys::up);                // the cursor keys stay directions
    button(PadButton::dpadLeft);  // and so does the d-pad
    EXPECT_EQ(config.getAssigning(), 1);
    button(PadButton::rightTrigger);  // special
    key(keys::leftShift);             // bomb: taken off slow
    button(PadButton::start);         // slow: taken off pause
    input.next.rawButton = 0;         // pause, from a pad SDL cannot map: button 1
    config.update(&input);
    EXPECT_EQ(config.getPhase(), ConfigScene::kMenu);
    EXPECT_EQ(config.labelText(0).toUtf8(), "W, Z  [Cross]");
    EXPECT_EQ(config.labelText(1).toUtf8(), "X  [R2]");
    EXPECT_EQ(config.labelText(2).toUtf8(), "Left Shift, C  [Circle]");
    EXPECT_EQ(config.labelText(3).toUtf8(), "V  [Options]");
    EXPECT_EQ(config.labelText(4).toUtf8(), "A, Esc");
    auto& map = veru::dxt::event::ButtonMap::global();
    EXPECT_EQ(map.mask(veru::dxt::event::ButtonMap::kPause), 0x10);
    EXPECT_EQ(map.mask(veru::dxt::event::ButtonMap::kShoot), 0x100);  // the lowest free

    // Back to the defaults, chosen beside the key row.
    frames(config, {0, kRight, 0});
    EXPECT_EQ(config.getKeyRowChoice(), ConfigScene::kKeyDefaults);
    frames(config, {0x100, 0});  // confirm follows shoot to its new button
    EXPECT_EQ(config.getPhase(), ConfigScene::kMenu);
    const veru::dxt::event::ActionBindings defaults;
    for (Control c : {Control::shoot, Control::special, Control::bomb, Control::slow})
        EXPECT_EQ(bindings.of(c), defaults.of(c)) << static_cast<int>(c);
    EXPECT_EQ(map.mask(veru::dxt::event::ButtonMap::kShoot), 0x10);
    EXPECT_EQ(setting->getMaskPause(), 0x100);

    input.pad = {};
    config.update(&input);
    EXPECT_EQ(config.padLine().toUtf8(), "Pad: none");
    EXPECT_EQ(config.labelText(0).toUtf8(), "Z");
    config.draw(device.get());
    EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(FrontEndTest, WithoutASoundDeviceTheConfigurationSaysSo) {
    ConfigScene config(&manager, setting.get());
    start(config);
    while (config.getPhase() == ConfigScene::kFadeIn)
        frames(config, {0});
    config.draw(device.get());
    // The no-sound line stands beside the volume gauges.
    const int lineY = ConfigScene::rowY(ConfigScene::kRowMusic);
    const double quiet = readFrame(device.get()).brightness(516, lineY, 260, 90);
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
    EXPECT_GT(readFrame(device.get()).brightness(516, lineY, 260, 90), quiet + 3);
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

namespace {
// Sets an environment variable for a test's length.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name(name) {
        if (const char* old = std::getenv(name))
            was = old;
        setenv(name, value, 1);
    }
    ~ScopedEnv() {
        if (was)
            setenv(name, was->c_str(), 1);
        else
            unsetenv(name);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    const char* name;
    std::optional<std::string> was;
};

// How much two frames differ over a rectangle: the mean absolute
// difference of their channels, 0-255.
double difference(const Frame& a, const Frame& b, int x, int y, int w, int h) {
    double sum = 0;
    for (int j = y; j < y + h; ++j) {
        for (int i = x; i < x + w; ++i) {
            for (int shift : {0, 8, 16})
                sum += std::abs(static_cast<int>((a.at(i, j) >> shift) & 0xFF) -
                                static_cast<int>((b.at(i, j) >> shift) & 0xFF));
        }
    }
    return sum / (3.0 * w * h);
}

// The configuration opened in Japanese, on a desktop that speaks Japanese.
class ConfigLanguageTest : public FrontEndTest {
  protected:
    void SetUp() override {
        FrontEndTest::SetUp();
        scene = std::make_unique<ConfigScene>(&manager, setting.get());
        start(*scene);
        while (scene->getPhase() == ConfigScene::kFadeIn)
            frames(*scene, {0});
    }
    const ScopedLanguage japanese{veru::Language::japanese};
    const ScopedEnv desktop{"LANGUAGE", "ja"};
    std::unique_ptr<ConfigScene> scene;
};
}  // namespace

TEST_F(ConfigLanguageTest, EveryRowOfChoicesStepsThroughItsSettingsValues) {
    using ml::settings::kConfigRows;
    ConfigScene& config = *scene;
    // "Return" follows the table's rows: up from the first row wraps to it.
    frames(config, {kUp, 0});
    EXPECT_EQ(config.getRow(), ConfigScene::kRowReturn);
    frames(config, {kDown, 0});
    for (int row = 0; row < ml::settings::kConfigRowCount; ++row, frames(config, {kDown, 0})) {
        ASSERT_EQ(config.getRow(), row);
        if (kConfigRows[row].shown != ml::settings::Shown::choices)
            continue;
        const ml::settings::KeyInfo& key = ml::settings::info(kConfigRows[row].key);
        const int count = key.high - key.low + 1;
        const int first = config.getChoice(row);
        EXPECT_EQ(setting->value(kConfigRows[row].key), key.low + first) << row;
        // Right and confirm, once round: every value of the setting, then the first again.
        for (int step = 1; step <= count; ++step) {
            frames(config, {kRight, 0, 0x10, 0});
            EXPECT_EQ(setting->value(kConfigRows[row].key), key.low + (first + step) % count)
                << "row " << row << " step " << step;
        }
    }
    EXPECT_EQ(config.getRow(), ConfigScene::kRowReturn);
    EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(ConfigLanguageTest, TheLanguageRowSpeaksAtOnceRedrawsTheScreenAndIsSaved) {
    ConfigScene& config = *scene;
    for (int row = 0; row < ConfigScene::kRowLanguage; ++row)
        frames(config, {kDown, 0});
    ASSERT_EQ(config.getRow(), ConfigScene::kRowLanguage);
    EXPECT_EQ(config.getChoice(ConfigScene::kRowLanguage), GameSetting::kLanguageDesktop);
    EXPECT_EQ(config.padLine().toUtf8(), "パッド：なし");
    config.draw(device.get());
    const Frame before = readFrame(device.get());

    frames(config, {kRight, 0, kRight, 0});  // English, not yet confirmed
    EXPECT_EQ(veru::currentLanguage(), veru::Language::japanese);
    frames(config, {0x10, 0x10, 0x10});  // confirmed, and held: taken once
    EXPECT_EQ(setting->getLanguage(), GameSetting::kLanguageEnglish);
    EXPECT_EQ(veru::currentLanguage(), veru::Language::english);
    EXPECT_EQ(config.getPhase(), ConfigScene::kMenu);
    EXPECT_EQ(config.getRow(), ConfigScene::kRowLanguage);
    EXPECT_EQ(config.getChoice(ConfigScene::kRowLanguage), GameSetting::kLanguageEnglish);
    EXPECT_EQ(config.padLine().toUtf8(), "Pad: none");
    config.draw(device.get());
    const Frame after = readFrame(device.get());
    // The rows' names and the heading are drawn anew in English; the
    // language's own choices read the same in both.
    for (int row : {ConfigScene::kRowScreen, ConfigScene::kRowLevel, ConfigScene::kRowMusic})
        EXPECT_GT(difference(before, after, 30, ConfigScene::rowY(row), 200, 56), 2.0) << row;
    EXPECT_GT(difference(before, after, 20, 10, 280, 50), 2.0);

    // "Follow the desktop" asks the desktop again: Japanese here.
    frames(config, {0, kRight, 0, 0x10, 0});
    EXPECT_EQ(setting->getLanguage(), GameSetting::kLanguageDesktop);
    EXPECT_EQ(veru::currentLanguage(), veru::Language::japanese);
    frames(config, {kLeft, 0, 0x10, 0});  // wraps to English
    EXPECT_EQ(veru::currentLanguage(), veru::Language::english);

    // Kept in the settings file and read back as the same choice.
    setting->save();
    GameSetting again(dir.file("setting.env"));
    EXPECT_EQ(again.getLanguage(), GameSetting::kLanguageEnglish);
    EXPECT_EQ(again.languageFor(veru::Language::japanese), veru::Language::english);
    // Leaving goes back to the title menu as before.
    frames(config, {kDown, 0, 0x10});
    int frame = 0;
    while (config.getRequest() == veru::dxt::kRequestNone && frame++ < 100)
        frames(config, {0});
    EXPECT_EQ(config.getRequest(), veru::dxt::kRequestPrevious);
    EXPECT_EQ(boxes.count(), 0u);
}

namespace {
constexpr int kShoot = 0x10, kBomb = 0x40;

// The title menu of this edition over a play status of its own.
class MenuSceneTest : public FrontEndTest {
  protected:
    void open(ml::MenuScene& menu) {
        shown = &menu;
        start(menu);
        while (menu.getPhase() == ml::MenuScene::kFadeIn)
            frames(menu, {0});
    }
    // Mean brightness around the centre of the item row `row` (0 = start)
    // of the menu opened last.
    double row(int row) {
        return readFrame(device.get()).brightness(300, shown->itemY(row) - 15, 200, 30);
    }
    veru::dxt::PlayStatus status;
    const ml::TitleMenu* shown = nullptr;
};
}  // namespace

TEST_F(MenuSceneTest, StartOffersTheHeroinesAndTheChoiceGoesIntoThePlayStatus) {
    ml::MenuScene menu(&manager, setting.get(), &status);
    open(menu);
    EXPECT_FALSE(menu.isChoosing());
    frames(menu, {kShoot});
    ASSERT_TRUE(menu.isChoosing());
    EXPECT_EQ(menu.getCharacterChoice(), ml::shiroHeroine().number);
    // Buttons held as the choice opens (the shot that opened it, a direction)
    // neither confirm nor move; once released they count.
    frames(menu, {kShoot | kDown, kShoot | kDown, kDown});
    EXPECT_TRUE(menu.isChoosing());
    EXPECT_EQ(menu.getCharacterChoice(), ml::shiroHeroine().number);
    frames(menu, {0, kDown, kDown, 0});  // once per press
    EXPECT_EQ(menu.getCharacterChoice(), ml::hotaruHeroine().number);
    frames(menu, {kUp, 0, kUp});  // wraps both ways
    EXPECT_EQ(menu.getCharacterChoice(), ml::hotaruHeroine().number);
    EXPECT_EQ(status.character, ml::shiroHeroine().number);  // not until confirmed
    frames(menu, {kShoot});
    EXPECT_FALSE(menu.isChoosing());
    EXPECT_EQ(menu.getPhase(), ml::MenuScene::kFadeOut | ml::MenuScene::kStartChosen);
    EXPECT_EQ(status.character, ml::hotaruHeroine().number);
    int frame = 0;
    while (menu.getRequest() == veru::dxt::kRequestNone && frame++ < 200)
        frames(menu, {kShoot});
    EXPECT_EQ(frame, 52);  // the same fade into the prologue as the first edition's menu
    EXPECT_EQ(menu.requestedExit(), veru::dxt::SceneExit::story);

    // Back at the title, the heroine flown last is offered first.
    open(menu);
    frames(menu, {kShoot, 0});
    EXPECT_EQ(menu.getCharacterChoice(), ml::hotaruHeroine().number);
    EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(MenuSceneTest, BombBacksOutToTheItems) {
    ml::MenuScene menu(&manager, setting.get(), &status);
    open(menu);
    frames(menu, {kShoot | kBomb});  // a bomb held when the choice opens does not cancel it
    ASSERT_TRUE(menu.isChoosing());
    frames(menu, {kBomb, 0, kDown, 0});
    EXPECT_TRUE(menu.isChoosing());
    frames(menu, {kBomb});
    EXPECT_FALSE(menu.isChoosing());
    EXPECT_EQ(menu.getPhase(), ml::MenuScene::kActive);
    EXPECT_EQ(menu.getIndex(), ml::TitleMenu::kItemStart);
    // The items work as before: down past practice and the replays to
    // configuration, which fades out.
    frames(menu, {kBomb, 0, kDown, 0, kDown, 0, kDown, 0, kShoot});
    EXPECT_EQ(menu.getPhase(), ml::MenuScene::kFadeOut | ml::MenuScene::kLeaveChosen);
    while (menu.getRequest() == veru::dxt::kRequestNone)
        frames(menu, {0});
    EXPECT_EQ(menu.requestedExit(), veru::dxt::SceneExit::configure);
    EXPECT_EQ(status.character, ml::shiroHeroine().number);  // a cancelled choice changes nothing

    // Shoot and bomb on one button: the game can still be started.
    setting->setMaskBomb(kShoot);
    ml::MenuScene same(&manager, setting.get(), &status);
    open(same);
    frames(same, {kShoot, 0, kShoot});
    EXPECT_EQ(same.getPhase(), ml::MenuScene::kFadeOut | ml::MenuScene::kStartChosen);
}

TEST_F(MenuSceneTest, TheTitleCallIsDrawnFromTheGamesRandomNumbers) {
    auto callFor = [&](std::uint32_t seed) {
        veru::dxt::effect2D::seedStageRandom(seed);
        ml::MenuScene menu(&manager, setting.get(), &status);
        open(menu);
        return menu.getTitleCall();
    };
    std::set<int> heard;
    for (std::uint32_t seed = 1; seed <= 24; ++seed) {
        const int call = callFor(seed);
        EXPECT_EQ(callFor(seed), call) << seed;  // the same numbers, the same call
        heard.insert(call);
    }
    veru::dxt::effect2D::useSecureRandom();
    EXPECT_EQ(heard, (std::set<int>{0, 1, 2}));

    ml::MenuSceneOld old(&manager, setting.get());  // the first edition has Shiro's alone
    start(old);
    EXPECT_EQ(old.getTitleCall(), -1);
    while (old.getPhase() == ml::MenuSceneOld::kFadeIn)
        frames(old, {0});
    EXPECT_EQ(old.getTitleCall(), 0);
}

TEST_F(MenuSceneTest, TheChoiceIsDrawnUnderStartAndTheFadeDarkensTheScreen) {
    ml::MenuScene menu(&manager, setting.get(), &status);
    open(menu);
    menu.draw(device.get());
    const double items[3] = {row(0), row(1), row(2)};
    frames(menu, {kShoot});
    menu.draw(device.get());
    // Start stays highlighted above the heroines, Shiro's item highlighted.
    EXPECT_NEAR(row(0), items[0], 1);
    const double shiro = row(1), hotaru = row(2);
    frames(menu, {0, kDown});
    menu.draw(device.get());
    // The highlight moves to Hotaru: the two rows change the opposite way.
    const double shiroChange = row(1) - shiro, hotaruChange = row(2) - hotaru;
    EXPECT_GT(std::abs(shiroChange), 2);
    EXPECT_GT(std::abs(hotaruChange), 2);
    EXPECT_LT(shiroChange * hotaruChange, 0);
    frames(menu, {0, kBomb});
    menu.draw(device.get());
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(row(i), items[i], 1) << i;

    frames(menu, {0, kShoot, 0, kShoot});
    double last = 256;
    while (menu.getRequest() == veru::dxt::kRequestNone) {
        frames(menu, {0});
        menu.draw(device.get());
        const double now = readFrame(device.get()).brightness(0, 0, 800, 600);
        EXPECT_LE(now, last);
        last = now;
    }
    EXPECT_LT(last, 1);  // black at the end
    EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(MenuSceneTest, TheReplaysRowFadesOutToTheListAndFiveRowsFit) {
    ml::MenuScene menu(&manager, setting.get(), &status);
    open(menu);
    frames(menu, {kDown, 0, kDown, 0, kShoot});  // past practice
    EXPECT_EQ(menu.getPhase(), ml::MenuScene::kFadeOut | ml::MenuScene::kLeaveChosen);
    while (menu.getRequest() == veru::dxt::kRequestNone)
        frames(menu, {0});
    EXPECT_EQ(menu.requestedExit(), veru::dxt::SceneExit::replays);

    // Three rows stand where the first edition's did; five still fit above
    // the bottom without touching (the pictures are 64 high, the words 36).
    EXPECT_EQ(ml::TitleMenu::itemY(0, 3), 380);
    EXPECT_EQ(ml::TitleMenu::itemY(2, 3), 520);
    EXPECT_LE(ml::TitleMenu::itemY(4, 5) + 32, 600);
    EXPECT_GE(ml::TitleMenu::itemY(1, 5) - ml::TitleMenu::itemY(0, 5), 48);
    EXPECT_EQ(boxes.count(), 0u);
}

namespace {

// A short recording of Shiro's stage: she flies up and down, shooting.
ml::StageReplay shortPlay(int frames) {
    ml::StageReplay replay;
    replay.seed = 2024;
    replay.character = ml::shiroHeroine().number;
    for (int f = 0; f < frames; ++f)
        replay.words.push_back(0x10 | ((f / 45) % 2 ? kDown : kUp));
    return replay;
}

class ReplayListTest : public MenuSceneTest {
  protected:
    fs::path player = dir.path() / "player";
};

}  // namespace

TEST_F(ReplayListTest, ListsTheLibraryAndAChosenPlayIsWatchedThenTheListAgain) {
    ml::StageReplay newest = shortPlay(300);
    newest.result = ml::StageReplay::Result{1200, false, 300, 1'800'000'000};
    ml::StageReplay older = shortPlay(10);
    older.character = ml::hotaruHeroine().number;
    older.result = ml::StageReplay::Result{99, true, 10, 1'700'000'000};
    ml::keepReplay(player, older);
    ml::keepReplay(player, newest);
    const fs::path damaged = ml::replayFolder(player) / "damaged.rpl";
    writeBytes(enginePath(damaged), {'M', 'L', 'R', 'P', 9});
    fs::last_write_time(damaged, fs::file_time_type::clock::now() - std::chrono::hours(24 * 5000));

    ml::ReplayListScene list(&manager, setting.get(), &status, player);
    start(list);
    ASSERT_EQ(list.getEntries().size(), 3u);
    EXPECT_EQ(list.getEntries()[0].result->score, 1200);
    EXPECT_EQ(list.getEntries()[1].character, ml::hotaruHeroine().number);
    EXPECT_TRUE(list.getEntries()[2].damaged);
    for (int f = 0; f < 30; ++f)
        frames(list, {0});
    list.draw(device.get());

    // Up wraps to the damaged file, which is never played.
    frames(list, {kUp, 0, kShoot, 0});
    EXPECT_EQ(list.getIndex(), 2);
    EXPECT_FALSE(list.isWatching());

    // The newest play is watched in the window, at ×2 after a shot, and the
    // list is back when the recording is over.
    frames(list, {kDown, 0, kShoot});
    ASSERT_TRUE(list.isWatching());
    EXPECT_EQ(list.getWatch()->getStage()->getHeroine().number, ml::shiroHeroine().number);
    frames(list, {0, kShoot, 0});
    EXPECT_EQ(list.getWatch()->getSpeed(), 2);
    list.draw(device.get());
    int frame = 0;
    while (list.isWatching() && frame++ < 1000)
        frames(list, {0});
    EXPECT_GT(frame, 140);
    EXPECT_LT(frame, 160);  // 301 stage frames at two a frame
    EXPECT_FALSE(list.isWatching());
    EXPECT_EQ(list.getRequest(), veru::dxt::kRequestNone);
    list.draw(device.get());

    // Bomb fades out to the title menu.
    frames(list, {kBomb});
    while (list.getRequest() == veru::dxt::kRequestNone && frame++ < 2000)
        frames(list, {0});
    EXPECT_EQ(list.requestedExit(), veru::dxt::SceneExit::back);
    list.release();
    EXPECT_EQ(boxes.count(), 0u);
}

TEST_F(ReplayListTest, AnEmptyLibrarySaysSo) {
    ml::ReplayListScene list(&manager, setting.get(), &status, player);
    start(list);
    EXPECT_TRUE(list.getEntries().empty());
    frames(list, {0, kShoot, 0, kDown, 0});
    EXPECT_FALSE(list.isWatching());
    list.draw(device.get());
    EXPECT_EQ(boxes.count(), 0u);
}

// Fast-forward runs the same frames: ×4 (with a pause on the way) reaches
// the state ×1 reaches at the same frame, and the recording's masks never
// steer the watching.
TEST_F(ReplayListTest, FastForwardReachesTheSameStateAsNormalSpeed) {
    const ml::StageReplay replay = shortPlay(1500);
    ml::ReplayWatch fast(&manager, setting.get(), &status);
    ASSERT_TRUE(fast.start(replay, nullptr, device.get()));
    const int shoot = kShoot, pause = 0x100;
    for (int word : {0, shoot, 0, shoot, 0, pause, 0, 0, pause, 0}) {
        fast.update(word);
        fast.draw(device.get());
    }
    EXPECT_EQ(fast.getSpeed(), 4);
    EXPECT_FALSE(fast.isPaused());
    while (fast.getStage()->getFrameNumber() < 1000) {
        ASSERT_TRUE(fast.update(0));
        fast.draw(device.get());
    }
    const int frames = fast.getStage()->getFrameNumber();
    const std::uint64_t hash = fast.getStage()->stateHash();
    fast.stop();

    ml::ReplayWatch normal(&manager, setting.get(), &status);
    ASSERT_TRUE(normal.start(replay, nullptr, device.get()));
    while (normal.getStage()->getFrameNumber() < frames)
        ASSERT_TRUE(normal.update(0));
    EXPECT_EQ(normal.getStage()->stateHash(), hash);
    // Bomb leaves at once.
    EXPECT_FALSE(normal.update(kBomb));
    EXPECT_FALSE(normal.isWatching());
    EXPECT_EQ(boxes.count(), 0u);
}

// The title menu read ahead on a worker while the logo shows: its create then
// decodes nothing and reads no sound itself, and the menu looks the same.
TEST_F(MenuSceneTest, TheMenuReadAheadDrawsAsOneReadOnTheSpot) {
    using namespace veru::dxt::material;
    veru::sound::SoundManger sounds;
    ASSERT_TRUE(sounds.create(nullptr));
    manager.attach(nullptr, &sounds, nullptr, device.get());
    auto shownFrame = [&](bool ahead) {
        ml::MenuScene menu(&manager, setting.get(), &status);
        if (ahead) {
            std::jthread(menu.prepare()).join();
            EXPECT_GE(preloadedPictureCount(), 2 * menu.getItems().size() + 1);
            EXPECT_GE(veru::sound::preloadedSoundCount(), 3u);  // start, cancel, a title call
        }
        sounds.stopAll();
        open(menu);
        EXPECT_EQ(preloadedPictureCount(), 0u);
        EXPECT_EQ(veru::sound::preloadedSoundCount(), 0u);
        menu.draw(device.get());
        const auto pixels = readFrame(device.get()).pixels;
        menu.release();
        return pixels;
    };
    const auto ahead = shownFrame(true);
    EXPECT_EQ(shownFrame(false), ahead);
    EXPECT_EQ(boxes.count(), 0u);
    sounds.stopAll();
    manager.attach(nullptr, nullptr, nullptr, device.get());  // `sounds` goes first
}
