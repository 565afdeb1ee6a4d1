// The whole game, headless: the real game main with SDL's dummy drivers, a
// scripted input that reacts to what is on screen, and a clock that never
// sleeps. The first run plays logo -> menu -> configuration -> menu ->
// prologue -> the stage on normal (talk, shooting, a pause, a kintuba, a
// bomb, lost lives and a continue, the boss) -> closing talk -> logo ->
// menu -> end; the second refuses to continue and reaches the game-over
// screen and the title. Both check the scenes' order, the saved settings and
// what chosen frames showed. Screenshots go to build/tests/app/screenshots/.

#include "app/GameMain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <map>

#include "engine/adventure/AdventureScene.h"
#include "engine/adventure/SentenceDisplay.h"
#include "engine/adventure/TalkArea.h"
#include "engine/input/ScriptedInput.h"
#include "engine/io/KeyValueFile.h"
#include "engine/io/Scrambler.h"
#include "engine/scene/Scene.h"
#include "engine/scene/SceneManager.h"
#include "frontend/ConfigScene.h"
#include "frontend/LogoScene.h"
#include "frontend/MenuScene.h"
#include "frontend/TitleMenu.h"
#include "game/ShootingScene.h"
#include "game/StagePhase.h"
#include "game/StageReplay.h"
#include "game/shooting/cmp/AlphaParts.h"
#include "game/shooting/object/ObjectCodes.h"
#include "game/shooting/object/bosses/Boss.h"
#include "game/shooting/object/enemies/EnemyObject.h"
#include "game/shooting/object/players/Vuzez.h"
#include "tests/support/ManualClock.h"
#include "tests/support/RecordingMessageSink.h"
#include "tests/support/Screenshot.h"
#include "tests/support/StageBot.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using namespace mirelune::test;
using veru::YString;

namespace {

constexpr int kUp = 0x1, kDown = 0x2, kLeft = 0x4, kRight = 0x8;
constexpr int kButton1 = 0x10, kButton2 = 0x20, kButton3 = 0x40, kButton4 = 0x80, kButton5 = 0x100;

// Runs the game in a fresh folder holding links to the packed data, so the
// settings file it writes stays out of the build.
class GameFolder {
  public:
    GameFolder() : previous(fs::current_path()) {
        for (const char* part : {"img", "sound", "script"}) {
            fs::create_directory_symlink(fs::path(MIRELUNE_GAME_DATA) / part, dir.path() / part);
        }
        fs::current_path(dir.path());
        fs::create_directories(MIRELUNE_SCREENSHOTS);
    }
    ~GameFolder() { fs::current_path(previous); }
    const fs::path& path() const { return dir.path(); }

  private:
    TempDir dir;
    fs::path previous;
};

std::string nameOf(veru::dxt::Scene* scene) {
    if (dynamic_cast<ml::LogoScene*>(scene))
        return "logo";
    if (dynamic_cast<ml::TitleMenu*>(scene))
        return "menu";
    if (dynamic_cast<ml::ConfigScene*>(scene))
        return "config";
    if (dynamic_cast<veru::adv::AdventureScene*>(scene))
        return "talk";
    if (dynamic_cast<ml::ShootingScene*>(scene))
        return "stage";
    return "?";
}

// Presses one button word for a frame, then leaves a frame free, one
// step after the other, whenever the test asks.
class Player {
  public:
    explicit Player(veru::dxt::event::ScriptedInput& input) : input(input) {}
    // Queues presses; each lasts `hold` frames and is followed by a release.
    void queue(std::initializer_list<int> words, int hold = 1) {
        for (int w : words)
            steps.push_back({w, hold});
    }
    bool idle() const { return steps.empty() && busyUntil <= frame; }
    // Called after frame `f`: schedules what frame f + 1 reads.
    void after(int f) {
        frame = f + 1;
        if (busyUntil > frame || steps.empty())
            return;
        auto [word, hold] = steps.front();
        steps.erase(steps.begin());
        input.press(frame, word, hold);
        busyUntil = frame + hold + 1;
    }

  private:
    veru::dxt::event::ScriptedInput& input;
    std::vector<std::pair<int, int>> steps;
    int frame = 0;
    int busyUntil = 0;
};
// Turns a talk's page with button 1 (shoot by default) once the sentence waits.
void turnPageWhenWaiting(veru::dxt::Scene* scene, Player& player) {
    auto* talk = static_cast<veru::adv::AdventureScene*>(scene);
    auto* sentence = talk->getSentenceDisplay();
    if (talk->getPhase() == veru::adv::AdventureScene::kRunning && sentence &&
        sentence->getMode() == veru::adv::SentenceDisplay::kWaiting && player.idle())
        player.queue({kButton1});
}

using Shoot = std::function<void(const std::string&, veru::platform::VideoDevice*)>;

// Screenshots of the stage's chosen moments.
void shootStage(ml::ShootingScene& stage, int sceneFrame, veru::platform::VideoDevice* device,
                const Shoot& shoot) {
    using namespace ml::shooting::object;
    const int phase = stage.getPhase();
    if (phase == ml::stage::kTalk && sceneFrame > 300)
        shoot("stage_talk", device);
    if (phase == ml::stage::kShooting && stage.getPosition() == 150)
        shoot("stage_shooting", device);
    if (phase == ml::stage::kShooting && stage.getPosition() == 199)
        shoot("stage_before_pause", device);
    if (phase == ml::stage::kPaused)
        shoot("stage_paused", device);
    if (phase == ml::stage::kContinue)
        shoot("stage_continue", device);
    if (phase == ml::stage::kBossBattle && stage.getBoss() &&
        stage.getBoss()->getState() == STATE_ACTIVE)
        shoot("stage_boss_battle", device);
    if (phase == ml::stage::kEnding && stage.getInfoEnd() &&
        stage.getInfoEnd()->getPhase() == ml::shooting::cmp::AlphaParts::kPhaseHolding)
        shoot("stage_clear", device);
    if (phase == ml::stage::kGameOver && stage.getModel().getGameOverTime() > 600)
        shoot("game_over", device);
}

void checkStageShots(std::map<std::string, Frame>& shots, bool cleared) {
    for (const char* name :
         {"stage_talk", "stage_shooting", "stage_before_pause", "stage_paused", "stage_continue"})
        ASSERT_TRUE(shots.count(name)) << name;
    const Frame& shooting = shots["stage_shooting"];
    // The information area under the field holds the gauges and counters.
    EXPECT_GT(shooting.brightness(0, 480, 800, 120), 5.0);
    EXPECT_GT(shooting.brightness(0, 0, 800, 480), 5.0);  // the background
    // The pause shade darkens the frozen field.
    EXPECT_LT(shots["stage_paused"].brightness(0, 0, 800, 480),
              shots["stage_before_pause"].brightness(0, 0, 800, 480) - 2.0);
    // The continue dialog stands in the middle of the shaded screen.
    EXPECT_GT(std::abs(shots["stage_continue"].brightness(300, 200, 200, 200) -
                       shots["stage_paused"].brightness(300, 200, 200, 200)),
              1.0);
    if (cleared) {
        ASSERT_TRUE(shots.count("stage_boss_battle") && shots.count("stage_clear"));
        // The boss gauge in the lower right corner of the information area.
        EXPECT_GT(shots["stage_boss_battle"].brightness(560, 540, 230, 50),
                  shooting.brightness(560, 540, 230, 50) + 1.0);
        EXPECT_GT(shots["stage_clear"].brightness(200, 200, 400, 80), 5.0);
    } else {
        ASSERT_TRUE(shots.count("game_over"));
        EXPECT_GT(shots["game_over"].brightness(0, 0, 800, 600), 5.0);
    }
}

}  // namespace

TEST(GameMain, PlaysTheWholeTrialHeadless) {
    GameFolder folder;
    veru::io::registerGameFileKeys();  // as the program entry does
    RecordingMessageSink boxes;
    ManualClock clock;
    veru::dxt::event::ScriptedInput input;
    Player player(input);
    // After the configuration: shoot is button 2, the kintuba button 1.
    StageBot bot(input, {kButton2, kButton1, kButton3, kButton5}, true);
    int stageHiScore = -1;
    // Buttons pressed during the logo must change nothing.
    input.press(10, kButton1, 5);
    input.press(40, 0x2000, 3);
    input.press(80, kDown | kButton2, 4);

    std::vector<std::string> scenes;  // the scene of every frame
    std::vector<std::uint32_t> frameTimes;
    std::map<std::string, Frame> shots;
    auto shoot = [&](const std::string& name, veru::platform::VideoDevice* device) {
        if (shots.count(name))
            return;
        shots[name] = readFrame(device);
        savePng(shots[name], std::string(MIRELUNE_SCREENSHOTS) + "/" + name + ".png");
    };
    int menuVisits = 0, talkVisits = 0, logoVisits = 0;
    int menuRows = 3, configRow = 1;  // as the menu shows them
    int configStep = 0;
    bool skippedOne = false, revealedOne = false;
    int sentencesAdvanced = 0;
    veru::dxt::Scene* last = nullptr;
    int sceneFrame = 0;
    std::vector<std::string> order;  // every scene entered, in order

    ml::GameHooks hooks;
    hooks.clock = &clock;
    hooks.input = &input;
    hooks.afterFrame = [&](int f, veru::dxt::Scene* scene, veru::platform::VideoDevice* device) {
        const std::string name = nameOf(scene);
        scenes.push_back(name);
        frameTimes.push_back(clock.time);
        if (scene != last) {
            last = scene;
            sceneFrame = 0;
            order.push_back(name);
            if (name == "menu")
                ++menuVisits;
            if (name == "talk")
                ++talkVisits;
            if (name == "logo")
                ++logoVisits;
        } else {
            ++sceneFrame;
        }
        if (f > 80000)
            scene->requestQuit();  // never hang

        if (name == "logo" && logoVisits == 1) {
            if (sceneFrame == 0) {
                shoot("logo_first", device);
                // The first scene, too, has the menu read ahead while it shows.
                EXPECT_TRUE(scene->getManager()->isPreparing());
            }
            if (sceneFrame == 100)
                shoot("logo_hold", device);
            if (sceneFrame == 164)
                shoot("logo_last", device);
        }
        if (name == "menu") {
            auto* menu = static_cast<ml::TitleMenu*>(scene);
            if (menu->getPhase() == ml::TitleMenu::kActive && player.idle()) {
                const auto rows = menu->getItems();
                menuRows = static_cast<int>(rows.size());
                const bool onConfig = rows[static_cast<std::size_t>(menu->getIndex())].exit ==
                                      veru::dxt::SceneExit::configure;
                if (menuVisits == 1 && menu->getIndex() == 0) {
                    shoot("menu_start_highlighted", device);
                    player.queue({kDown});
                } else if (menuVisits == 1 && onConfig) {
                    configRow = menu->getIndex();
                    shoot("menu_config_highlighted", device);
                    // Held over several frames: must confirm only once.
                    player.queue({kButton1}, 6);
                } else if (menuVisits == 1) {
                    player.queue({kDown});  // on down to the configuration
                } else if (menuVisits == 2) {
                    player.queue({kButton2});  // shoot is button 2 now: start
                } else if (menuVisits == 3 && menu->getIndex() == 0) {
                    player.queue({kUp});  // wraps to "end"
                } else if (menuVisits == 3 && menu->getIndex() == menuRows - 1) {
                    player.queue({kButton2});
                }
            }
        }
        if (name == "config") {
            auto* config = static_cast<ml::ConfigScene*>(scene);
            if (config->getPhase() == ml::ConfigScene::kMenu && player.idle()) {
                switch (configStep++) {
                    case 0:
                        shoot("config", device);
                        // Level row: hard, back to normal, confirmed.
                        player.queue({kDown, kRight, kLeft, kButton1});
                        break;
                    case 1:
                        // Screen row: full screen and back to the window.
                        player.queue({kUp, kRight, kButton1, kLeft, kButton1});
                        break;
                    case 2:
                        // Key row: start assigning.
                        player.queue({kDown, kDown, kButton1});
                        break;
                    case 3:
                        // Past the volume and language rows (music one step down),
                        // back to the title: confirmed with shoot's new button 2.
                        player.queue({kDown, kLeft, kDown, kDown, kDown, kButton2});
                        break;
                    default:
                        break;
                }
            }
            if (config->getPhase() == ml::ConfigScene::kKeyAssignment && player.idle()) {
                // Invalid presses first: a direction, two buttons at once.
                player.queue(
                    {kLeft, kButton3 | kButton4, kButton2, kButton3, kButton3, kButton4, kButton5});
                shoot("config_assigning", device);
            }
        }
        if (name == "talk") {
            auto* talk = static_cast<veru::adv::AdventureScene*>(scene);
            auto* sentence = talk->getSentenceDisplay();
            if (talk->getPhase() == veru::adv::AdventureScene::kRunning && sentence &&
                player.idle()) {
                if (sentence->getMode() == veru::adv::SentenceDisplay::kTyping && !revealedOne &&
                    !sentence->getGlyphs().empty()) {
                    revealedOne = true;
                    player.queue({kButton4});  // any button shows the whole sentence
                } else if (sentence->getMode() == veru::adv::SentenceDisplay::kWaiting) {
                    shoot(talkVisits == 1 ? "prologue_waiting" : "closing_waiting", device);
                    if (!skippedOne) {
                        skippedOne = true;
                        player.queue({kButton1}, 3);  // special (skip) turns the page held
                    } else {
                        player.queue({kButton2});  // advance (shoot) button
                    }
                    ++sentencesAdvanced;
                }
            }
        }
        if (name == "stage") {
            auto* stage = static_cast<ml::ShootingScene*>(scene);
            shootStage(*stage, sceneFrame, device, shoot);
            if (stage->getRequest() != veru::dxt::kRequestNone)
                stageHiScore = stage->getHiScore();
            bot.after(*stage);
        }
        player.after(f);
    };

    EXPECT_EQ(ml::gameMain(hooks), 0);
    for (const auto& m : boxes.messages()) {
        ADD_FAILURE() << m.caption.toUtf8() << ": " << m.text.toUtf8();
    }

    // The order of play.
    EXPECT_EQ(order, (std::vector<std::string>{"logo", "menu", "config", "menu", "talk", "stage",
                                               "talk", "logo", "menu"}));
    // The stage: everything the bot set out to do happened.
    EXPECT_EQ(bot.pauses, 1);
    EXPECT_EQ(bot.kintubas, 1);
    EXPECT_EQ(bot.bombs, 1);
    EXPECT_GE(bot.livesLost, 3);
    EXPECT_GE(bot.continued, 1);
    EXPECT_TRUE(bot.sawBattle);
    checkStageShots(shots, true);
    // The logo runs its 165 frames whatever is pressed.
    for (int f = 0; f < 165; ++f)
        ASSERT_EQ(scenes[static_cast<std::size_t>(f)], "logo") << f;
    EXPECT_EQ(scenes[165], "menu");
    EXPECT_GE(sentencesAdvanced, 20);
    EXPECT_TRUE(skippedOne);

    // The saved settings.
    veru::io::KeyValueFile saved(YString::fromUtf8((folder.path() / "setting.env").string()));
    EXPECT_EQ(saved.get(u"LEVEL"), YString(u"11"));
    EXPECT_GT(stageHiScore, 0);
    EXPECT_EQ(saved.get(u"SCORE"), YString::fromInt(stageHiScore));
    EXPECT_EQ(saved.get(u"SCREEN"), YString(u"1"));
    EXPECT_EQ(saved.get(u"KEYbullet"), YString(u"32"));
    EXPECT_EQ(saved.get(u"KEYkintuba"), YString(u"16"));  // moved to the lowest free button
    EXPECT_EQ(saved.get(u"KEYbomb"), YString(u"64"));
    EXPECT_EQ(saved.get(u"KEYslow"), YString(u"128"));
    EXPECT_EQ(saved.get(u"KEYpause"), YString(u"256"));
    EXPECT_EQ(saved.get(u"VOLUMEmusic"), YString(u"9"));
    EXPECT_EQ(saved.get(u"VOLUMEeffect"), YString(u"10"));
    EXPECT_EQ(saved.get(u"WINDOWscale"), YString(u"1"));

    // What the frames showed.
    ASSERT_TRUE(shots.count("logo_first") && shots.count("logo_hold") && shots.count("logo_last"));
    EXPECT_LT(shots["logo_first"].brightness(0, 0, 800, 600), 3.0);
    EXPECT_GT(shots["logo_hold"].brightness(300, 140, 200, 200), 100.0);  // the moon
    EXPECT_LT(shots["logo_last"].brightness(300, 140, 200, 200), 10.0);
    ASSERT_TRUE(shots.count("menu_start_highlighted") && shots.count("menu_config_highlighted"));
    // The highlight moved from the first item to the second.
    const Frame& a = shots["menu_start_highlighted"];
    const Frame& b = shots["menu_config_highlighted"];
    for (int row : {0, configRow}) {
        const int y = ml::TitleMenu::itemY(row, menuRows) - 25;
        EXPECT_GT(std::abs(a.brightness(300, y, 200, 50) - b.brightness(300, y, 200, 50)), 1.0)
            << row;
    }
    ASSERT_TRUE(shots.count("prologue_waiting"));
    // The talk window's text stands in the lower part of the screen.
    EXPECT_GT(shots["prologue_waiting"].brightness(200, 440, 500, 80),
              shots["prologue_waiting"].brightness(200, 560, 500, 30));

    // Talk scenes run at 30 frames a second, the others at 60: the first
    // logo's frames are 1000 / 60 ms apart, the talks' 1000 / 30 (measured
    // away from the switches; truncated targets and the catching up after a
    // "Wait" make single windows differ by a little).
    auto meanStep = [&](std::size_t from, std::size_t to) {
        return double(frameTimes[to] - frameTimes[from]) / double(to - from);
    };
    EXPECT_NEAR(meanStep(1, 121), 1000.0 / 60, 1.5);
    const std::size_t talkStart =
        static_cast<std::size_t>(std::find(scenes.begin(), scenes.end(), "talk") - scenes.begin());
    EXPECT_NEAR(meanStep(talkStart + 60, talkStart + 120), 1000.0 / 30, 1.5);
}

// Flown by Hotaru: the menu's choice brings her prologue and her stage.
TEST(GameMain, RefusingToContinueEndsInTheGameOverScreenAndTheTitle) {
    GameFolder folder;
    veru::io::registerGameFileKeys();
    RecordingMessageSink boxes;
    ManualClock clock;
    veru::dxt::event::ScriptedInput input;
    Player player(input);
    // The default buttons: shoot 1, kintuba 2, bomb 3, pause 5.
    StageBot bot(input, {kButton1, kButton2, kButton3, kButton5}, false);
    std::map<std::string, Frame> shots;
    auto shoot = [&](const std::string& name, veru::platform::VideoDevice* device) {
        if (shots.count(name))
            return;
        shots[name] = readFrame(device);
        savePng(shots[name], std::string(MIRELUNE_SCREENSHOTS) + "/refused_" + name + ".png");
    };
    std::vector<std::string> order;
    veru::dxt::Scene* last = nullptr;
    int sceneFrame = 0, menuVisits = 0, stageHiScore = -1;
    bool hotaruFlew = false;

    ml::GameHooks hooks;
    hooks.clock = &clock;
    hooks.input = &input;
    hooks.afterFrame = [&](int f, veru::dxt::Scene* scene, veru::platform::VideoDevice* device) {
        const std::string name = nameOf(scene);
        if (scene != last) {
            last = scene;
            sceneFrame = 0;
            order.push_back(name);
            menuVisits += name == "menu";
        } else {
            ++sceneFrame;
        }
        if (f > 80000)
            scene->requestQuit();  // never hang
        if (name == "menu") {
            auto* menu = static_cast<ml::TitleMenu*>(scene);
            auto* choice = dynamic_cast<ml::MenuScene*>(scene);
            if (menu->getPhase() == ml::TitleMenu::kActive && player.idle()) {
                if (menuVisits == 1 && choice && choice->isChoosing() &&
                    choice->getCharacterChoice() != ml::hotaruHeroine().number)
                    player.queue({kDown});
                else if (menuVisits == 1)
                    player.queue({kButton1});  // start, then Hotaru
                else if (menu->getIndex() == 0)
                    player.queue({kUp});  // to "end"
                else if (menu->getIndex() == static_cast<int>(menu->getItems().size()) - 1)
                    player.queue({kButton1});
            }
        }
        if (name == "talk")
            turnPageWhenWaiting(scene, player);
        if (name == "stage") {
            auto* stage = static_cast<ml::ShootingScene*>(scene);
            hotaruFlew = hotaruFlew || &stage->getHeroine() == &ml::hotaruHeroine();
            shootStage(*stage, sceneFrame, device, shoot);
            if (stage->getRequest() != veru::dxt::kRequestNone)
                stageHiScore = stage->getHiScore();
            bot.after(*stage);
        }
        player.after(f);
    };

    EXPECT_EQ(ml::gameMain(hooks), 0);
    for (const auto& m : boxes.messages())
        ADD_FAILURE() << m.caption.toUtf8() << ": " << m.text.toUtf8();
    EXPECT_EQ(order, (std::vector<std::string>{"logo", "menu", "talk", "stage", "menu"}));
    EXPECT_TRUE(hotaruFlew);
    EXPECT_EQ(bot.refused, 1);
    EXPECT_EQ(bot.continued, 0);
    EXPECT_GE(bot.livesLost, 3);
    checkStageShots(shots, false);
    veru::io::KeyValueFile saved(YString::fromUtf8((folder.path() / "setting.env").string()));
    EXPECT_GT(stageHiScore, 0);
    EXPECT_EQ(saved.get(u"SCORE"), YString::fromInt(stageHiScore));
}

// A quit signal in the middle of the stage ends the game as the window's
// close does: the loop stops at once, the result is a normal end, and the
// settings are saved with the high score the stage reached, in the file
// the program named.
TEST(GameMain, AQuitSignalInTheStageSavesItsHighScore) {
    GameFolder folder;
    veru::io::registerGameFileKeys();
    RecordingMessageSink boxes;
    ManualClock clock;
    veru::dxt::event::ScriptedInput input;
    Player player(input);
    StageBot bot(input, {kButton1, kButton2, kButton3, kButton5}, true);
    ml::PlayerFiles files;
    files.settings = YString::fromUtf8((folder.path() / "player" / "setting.env").string());
    files.lastStage = YString::fromUtf8((folder.path() / "player" / "last_stage.rpl").string());
    fs::create_directories(folder.path() / "player");
    int signalFrame = -1, lastFrame = -1, hiScoreAtSignal = -1;
    veru::dxt::Scene* last = nullptr;
    std::vector<std::string> order;

    ml::GameHooks hooks;
    hooks.clock = &clock;
    hooks.input = &input;
    hooks.afterFrame = [&](int f, veru::dxt::Scene* scene, veru::platform::VideoDevice*) {
        const std::string name = nameOf(scene);
        lastFrame = f;
        if (scene != last) {
            last = scene;
            order.push_back(name);
        }
        if (f > 40000)
            scene->requestQuit();  // never hang
        if (name == "menu") {
            auto* menu = static_cast<ml::TitleMenu*>(scene);
            if (menu->getPhase() == ml::TitleMenu::kActive && player.idle())
                player.queue({kButton1});  // start
        }
        if (name == "talk")
            turnPageWhenWaiting(scene, player);
        if (name == "stage") {
            auto* stage = static_cast<ml::ShootingScene*>(scene);
            if (signalFrame < 0 && stage->getScore() >= 2000) {
                hiScoreAtSignal = std::max(stage->getHiScore(), stage->getScore());
                signalFrame = f;
                ::raise(SIGTERM);  // without the game's handler the test ends here
            }
            bot.after(*stage);
        }
        player.after(f);
    };

    EXPECT_EQ(ml::gameMain(hooks, files), 0);
    for (const auto& m : boxes.messages())
        ADD_FAILURE() << m.caption.toUtf8() << ": " << m.text.toUtf8();
    EXPECT_EQ(order, (std::vector<std::string>{"logo", "menu", "talk", "stage"}));
    ASSERT_GE(signalFrame, 0);
    EXPECT_EQ(lastFrame, signalFrame);  // no frame after the signal
    EXPECT_GE(hiScoreAtSignal, 2000);
    veru::io::KeyValueFile saved(files.settings);
    EXPECT_EQ(saved.get(u"SCORE"), YString::fromInt(hiScoreAtSignal));
    EXPECT_FALSE(fs::exists(folder.path() / "setting.env"));
}

// SIGINT (Ctrl-C) and SIGHUP (the terminal closed) in the menu: a normal
// end that saves what the player had.
TEST(GameMain, InterruptAndHangUpEndTheGameAndSave) {
    for (int signal : {SIGINT, SIGHUP}) {
        GameFolder folder;
        veru::io::registerGameFileKeys();
        RecordingMessageSink boxes;
        ManualClock clock;
        {
            veru::io::KeyValueFile before(u"setting.env", false);
            before.set(u"SCORE", u"4321");
            before.set(u"LEVEL", u"12");
            before.save();
        }
        bool raised = false;
        ml::GameHooks hooks;
        hooks.clock = &clock;
        hooks.afterFrame = [&](int f, veru::dxt::Scene* scene, veru::platform::VideoDevice*) {
            if (f > 2000)
                scene->requestQuit();  // never hang
            if (!raised && dynamic_cast<ml::TitleMenu*>(scene)) {
                raised = true;
                ::raise(signal);
            }
        };
        EXPECT_EQ(ml::gameMain(hooks), 0) << signal;
        EXPECT_TRUE(raised);
        EXPECT_TRUE(boxes.messages().empty());
        veru::io::KeyValueFile saved(u"setting.env");
        EXPECT_EQ(saved.get(u"SCORE"), YString(u"4321")) << signal;
        EXPECT_EQ(saved.get(u"LEVEL"), YString(u"12")) << signal;
        EXPECT_TRUE(saved.has(u"KEYbullet")) << signal;  // written by this run
    }
}

// A settings file that cannot be written: one error box naming it at the
// end, and the file the player had stays as it was.
TEST(GameMain, ASaveThatFailsIsShownOnceAndKeepsTheOldFile) {
    GameFolder folder;
    veru::io::registerGameFileKeys();
    RecordingMessageSink boxes;
    ManualClock clock;
    {
        veru::io::KeyValueFile before(u"setting.env", false);
        before.set(u"SCORE", u"4321");
        before.save();
    }
    const Bytes old = readBytes(u"setting.env");
    // The save writes a temporary file first: a folder in its place makes it fail.
    fs::create_directory(folder.path() / "setting.env.tmp");
    ml::GameHooks hooks;
    hooks.clock = &clock;
    hooks.afterFrame = [&](int f, veru::dxt::Scene* scene, veru::platform::VideoDevice*) {
        if (f > 2000 || dynamic_cast<ml::TitleMenu*>(scene))
            scene->requestQuit();
    };
    EXPECT_EQ(ml::gameMain(hooks), 0);
    ASSERT_EQ(boxes.messages().size(), 1u);
    EXPECT_NE(boxes.messages()[0].text.toUtf8().find("setting.env"), std::string::npos)
        << boxes.messages()[0].text.toUtf8();
    EXPECT_EQ(readBytes(u"setting.env"), old);
}

// mirelune FILE.rpl: the game opens on the recording's stage, plays its
// frames, and goes on to the title menu; the record is the player's own
// before and after. A file that cannot be played opens on the title menu
// with one box naming it.
TEST(GameMain, ARecordingNamedAtStartIsWatchedThenTheTitle) {
    GameFolder folder;
    veru::io::registerGameFileKeys();
    ml::StageReplay shortPlay = ml::readStageReplay(YString::fromUtf8(MIRELUNE_REPLAY_DATA));
    shortPlay.words.resize(400);  // the opening of the stage
    shortPlay.verified = true;
    const YString watched = YString::fromUtf8((folder.path() / "short.rpl").string());
    ml::writeStageReplay(watched, shortPlay);
    const YString damaged = YString::fromUtf8((folder.path() / "damaged.rpl").string());
    writeBytes(damaged, Bytes{'M', 'L', 'R', 'P', 3, 0});
    {
        veru::io::KeyValueFile before(u"setting.env", false);
        before.set(u"SCORE", u"4321");
        before.save();
    }
    for (const YString& file : {watched, damaged}) {
        RecordingMessageSink boxes;
        ManualClock clock;
        std::vector<std::string> order;
        int stageFrames = 0;
        veru::dxt::Scene* last = nullptr;
        ml::GameHooks hooks;
        hooks.clock = &clock;
        hooks.afterFrame = [&](int f, veru::dxt::Scene* scene, veru::platform::VideoDevice*) {
            if (scene != last) {
                last = scene;
                order.push_back(nameOf(scene));
            }
            stageFrames += nameOf(scene) == "stage";
            if (f > 3000 || nameOf(scene) == "menu")
                scene->requestQuit();
        };
        ml::StartOptions start;
        start.replayFile = file;
        EXPECT_EQ(ml::gameMain(hooks, {}, start), 0);
        veru::io::KeyValueFile saved(u"setting.env");
        EXPECT_EQ(saved.get(u"SCORE"), YString(u"4321"));
        if (file == watched) {
            EXPECT_EQ(order, (std::vector<std::string>{"stage", "menu"}));
            EXPECT_EQ(stageFrames, 401);  // every recorded frame, then the way out
            EXPECT_TRUE(boxes.messages().empty());
        } else {
            EXPECT_EQ(order, (std::vector<std::string>{"menu"}));
            ASSERT_EQ(boxes.messages().size(), 1u);
            EXPECT_NE(boxes.messages()[0].text.toUtf8().find("damaged.rpl"), std::string::npos);
        }
    }

    // The window closed while the recording (on normal) plays: the player's
    // own difficulty is what is saved.
    {
        veru::io::KeyValueFile before(u"setting.env");
        before.set(u"LEVEL", u"12");
        before.save();
    }
    ManualClock clock;
    ml::GameHooks hooks;
    hooks.clock = &clock;
    hooks.afterFrame = [&](int f, veru::dxt::Scene* scene, veru::platform::VideoDevice*) {
        if (f >= 100)
            scene->requestQuit();
    };
    ml::StartOptions start;
    start.replayFile = watched;
    EXPECT_EQ(ml::gameMain(hooks, {}, start), 0);
    EXPECT_EQ(veru::io::KeyValueFile(u"setting.env").get(u"LEVEL"), YString(u"12"));
}
