// The shooting scene on the real pictures and sounds, with stage scripts
// written by each test: the grammar of the script, what a broken script or
// a missing file does, the phases of a whole stage in their order, and the
// heroine and the boss under fire as they are drawn.

#include "game/ShootingScene.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "engine/effects/Random.h"
#include "engine/input/ScriptedInput.h"
#include "engine/io/Scrambler.h"
#include "engine/material/PicturePreload.h"
#include "engine/material/SurfacePicture.h"
#include "engine/scene/PlayStatus.h"
#include "engine/scene/SceneManager.h"
#include "engine/sound/SoundManger.h"
#include "engine/sound/SoundPreload.h"
#include "engine/sound/TunePreload.h"
#include "engine/window/DXFrame.h"
#include "game/KShootingScene.h"
#include "game/ResultsCard.h"
#include "game/StagePhase.h"
#include "game/StageRecords.h"
#include "game/StageStart.h"
#include "game/settings/GameSetting.h"
#include "game/shooting/cmp/ContinueDialog.h"
#include "game/shooting/cmp/PauseMenu.h"
#include "game/shooting/object/bosses/Boss.h"
#include "game/shooting/object/enemies/EnemyObject.h"
#include "game/shooting/object/items/ItemObject.h"
#include "game/shooting/object/items/PickupItem.h"
#include "game/shooting/object/players/Vovizovar.h"
#include "game/shooting/object/players/Vuzez.h"
#include "tests/engine/graphics/DrawingTestSupport.h"
#include "tests/support/RecordingMessageSink.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using namespace mirelune::test;
using namespace ml::shooting::object;
using veru::YString;

namespace {

constexpr int kShot = 0x10, kKintuba = 0x20, kBomb = 0x40, kSlow = 0x80, kPause = 0x100,
              kDown = 0x2;

const char16_t* const kSetUp[] = {
    u"Back img/stage_trial_back.ysf",   u"BGM sound/bgm_stage.ogg",
    u"BOSS_BGM sound/bgm_boss.ogg",     u"BOSS_Face img/boss_face_seiichirou.ytx",
    u"Info_Start1 img/info_start1.ytx", u"Info_Start2 img/info_start2.ytx",
    u"Info_End img/info_end.ytx",
};

class ShootingSceneTest : public ::testing::Test {
  protected:
    void SetUp() override {
        veru::io::registerGameFileKeys();
        for (const char* part : {"img", "sound", "script"})
            fs::create_directory_symlink(fs::path(MIRELUNE_GAME_DATA) / part, dir.path() / part);
        fs::current_path(dir.path());
        setting = std::make_unique<ml::GameSetting>(dir.file("setting.env"));
        sounds.create(nullptr);
        manager.attach(nullptr, &sounds, nullptr, device.get());
    }
    void TearDown() override { fs::current_path(previous); }

    // A script of the set-up lines followed by `body`.
    YString script(std::initializer_list<const char16_t*> body, bool setUp = true) {
        Bytes bytes;
        const int key = veru::io::fileKeyFor("dat");
        if (setUp) {
            for (const char16_t* line : kSetUp)
                appendStringRecord(bytes, line, key);
        }
        for (const char16_t* line : body)
            appendStringRecord(bytes, line, key);
        const YString path = dir.file("stage" + std::to_string(scripts++) + ".dat");
        writeBytes(path, bytes);
        return path;
    }

    std::unique_ptr<ml::ShootingScene> scene(const YString& path) {
        auto made = std::make_unique<ml::ShootingScene>(&manager, setting.get(), &status);
        made->setScript(path);
        made->release();
        made->reset();
        created = made->create(nullptr, device.get());
        return made;
    }

    // What the last error box said, for the message of a failed check.
    std::string lastBox() const {
        const auto all = boxes.messages();
        return all.empty() ? std::string("no box")
                           : all.back().caption.toUtf8() + ": " + all.back().text.toUtf8();
    }

    void frame(ml::ShootingScene& s, int word) {
        veru::dxt::event::ScriptedInput input{{0, word}};
        s.update(&input);
    }

    // A stage played on its last life until the continue dialog asks;
    // null if it is not created or never asks. `f` counts the frames played.
    std::unique_ptr<ml::ShootingScene> stageAtTheContinue(int& f) {
        auto s = scene(script({u"Shooting", u"Enemy(Bat1, 5000, 240)", u"Boss TrialBoss", u"}"}));
        if (!created)
            return nullptr;
        status.lives = 0;
        while (s->getPhase() != ml::stage::kShooting && f++ < 1000)
            frame(*s, 0);
        s->playerHit();
        while (s->getPhase() != ml::stage::kContinue && f++ < 2000)
            frame(*s, 0);
        return s->getPhase() == ml::stage::kContinue ? std::move(s) : nullptr;
    }

    fs::path previous = fs::current_path();
    TempDir dir;
    RecordingMessageSink boxes;
    std::unique_ptr<veru::platform::VideoDevice> device = makeOffscreenDevice();
    veru::sound::SoundManger sounds;
    veru::dxt::SceneManager manager;
    veru::dxt::PlayStatus status;
    std::unique_ptr<ml::GameSetting> setting;
    bool created = false;
    int scripts = 0;
};

}  // namespace

TEST_F(ShootingSceneTest, ReadsTheWholeGrammar) {
    auto s = scene(script({
        u"",
        u"XTalking is not a section",
        u"Talking_before",
        u"Init(img/talk_siro_normal.ytx, null)",
        u"",
        u"1P_Image:img/talk_siro_smile.ytx",
        u"1P_Talk Hello+there",
        u"}",
        u"Shooting",
        u"Enemy(Bat3, 1200, 240)",
        u"Enemy\tBat3 1200 240",
        u"Item Kintuba",
        u"Item Chance",  // the kintuba no enemy takes up is dropped
        u"Enemy Bat1,900,100",
        u"Item LevelUp",
        u"Wait 300",
        u"Wait(20)",
        u"Boss TrialBoss",
        u"}",
        u"Boss",
    }));
    ASSERT_TRUE(created) << lastBox();
    EXPECT_EQ(boxes.count(), 0u);
    EXPECT_EQ(s->getTimeline(),
              (std::deque<std::pair<int, int>>{{1200, 240}, {1200, 240}, {900, 100}}));
    ASSERT_EQ(s->getWaitingEnemies().size(), 3u);
    EXPECT_EQ(s->getWaitingEnemies()[0]->getItem(), nullptr);
    ASSERT_EQ(s->getChanceItems().size(), 1u);
    EXPECT_EQ(s->getWaitingEnemies()[2]->getItem(), s->getChanceItems()[0].get());
    EXPECT_TRUE(s->getKintubaItems().empty());
    EXPECT_TRUE(s->getLevelUpItems().empty());  // nothing came after it either
    ASSERT_NE(s->getBoss(), nullptr);
    std::vector<ml::StageWord> steps;
    for (const ml::StageStep& step : s->getScriptSteps())
        steps.push_back(step.word);
    using W = ml::StageWord;
    EXPECT_EQ(steps, (std::vector<W>{W::Talking, W::Init, W::Image1, W::Talk1, W::End, W::Shooting,
                                     W::BossHeader}));
    EXPECT_EQ(s->getScriptSteps()[3].text, u"Hello+there");
}

TEST_F(ShootingSceneTest, ABrokenStageNamesItsFileAndLine) {
    struct Case {
        const char* name;
        const char16_t* line;
        const char16_t* expected;
    };
    const Case cases[] = {
        {"unknown bat", u"Enemy Bat25 900 240", u"Bat25"},
        {"unknown boss", u"Boss Nobody", u"Nobody"},
        {"unknown item", u"Item Bomb", u"Bomb"},
        {"missing argument", u"Enemy Bat1 900", u"Enemy"},
        {"no number", u"Enemy Bat1 900 99999999999", u"99999999999"},
    };
    for (const Case& c : cases) {
        const YString path = script({u"Shooting", u"Enemy Bat1 900 240", c.line, u"}"});
        const std::size_t before = boxes.count();
        auto s = scene(path);
        EXPECT_FALSE(created) << c.name;
        ASSERT_EQ(boxes.count(), before + 1) << c.name;
        const auto box = boxes.messages().back();
        EXPECT_EQ(box.caption, YString(u"ShootingScene::create()")) << c.name;
        EXPECT_NE(box.text.indexOf(path), -1) << c.name;
        EXPECT_NE(box.text.indexOf(YString(u"10行目")), -1) << c.name << box.text.toUtf8();
        EXPECT_NE(box.text.indexOf(YString(c.expected)), -1) << c.name;
        s->release();
    }

    // A missing picture, a missing tune and a missing script.
    for (const char16_t* line : {u"BOSS_Face img/nothing.ytx", u"BGM sound/nothing.ogg"}) {
        auto s = scene(script({line}, false));
        EXPECT_FALSE(created);
        EXPECT_EQ(boxes.messages().back().caption, YString(u"ShootingScene::create()"));
    }
    auto s = scene(dir.file("missing.dat"));
    EXPECT_FALSE(created);
    EXPECT_NE(boxes.messages().back().text.indexOf(dir.file("missing.dat")), -1);
}

TEST_F(ShootingSceneTest, AStagePlaysItsPhasesInOrder) {
    auto s = scene(script({
        u"Talking",
        u"Init img/talk_siro_normal.ytx img/talk_kintubat.ytx",
        u"2P_Talk Kin",
        u"}",
        u"Shooting",
        u"Item Kintuba",
        u"Enemy(Bat1, 900, 240)",
        u"Enemy(Bat2, 1500, 100)",
        u"Boss TrialBoss",
        u"Wait 30",
        u"}",
        u"Talking",
        u"Init img/talk_siro_angry.ytx img/talk_seiichirou_normal.ytx",
        u"2P_Talk Boss",
        u"Play",
        u"1P_Talk Go",
        u"}",
        u"Boss",
        u"Talking",
        u"Init null img/talk_seiichirou_troubled.ytx",
        u"2P_Talk Lost",
        u"}",
    }));
    ASSERT_TRUE(created) << lastBox();
    std::vector<int> phases;
    int enteredAt = -1;
    bool paused = false, resumed = false;
    for (int f = 0; f < 20000 && s->getRequest() == veru::dxt::kRequestNone; ++f) {
        const int phase = s->getPhase();
        if (phases.empty() || phases.back() != phase)
            phases.push_back(phase);
        int word = 0;
        if (phase == ml::stage::kTalk)
            word = f % 2 ? kShot : 0;  // each box waits for a fresh press
        if (phase == ml::stage::kShooting) {
            word = kShot;
            for (const auto& enemy : s->getActiveEnemies()) {
                if (enemy->getState() == STATE_ACTIVE && enemy->getX() < 700)
                    enemy->damage(100);  // shot down
            }
            if (enteredAt < 0 && s->getTimeline().empty())
                enteredAt = s->getPosition();
            if (!paused && s->getPosition() == 50) {
                paused = true;
                word = kPause;
            }
            for (const auto& item : s->getKintubaItems()) {
                if (item->getState() == STATE_ACTIVE)
                    s->getPlayer()->setPosition(item->getX(), item->getY());
            }
        }
        if (phase == ml::stage::kPaused) {
            EXPECT_EQ(s->getSavedPhase(), ml::stage::kShooting);
            word = f % 2 ? kShot : 0;  // "return to the game"
            resumed = true;
        }
        if (phase == ml::stage::kBossBattle) {
            Boss* boss = s->getBoss();
            if (boss->getState() == STATE_ACTIVE || boss->getState() == STATE_PINCH)
                boss->damage(200);
        }
        frame(*s, word);
        s->draw(device.get());
    }
    EXPECT_TRUE(paused && resumed);
    EXPECT_EQ(phases, (std::vector<int>{2, 4, 5, 7, 1, 7, 8, 5, 9, 5, 10}));
    EXPECT_EQ(s->getRequest(), veru::dxt::kRequestNext);
    EXPECT_EQ(enteredAt, 1500 - 800);         // the second bat enters at position 700
    EXPECT_GE(setting->getLastScore(), 500);  // the kintuba
    EXPECT_EQ(setting->getHiScore(), setting->getLastScore());
    for (const auto& m : boxes.messages())
        ADD_FAILURE() << m.caption.toUtf8() << ": " << m.text.toUtf8();
}

TEST_F(ShootingSceneTest, LosingTheLastLifeOffersAContinueAndNoEndsInTheTitle) {
    int f = 0;
    auto s = stageAtTheContinue(f);
    ASSERT_TRUE(s) << lastBox();
    // Yes: a fresh stock at the highest shot level, the score from 0.
    frame(*s, 0);
    frame(*s, kShot);
    frame(*s, 0);
    EXPECT_EQ(s->getPhase(), ml::stage::kShooting);
    EXPECT_EQ(status.lives, 2);
    EXPECT_EQ(status.stock, 5);
    EXPECT_EQ(s->getPlayer()->getLevel(), 0x200004);
    EXPECT_EQ(s->getScore(), 0);

    status.lives = 0;
    while (s->getPlayer()->getState() != STATE_ACTIVE && f++ < 3000)
        frame(*s, 0);
    s->playerHit();
    while (s->getPhase() != ml::stage::kContinue && f++ < 4000)
        frame(*s, 0);
    frame(*s, 0);
    frame(*s, kDown);
    frame(*s, 0);
    frame(*s, kShot);
    frame(*s, 0);
    EXPECT_EQ(s->getPhase(), ml::stage::kEnding);
    int frames = 0;
    while (s->getRequest() == veru::dxt::kRequestNone && frames < 2000) {
        frame(*s, 0);
        ++frames;
    }
    EXPECT_EQ(s->requestedExit(), veru::dxt::SceneExit::title);
    EXPECT_GT(frames, 282);  // the fade to black, then the game-over screen's 282 frames
}

// The game-over screen is read only when the game is over: it shows the
// picture itself, and a missing one shows its box there without stopping
// the stage before it or the screen's fade and wreck.
TEST_F(ShootingSceneTest, TheGameOverScreenIsReadWhenTheGameIsOver) {
    const fs::path data = fs::path(MIRELUNE_GAME_DATA) / "img";
    const veru::dxt::material::SurfacePicture picture = veru::dxt::material::readSurfacePicture(
        YString::fromUtf8((data / "GameOver.ysf").string()));
    for (const bool missing : {false, true}) {
        SCOPED_TRACE(missing);
        if (missing) {
            fs::remove(dir.path() / "img");
            fs::create_directory(dir.path() / "img");
            for (const auto& entry : fs::directory_iterator(data))
                if (entry.path().filename() != "GameOver.ysf")
                    fs::create_symlink(entry.path(), dir.path() / "img" / entry.path().filename());
        }
        const std::size_t boxesBefore = boxes.messages().size();
        int f = 0;
        auto s = stageAtTheContinue(f);
        ASSERT_TRUE(s) << lastBox();
        for (int word : {0, kDown, 0, kShot, 0})
            frame(*s, word);
        while (s->getPhase() != ml::stage::kGameOver && f++ < 3000)
            frame(*s, 0);
        ASSERT_EQ(s->getPhase(), ml::stage::kGameOver);
        EXPECT_EQ(boxes.messages().size(), boxesBefore) << lastBox();
        for (int i = 0; i < 60; ++i)  // the fade in from black is over
            frame(*s, 0);
        s->draw(device.get());
        std::vector<std::uint32_t> shown;
        int w = 0, h = 0;
        ASSERT_TRUE(device->readPixels(shown, w, h));
        ASSERT_EQ(w, picture.width);
        // Above the wrecks: the picture itself, or black where it is missing.
        int differing = 0;
        for (int i = 0; i < w * 200; ++i) {
            const std::uint32_t expected = missing ? 0u : picture.pixels[i] & 0xFFFFFFu;
            differing += (shown[i] & 0xFFFFFFu) != expected;
        }
        EXPECT_EQ(differing, 0);
        EXPECT_EQ(boxes.messages().size(), boxesBefore + (missing ? 1 : 0)) << lastBox();
        if (missing) {
            EXPECT_NE(lastBox().find("GameOver.ysf"), std::string::npos) << lastBox();
        }
        frame(*s, 0);
        s->draw(device.get());  // the box once, not on every frame
        EXPECT_EQ(boxes.messages().size(), boxesBefore + (missing ? 1 : 0));
    }
}

// For either heroine; a recording is refused on the other one's stage.
TEST_F(ShootingSceneTest, TheSameButtonsPlayTheSameStage) {
    const YString path = script({u"Shooting", u"Enemy(Bat5, 900, 240)", u"Enemy(Bat9, 1000, 300)",
                                 u"Enemy(Bat17, 1200, 100)", u"Boss TrialBoss", u"}"});
    for (const ml::StageHeroine* heroine : {&ml::shiroHeroine(), &ml::hotaruHeroine()}) {
        SCOPED_TRACE(heroine->number);
        auto play = [&](std::optional<ml::StageReplay> replay, std::vector<std::uint64_t>& hashes) {
            auto s =
                std::make_unique<ml::ShootingScene>(&manager, setting.get(), &status, *heroine);
            s->setScript(path);
            status = veru::dxt::PlayStatus();
            setting->setLastScore(0);  // a play that clears the stage leaves its score here
            s->playReplay(std::move(replay));
            s->release();
            s->reset();
            EXPECT_TRUE(s->create(nullptr, device.get()));
            for (int f = 0; f < 1500; ++f) {
                frame(*s, (f / 7) % 3 == 0 ? kShot | kDown : (f % 200 == 100 ? kBomb : kShot));
                hashes.push_back(s->stateHash());
            }
            ml::StageReplay recorded = s->getRecording();
            s->release();
            return recorded;
        };
        std::vector<std::uint64_t> live, again;
        const ml::StageReplay recorded = play(std::nullopt, live);
        ASSERT_EQ(recorded.words.size(), 1500u);
        EXPECT_EQ(recorded.character, heroine->number);
        play(recorded, again);
        EXPECT_EQ(live, again);

        const ml::StageHeroine& other =
            heroine == &ml::shiroHeroine() ? ml::hotaruHeroine() : ml::shiroHeroine();
        ml::ShootingScene elsewhere(&manager, setting.get(), &status, other);
        elsewhere.setScript(path);
        elsewhere.playReplay(recorded);
        elsewhere.reset();
        EXPECT_FALSE(elsewhere.create(nullptr, device.get()));
        EXPECT_EQ(boxes.messages().back().caption, YString(other.errorCaption));
        EXPECT_NE(boxes.messages().back().text.indexOf(YString(u"リプレイ")), -1);
        elsewhere.release();
    }
}

// Hotaru's stage differs from Shiro's in who flies and in her look: her
// character, her pick-ups (carried by the same bats, at the same
// difficulty), a gauge that leaves her hit area alone, her shots hidden
// while she is not in play, and the caption of her error box.
TEST_F(ShootingSceneTest, HotarusStageIsTheSameStageWithHerOwnLook) {
    const YString path = script({u"Talking", u"Init(img/talk_siro_normal.ytx, null)",
                                 u"1P_Talk Hello", u"}", u"Shooting", u"Item Chance",
                                 u"Enemy Bat1 900 100", u"Item Kintuba", u"Enemy Bat1 950 200",
                                 u"Item LevelUp", u"Enemy Bat1 1000 300", u"Boss TrialBoss", u"}"});
    auto s = std::make_unique<ml::KShootingScene>(&manager, setting.get(), &status);
    s->setScript(path);
    s->reset();
    ASSERT_TRUE(s->create(nullptr, device.get())) << lastBox();
    auto* hotaru = dynamic_cast<Vovizovar*>(s->getPlayer());
    ASSERT_NE(hotaru, nullptr);
    const std::pair<const ml::ShootingScene::ItemList*, PickupKind> lists[] = {
        {&s->getChanceItems(), PickupKind::chanceK},
        {&s->getKintubaItems(), PickupKind::kintubaK},
        {&s->getLevelUpItems(), PickupKind::levelUpK},
    };
    for (std::size_t i = 0; i < 3; ++i) {
        const auto& [items, kind] = lists[i];
        ASSERT_EQ(items->size(), 1u);
        auto* item = dynamic_cast<const PickupItem*>((*items)[0].get());
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->getPickupKind(), kind);
        EXPECT_EQ(item->getLevel(), setting->getLevel());
        EXPECT_NE(item->getTexture(), nullptr);
        EXPECT_EQ(s->getWaitingEnemies()[i]->getItem(), item);
    }

    // The talk: her shots hidden; in play: shown, and the draining gauge
    // never scales her.
    int f = 0;
    while (s->getPhase() != ml::stage::kTalk && f++ < 1000)
        frame(*s, 0);
    s->draw(device.get());
    EXPECT_FALSE(hotaru->isDrawSkills());
    while (s->getPhase() != ml::stage::kShooting && f++ < 2000)
        frame(*s, f % 2 ? kShot : 0);
    for (int i = 0; i < 300; ++i)
        frame(*s, kShot);
    s->draw(device.get());
    EXPECT_TRUE(hotaru->isDrawSkills());
    EXPECT_LT(status.gauge, status.gaugeFull);
    EXPECT_EQ(hotaru->getScale(), 1.0f);
    s->release();

    auto broken = std::make_unique<ml::KShootingScene>(&manager, setting.get(), &status);
    broken->setScript(dir.file("missing.dat"));
    broken->reset();
    EXPECT_FALSE(broken->create(nullptr, device.get()));
    EXPECT_EQ(boxes.messages().back().caption, YString(u"KShootingScene::create()"));
}

TEST_F(ShootingSceneTest, LeavingTheWindowPausesThePlayAsThePauseButtonDoes) {
    veru::awt::DXFrame window(u"test", false);
    manager.attach(&window, &sounds, nullptr, device.get());
    auto s = scene(script({u"Talking", u"Init img/talk_siro_normal.ytx null", u"1P_Talk A", u"}",
                           u"Shooting", u"Enemy(Bat1, 5000, 240)", u"Boss TrialBoss", u"}"}));
    ASSERT_TRUE(created) << lastBox();
    int f = 0;
    while (s->getPhase() != ml::stage::kTalk && f++ < 1000)
        frame(*s, 0);
    window.noteFocusLost();  // in a talk: nothing to pause
    frame(*s, 0);
    EXPECT_EQ(s->getPhase(), ml::stage::kTalk);
    while (s->getPhase() != ml::stage::kShooting && f++ < 3000)
        frame(*s, f % 2 ? kShot : 0);
    ASSERT_EQ(s->getPhase(), ml::stage::kShooting);
    frame(*s, kShot);
    window.noteFocusLost();
    frame(*s, kShot);
    EXPECT_EQ(s->getPhase(), ml::stage::kPaused);
    EXPECT_EQ(s->getSavedPhase(), ml::stage::kShooting);
    // The record holds the pause, so a replay pauses on the same frame.
    EXPECT_EQ(s->getRecording().words.back(), kShot | kPause);
    frame(*s, 0);
    frame(*s, kShot);  // "return to the game"
    EXPECT_EQ(s->getPhase(), ml::stage::kShooting);
}

TEST_F(ShootingSceneTest, PauseStaysOpenUnderAHeldShotAndLeavingByItFadesOut) {
    const YString path = script({u"Shooting", u"Enemy(Bat1, 5000, 240)", u"Boss TrialBoss", u"}"});
    // Entry 2 returns to the title, entry 3 ends the game.
    for (int entry : {2, 3}) {
        SCOPED_TRACE(entry);
        auto s = scene(path);
        ASSERT_TRUE(created) << lastBox();
        int f = 0;
        while (s->getPhase() != ml::stage::kShooting && f++ < 1000)
            frame(*s, 0);
        ASSERT_EQ(s->getPhase(), ml::stage::kShooting);
        for (int i = 0; i < 30; ++i)
            frame(*s, kShot);
        frame(*s, kShot | kPause);
        ASSERT_EQ(s->getPhase(), ml::stage::kPaused);
        // The shot stays held: the menu stays open.
        for (int i = 0; i < 200; ++i)
            frame(*s, kShot);
        EXPECT_EQ(s->getPhase(), ml::stage::kPaused);
        frame(*s, 0);
        for (int i = 0; i < entry; ++i) {
            frame(*s, kDown);
            frame(*s, 0);
        }
        frame(*s, kShot);
        ASSERT_EQ(s->getPhase(), ml::stage::kEnding);
        EXPECT_EQ(s->getModel().getFadeAlpha(),
                  0);  // the fade starts from the stage, not from black
        // Fifty-one frames of fade, five steps of alpha each, then the request.
        int frames = 0;
        while (s->getRequest() == veru::dxt::kRequestNone && frames < 1000) {
            frame(*s, 0);
            ++frames;
            if (frames == 25) {
                EXPECT_EQ(s->getModel().getFadeAlpha(), 125);
            }
        }
        EXPECT_EQ(frames, 51);
        if (entry == 2) {
            EXPECT_EQ(s->requestedExit(), veru::dxt::SceneExit::title);
        } else {
            EXPECT_EQ(s->getRequest(), veru::dxt::kRequestQuit);
        }
        s->release();
    }
}

TEST_F(ShootingSceneTest, TheWaitBeforeTheBossCanBeLeftThroughPause) {
    // The longest wait a script may give; pause is open all through it.
    auto s = scene(script({u"Shooting", u"Wait(3600)", u"Boss TrialBoss", u"}", u"Boss"}));
    ASSERT_TRUE(created) << lastBox();
    int f = 0;
    while (s->getPhase() != ml::stage::kBossApproach && f++ < 2000)
        frame(*s, 0);
    ASSERT_EQ(s->getPhase(), ml::stage::kBossApproach);
    frame(*s, kPause);
    EXPECT_EQ(s->getPhase(), ml::stage::kPaused);
    EXPECT_EQ(s->getSavedPhase(), ml::stage::kBossApproach);
    frame(*s, 0);
    for (int i = 0; i < 2; ++i) {
        frame(*s, kDown);
        frame(*s, 0);
    }
    frame(*s, kShot);  // "back to the title"
    EXPECT_EQ(s->getPhase(), ml::stage::kEnding);
    for (int frames = 0; s->getRequest() == veru::dxt::kRequestNone && frames < 200; ++frames)
        frame(*s, 0);
    EXPECT_EQ(s->requestedExit(), veru::dxt::SceneExit::title);
}

// What a play cost, counted where it happens, is what the card shows after
// "no"; the card's frames are not part of the recording.
TEST_F(ShootingSceneTest, TheResultsCardShowsWhatThePlayCost) {
    status.lives = 1;
    status.stock = 4;
    auto s = scene(script({u"Shooting", u"Enemy(Bat1, 5000, 240)", u"Boss TrialBoss", u"}"}));
    ASSERT_TRUE(created) << lastBox();
    s->setResultsCard(true);
    s->setPlayerFolder(enginePath(dir.path()));
    const auto until = [&](auto done) {
        for (int i = 0; i < 3000 && !done(); ++i)
            frame(*s, 0);
    };
    const auto active = [&] { return s->getPlayer()->getState() == STATE_ACTIVE; };
    until([&] { return s->getPhase() == ml::stage::kShooting && active(); });
    frame(*s, kBomb);  // three stock: a bomb
    until(active);
    frame(*s, kKintuba);  // the last stock: a kintuba
    frame(*s, 0);
    frame(*s, kKintuba);  // none left: nothing used
    until(active);
    s->playerHit();  // the one life left
    until(active);
    s->playerHit();  // two hits on the last life lose it once
    s->playerHit();
    until([&] { return s->getPhase() == ml::stage::kContinue; });
    frame(*s, 0);
    frame(*s, kShot);  // yes: two lives again
    until(active);
    for (int i = 0; i < 3; ++i)
        s->playerHit();  // three lives in one frame, the last one too
    until([&] { return s->getPhase() == ml::stage::kContinue; });
    frame(*s, 0);
    frame(*s, kDown);
    frame(*s, 0);
    frame(*s, kShot);  // no
    const int played = s->getTally().frames;
    until([&] { return s->getPhase() == ml::stage::kResults; });
    ASSERT_EQ(s->getPhase(), ml::stage::kResults);
    EXPECT_EQ(s->getRequest(), veru::dxt::kRequestNone);
    // The card stands on the night's backdrop, not on the black screen.
    s->draw(device.get());
    EXPECT_GT(readFrame(*device).brightness(0, 0, 140, 600), 10.0);

    const ml::StageTally& tally = s->getTally();
    EXPECT_EQ(tally.livesLost, 5);
    EXPECT_EQ(tally.bombs, 1);
    EXPECT_EQ(tally.kintsubas, 1);
    EXPECT_EQ(tally.continues, 1);
    EXPECT_EQ(tally.frames, played);  // the fades and the game-over screen not counted
    EXPECT_GT(played, 100);
    const YString& text = s->getResultsCard().getText();
    EXPECT_NE(text.indexOf(u"\t5\n"), -1) << text.toUtf8();
    EXPECT_NE(text.indexOf(YString(u"\t") + ml::ResultsCard::timeOf(played) + u"\n"), -1)
        << text.toUtf8();
    EXPECT_EQ(ml::ResultsCard::timeOf(3 * 3600 + 5 * 60 + 59), YString(u"3:05"));

    // The card reads the buttons itself: nothing more is recorded. Yes
    // keeps the play, its result filled in, in the player's replays folder.
    const std::size_t recorded = s->getRecording().words.size();
    for (int word : {0, kShot, 0, kDown, 0, kShot}) {
        s->draw(device.get());
        frame(*s, word);
    }
    EXPECT_EQ(s->getResultsCard().getStep(), ml::ResultsCard::Step::kept);
    EXPECT_EQ(s->getRecording().words.size(), recorded);
    const ml::StageReplay kept = ml::readStageReplay(s->getResultsCard().getKeptPath());
    EXPECT_EQ(fs::path(s->getResultsCard().getKeptPath().toUtf8()).parent_path(),
              dir.path() / "replays");
    ASSERT_TRUE(kept.result.has_value());
    EXPECT_FALSE(kept.result->cleared);
    EXPECT_EQ(kept.result->frames, static_cast<int>(recorded));
    EXPECT_EQ(kept.words, s->getRecording().words);
    EXPECT_EQ(s->getRequest(), veru::dxt::kRequestNone);
    frame(*s, 0);
    frame(*s, kShot);
    EXPECT_EQ(s->requestedExit(), veru::dxt::SceneExit::title);
    for (const auto& m : boxes.messages())
        ADD_FAILURE() << m.caption.toUtf8() << ": " << m.text.toUtf8();
}

// Once cleared, the stage says which exit it will leave by, so that the next
// scene can be read while the clear caption and the results card show; a
// stage that is not over, or is lost, expects nothing.
TEST_F(ShootingSceneTest, AFinishedStageLetsGoOfItsFieldAndExpectsTheExitItThenLeavesBy) {
    const YString path = script({u"Shooting", u"Boss TrialBoss", u"}"});
    for (const bool practice : {false, true}) {
        SCOPED_TRACE(practice ? "practice" : "the story");
        auto s = std::make_unique<ml::ShootingScene>(&manager, setting.get(), &status);
        s->setScript(path);
        s->setResultsCard(true);
        if (practice)
            s->practise(ml::StageStart{}, ml::GameSetting::kLevelNormal);
        s->reset();
        ASSERT_TRUE(s->create(nullptr, device.get())) << lastBox();
        std::optional<veru::dxt::SceneExit> expected;
        int expectedAt = -1;
        int resultsAt = -1;
        for (int f = 0; f < 3000 && s->getRequest() == veru::dxt::kRequestNone; ++f) {
            if (Boss* boss = s->getBoss();
                boss && (boss->getState() == STATE_ACTIVE || boss->getState() == STATE_PINCH))
                boss->damage(200);
            frame(*s, f % 2 ? kShot : 0);  // closes the results card
            if (const auto exit = s->takeExpectedExit()) {
                EXPECT_FALSE(expected) << "expected twice";
                expected = exit;
                expectedAt = f;
            }
            if (resultsAt < 0 && s->getPhase() == ml::stage::kResults) {
                resultsAt = f;
                // Only the card shows: the field has gone to make room.
                EXPECT_EQ(s->getBackground(), nullptr);
                EXPECT_EQ(s->getBoss(), nullptr);
            }
        }
        ASSERT_TRUE(expected);
        EXPECT_EQ(*expected, practice ? veru::dxt::SceneExit::back : veru::dxt::SceneExit::next);
        EXPECT_EQ(s->requestedExit(), expected);
        // As the card opens, the field let go.
        EXPECT_EQ(expectedAt, resultsAt);
        s->release();
    }
    int f = 0;
    auto lost = stageAtTheContinue(f);
    ASSERT_TRUE(lost) << lastBox();
    EXPECT_FALSE(lost->takeExpectedExit());
}

// Retry leaves by the "again" exit with the score and status the stage
// started from put back; entered again, nothing of the attempt is left.
TEST_F(ShootingSceneTest, RetryStartsTheStageAfreshWithNothingOfTheAttemptLeft) {
    setting->setLastScore(1200);  // brought from before the stage
    status.stock = 4;
    const veru::dxt::PlayStatus before = status;
    auto s = scene(script({u"Shooting", u"Enemy(Bat1, 900, 240)", u"Enemy(Bat2, 5000, 100)",
                           u"Boss TrialBoss", u"}"}));
    ASSERT_TRUE(created) << lastBox();
    int f = 0;
    while (!(s->getPhase() == ml::stage::kShooting && s->getPlayer()->getState() == STATE_ACTIVE) &&
           f++ < 1000)
        frame(*s, 0);
    frame(*s, kBomb);
    for (int i = 0; i < 600 && s->getActiveEnemies().empty(); ++i)
        frame(*s, kShot);
    s->playerHit();
    ASSERT_NE(status.lives, before.lives);
    ASSERT_EQ(s->getTally().bombs, 1);
    ASSERT_FALSE(s->getActiveEnemies().empty());
    frame(*s, kPause);
    frame(*s, 0);
    frame(*s, kDown);
    frame(*s, 0);
    frame(*s, kShot);  // retry
    for (int frames = 0; s->getRequest() == veru::dxt::kRequestNone && frames < 200; ++frames)
        frame(*s, 0);
    EXPECT_EQ(s->requestedExit(), veru::dxt::SceneExit::again);
    EXPECT_EQ(status.lives, before.lives);
    EXPECT_EQ(status.stock, before.stock);
    EXPECT_EQ(status.power, before.power);
    EXPECT_EQ(setting->getLastScore(), 1200);

    // Entered again as the scene manager does.
    s->release();
    s->reset();
    ASSERT_TRUE(s->create(nullptr, device.get())) << lastBox();
    EXPECT_EQ(s->getPhase(), ml::stage::kFadeIn);
    EXPECT_EQ(s->getScore(), 1200);
    EXPECT_EQ(s->getTally().bombs, 0);
    EXPECT_EQ(s->getTally().livesLost, 0);
    EXPECT_EQ(s->getTally().frames, 0);
    EXPECT_TRUE(s->getActiveEnemies().empty());
    EXPECT_EQ(s->getWaitingEnemies().size(), 2u);
    EXPECT_EQ(s->getPosition(), 0);
    EXPECT_EQ(s->getFrameNumber(), 0);
    EXPECT_TRUE(s->getRecording().words.empty());
    EXPECT_EQ(status.stock, before.stock);
}

// The HUD's high score is the record of the heroine and difficulty played;
// a live play sets it, a recording played back or a stage with its records
// off (practice) never does.
TEST_F(ShootingSceneTest, OnlyThePlayersOwnPlaySetsTheRecordTheHudShows) {
    const YString path = script({u"Shooting", u"Item Kintuba", u"Enemy(Bat1, 900, 240)",
                                 u"Enemy(Bat2, 5000, 100)", u"Boss TrialBoss", u"}"});
    setting->setLevel(ml::GameSetting::kLevelHard);
    ml::StageRecords records(*setting);
    records.offer(1, ml::GameSetting::kLevelHard, 100, 20260101);
    // The bat carrying the kintuba is shot down and the kintuba picked up.
    const auto play = [&](ml::ShootingScene& s) {
        for (int f = 0; f < 900; ++f) {
            for (const auto& enemy : s.getActiveEnemies()) {
                if (enemy->getState() == STATE_ACTIVE && enemy->getX() < 700)
                    enemy->damage(100);
            }
            for (const auto& item : s.getKintubaItems()) {
                if (item->getState() == STATE_ACTIVE)
                    s.getPlayer()->setPosition(item->getX(), item->getY());
            }
            frame(s, kShot);
        }
    };
    const auto best = [&] { return records.best(1, ml::GameSetting::kLevelHard).score; };

    auto off = scene(path);
    EXPECT_EQ(off->getHiScore(), 100);
    off->setRecordsOff(true);
    play(*off);
    ASSERT_GE(off->getScore(), 500);
    EXPECT_FALSE(off->keepRecord());
    EXPECT_EQ(best(), 100);
    off->release();

    auto live = scene(path);
    play(*live);
    const int score = live->getScore();
    EXPECT_TRUE(live->keepRecord());
    EXPECT_EQ(best(), score);
    EXPECT_GT(records.best(1, ml::GameSetting::kLevelHard).date, 20260101);
    EXPECT_EQ(records.best(1, ml::GameSetting::kLevelNormal).score, 0);
    EXPECT_EQ(records.best(2, ml::GameSetting::kLevelHard).score, 0);
    const ml::StageReplay recorded = live->getRecording();
    live->release();

    setting->setValue(ml::settings::Key::record_shiro_hard, 0);  // any score would beat it
    auto replayed = std::make_unique<ml::ShootingScene>(&manager, setting.get(), &status);
    replayed->setScript(path);
    replayed->playReplay(recorded);
    replayed->reset();
    ASSERT_TRUE(replayed->create(nullptr, device.get())) << lastBox();
    play(*replayed);
    EXPECT_EQ(replayed->getScore(), score);
    EXPECT_FALSE(replayed->keepRecord());
    EXPECT_EQ(best(), 0);
    replayed->release();

    // Another difficulty shows its own record.
    setting->setLevel(ml::GameSetting::kLevelEasy);
    EXPECT_EQ(scene(path)->getHiScore(), 0);
}

namespace {

// Mean of (max - min) of the colour channels over a rectangle: how much
// colour a region shows (a white wash lowers it).
double saturation(const Frame& f, int x, int y, int w, int h) {
    double sum = 0;
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) {
            const std::uint32_t p = f.at(i, j);
            const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            sum += std::max({r, g, b}) - std::min({r, g, b});
        }
    return sum / (w * h);
}

void keep(const Frame& f, const std::string& name) {
    fs::create_directories(MIRELUNE_SCREENSHOTS);
    savePng(f, std::string(MIRELUNE_SCREENSHOTS) + "/" + name + ".png");
}

}  // namespace

TEST_F(ShootingSceneTest, TheHitMarkerAndABossUnderFireAsTheyAreDrawn) {
    auto s = scene(script({u"Shooting", u"Boss TrialBoss", u"Wait 30", u"}", u"Boss"}));
    ASSERT_TRUE(created) << lastBox();
    auto* player = static_cast<Vuzez*>(s->getPlayer());
    auto drawn = [&] {
        s->draw(device.get());
        return readFrame(*device);
    };
    int f = 0;
    while (f++ < 3000 &&
           !(s->getPhase() == ml::stage::kShooting && player->getState() == STATE_ACTIVE))
        frame(*s, 0);
    ASSERT_EQ(player->getState(), STATE_ACTIVE);
    player->setPosition(300, 240);
    // Over the forest, the gauge full, half and empty: with the slow button
    // the marker lights the rim of the very rectangle the collisions use.
    for (const auto& [ratio, name] : {std::pair{1.0f, "full"}, {0.5f, "half"}, {0.0f, "empty"}}) {
        SCOPED_TRACE(name);
        frame(*s, kSlow);
        player->setScale(ratio);  // as the scene does from the gauge every frame
        const Frame marked = drawn();
        keep(marked, std::string("heroine_forest_") + name);
        frame(*s, 0);
        player->setScale(ratio);
        const Frame plain = drawn();
        const HitRect r = player->getHitRect();
        const int w = r.right - r.left - 8;
        const int row = r.top + static_cast<int>(1.5f * player->getScale());
        EXPECT_GT(marked.brightness(r.left + 4, row, w, 1),
                  plain.brightness(r.left + 4, row, w, 1) + 60);
        // and nothing of it outside the rectangle
        EXPECT_NEAR(marked.brightness(r.left + 4, r.top - 3, w, 1),
                    plain.brightness(r.left + 4, r.top - 3, w, 1), 2.0);
    }
    // Over the manor: the boss under fire, three frames in a row.
    while (f++ < 20000 &&
           !(s->getPhase() == ml::stage::kBossBattle && s->getBoss() &&
             s->getBoss()->getState() == STATE_ACTIVE && s->getBoss()->getX() < 700)) {
        frame(*s, 0);
        player->setPosition(120, 240);
    }
    Boss* boss = s->getBoss();
    ASSERT_EQ(boss->getState(), STATE_ACTIVE);
    const auto bossBox = [&](const Frame& frame) {
        return saturation(frame, boss->getX() - 40, boss->getY() - 50, 80, 100);
    };
    const double before = bossBox(drawn());
    int fired = 0;
    while (fired++ < 300 && boss->getFlashAlpha() < 100) {
        player->setPosition(120, boss->getY());
        frame(*s, kShot | kSlow);
    }
    ASSERT_GE(boss->getFlashAlpha(), 80);
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const Frame hit = drawn();
        keep(hit, "boss_under_fire_" + std::to_string(k));
        // the boss keeps nearly all his colour while the damage picture is on him
        EXPECT_GT(bossBox(hit), 0.85 * before) << "flash alpha " << boss->getFlashAlpha();
        player->setPosition(120, boss->getY());
        frame(*s, kShot | kSlow);
    }
}

// The stage read ahead on a worker while the talk before it plays: create
// then builds the very same stage, whatever the worker drew or failed at.
TEST_F(ShootingSceneTest, AStagePreparedOnAWorkerPlaysAsOneReadOnTheSpot) {
    using namespace veru::dxt::material;
    const YString path =
        script({u"Talking", u"Init(img/talk_siro_normal.ytx, null)", u"}", u"Shooting",
                u"Enemy(Bat5, 900, 240)", u"Item(LevelUp)", u"Enemy(Bat9, 1000, 300)",
                u"Enemy(Bat17, 1200, 100)", u"Boss TrialBoss", u"}"});
    for (const ml::StageHeroine* heroine : {&ml::shiroHeroine(), &ml::hotaruHeroine()}) {
        SCOPED_TRACE(heroine->number);
        auto play = [&](bool prepared) {
            ml::ShootingScene s(&manager, setting.get(), &status, *heroine);
            s.setScript(path);
            status = veru::dxt::PlayStatus();
            s.setSeed(7);
            if (prepared) {
                // The worker draws its own random numbers even while a stage's are seeded.
                veru::dxt::effect2D::seedStageRandom(99);
                std::jthread(s.prepare()).join();
                const int next = veru::dxt::effect2D::randomInt(0, 1 << 30);
                veru::dxt::effect2D::seedStageRandom(99);
                EXPECT_EQ(next, veru::dxt::effect2D::randomInt(0, 1 << 30));
                veru::dxt::effect2D::useSecureRandom();
                EXPECT_GT(preloadedPictureCount(), 20u) << "pictures read ahead";
                EXPECT_EQ(veru::sound::preloadedTuneCount(), 2u) << "the stage's and the boss's";
                EXPECT_GT(veru::sound::preloadedSoundCount(), 10u) << "effects read ahead";
            }
            const std::size_t ahead = preloadedPictureCount();
            const std::size_t soundsAhead = veru::sound::preloadedSoundCount();
            sounds.stopAll();  // as a switch does: every sound is read anew
            s.release();
            s.reset();
            EXPECT_TRUE(s.create(nullptr, device.get())) << lastBox();
            if (prepared) {
                EXPECT_LT(preloadedPictureCount(), ahead / 4);  // create took nearly all
                EXPECT_EQ(veru::sound::preloadedTuneCount(), 0u);
                // Taken but those of the pick-ups and bats this short script has not.
                EXPECT_LT(veru::sound::preloadedSoundCount(), soundsAhead);
            }
            dropPreloadedPictures();
            veru::sound::dropPreloadedSounds();
            std::vector<std::uint64_t> hashes{s.stateHash()};
            for (int f = 0; f < 900; ++f) {
                frame(s, (f / 7) % 3 == 0 ? kShot | kDown : kShot);
                hashes.push_back(s.stateHash());
            }
            hashes.push_back(device->getTextureCount());
            s.release();
            return hashes;
        };
        EXPECT_EQ(play(true), play(false));
    }
}

TEST_F(ShootingSceneTest, WhatFailsOnTheWorkerIsShownByCreateAsWithoutIt) {
    const YString broken[] = {script({u"Shooting", u"Enemy Bat25 900 240", u"}"}),
                              script({u"BOSS_Face img/nothing.ytx"}, false),
                              dir.file("missing.dat")};
    for (const YString& path : broken) {
        SCOPED_TRACE(path.toUtf8());
        auto shown = [&](bool prepared) {
            ml::ShootingScene s(&manager, setting.get(), &status);
            s.setScript(path);
            const std::size_t before = boxes.count();
            if (prepared)
                std::jthread(s.prepare()).join();
            EXPECT_EQ(boxes.count(), before);  // the worker shows nothing
            s.release();
            s.reset();
            EXPECT_FALSE(s.create(nullptr, device.get()));
            veru::dxt::material::dropPreloadedPictures();
            s.release();
            EXPECT_EQ(boxes.count(), before + 1);
            return lastBox();
        };
        EXPECT_EQ(shown(true), shown(false));
    }
}
