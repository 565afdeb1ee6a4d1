// Plays that start part-way: the rewritten script keeps its lines and changes
// only the shooting section; a practice play starts on the real stage where
// and how it was chosen, replays exactly, and sets no record.

#include "game/StageStart.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/exceptions/Exception.h"
#include "engine/input/ScriptedInput.h"
#include "engine/io/Scrambler.h"
#include "engine/scene/PlayStatus.h"
#include "engine/scene/SceneManager.h"
#include "engine/sound/SoundManger.h"
#include "game/ShootingScene.h"
#include "game/StagePhase.h"
#include "game/settings/GameSetting.h"
#include "game/shooting/object/ObjectCodes.h"
#include "game/shooting/object/bosses/Boss.h"
#include "game/shooting/object/bosses/BossTable.h"
#include "game/shooting/object/players/PlayerCharacter.h"
#include "tests/engine/graphics/DrawingTestSupport.h"
#include "tests/support/RecordingMessageSink.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using namespace mirelune::test;
using ml::StageStart;

namespace {

const std::vector<std::string> script = {
    "Back(img/back.ysf)",
    "Talking {",
    "1P_Talk(first)",
    "}",
    "",
    "Shooting {",
    "// wave one",
    "Enemy(Bat1, 1100, 120)",
    "Item(LevelUp)",
    "Enemy(Bat2, 1500, 200)",
    "Item(Kintuba)",
    "Enemy(Bat3, 1900, 300)",
    "Item(Chance)",
    "Enemy(Bat4, 2300, 400)",
    "Wait(180)",
    "Boss(TrialBoss)",
    "}",
    "Talking {",
    "2P_Talk(boss)",
    "}",
    "Boss",
};

StageStart bossAlone(const std::string& name) {
    StageStart start;
    start.boss = name;
    return start;
}

StageStart fromPosition(int position) {
    StageStart start;
    start.from = position;
    return start;
}

std::string messageOf(const std::vector<std::string>& lines, const StageStart& start) {
    try {
        ml::startScript(lines, start);
    } catch (const veru::excp::Exception& e) {
        return e.getMessage().toUtf8();
    }
    return "";
}

}  // namespace

TEST(StageStart, ABossAloneKeepsOnlyItsLineAndEveryLineNumber) {
    std::vector<std::string> expected = script;
    for (std::size_t i = 6; i <= 15; ++i)
        expected[i].clear();
    expected[6] = "Boss(Sister)";
    EXPECT_EQ(ml::startScript(script, bossAlone("Sister")), expected);
    // An unknown boss: the message lists the names there are.
    EXPECT_NE(messageOf(script, bossAlone("sister")).find("Sasaki"), std::string::npos);
}

TEST(StageStart, FromAPositionKeepsLaterEnemiesWithTheirItemsMovedForward) {
    const auto lines = ml::startScript(script, fromPosition(1800));
    ASSERT_EQ(lines.size(), script.size());
    // The talk is left to the steps; the dropped enemies and their items
    // are blank lines.
    EXPECT_EQ(lines[2], "1P_Talk(first)");
    for (std::size_t i : {7u, 8u, 9u, 10u})
        EXPECT_EQ(lines[i], "") << i;
    // The first enemy kept comes where the stage's first enemy stood; the
    // rest keep their spacing, and their items stay with them.
    EXPECT_EQ(lines[11], "Enemy(Bat3, 1100, 300)");
    EXPECT_EQ(lines[12], "Item(Chance)");
    EXPECT_EQ(lines[13], "Enemy(Bat4, 1500, 400)");
    EXPECT_EQ(lines[14], "Wait(180)");
    EXPECT_EQ(lines[15], "Boss(TrialBoss)");
    // Position 0 is the whole shooting section, unmoved.
    EXPECT_EQ(ml::startScript(script, fromPosition(0)), script);
    // Past the last enemy, no shooting section, one never closed.
    const std::pair<std::vector<std::string>, StageStart> wrong[] = {
        {script, fromPosition(2301)},
        {{"Talking {", "}"}, bossAlone("Sister")},
        {{"Shooting {", "Enemy(Bat1, 1, 1)"}, fromPosition(0)},
    };
    for (const auto& [lines, start] : wrong)
        EXPECT_NE(messageOf(lines, start), "") << lines.front();
}

TEST(StageStart, TheStartStatusIsANewGamesUnlessGiven) {
    veru::dxt::PlayStatus status;
    status.resetForTalk();
    fromPosition(3000).applyStatus(status);
    EXPECT_EQ(status.power, ml::shooting::object::LEVEL_MIN);
    EXPECT_EQ(status.lives, veru::dxt::PlayStatus::kStartLives);
    // A boss alone is met at the full shot level, unless another is given.
    bossAlone("Erika").applyStatus(status);
    EXPECT_EQ(status.power, ml::shooting::object::LEVEL_MAX);
    StageStart chosen = bossAlone("Erika");
    chosen.power = ml::shooting::object::LEVEL_2;
    chosen.lives = 0;
    chosen.stock = 8;
    chosen.applyStatus(status);
    EXPECT_EQ(status.power, ml::shooting::object::LEVEL_2);
    EXPECT_EQ(status.lives, 0);
    EXPECT_EQ(status.stock, 8);
}

// Practice plays on the real stages, from the packed game folder.
class PracticeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        veru::io::registerGameFileKeys();
        fs::current_path(MIRELUNE_GAME_DATA);
        setting = std::make_unique<ml::GameSetting>(dir.file("setting.env"));
        setting->setLevel(ml::GameSetting::kLevelNormal);
        setting->setHiScore(0);
        status.resetForTalk();
        sounds.create(nullptr);
        manager.attach(nullptr, &sounds, nullptr, device.get());
    }
    void TearDown() override { fs::current_path(previous); }

    std::string lastBox() const {
        const auto all = boxes.messages();
        return all.empty() ? std::string("no box") : all.back().text.toUtf8();
    }
    std::unique_ptr<ml::ShootingScene> stage(const ml::StageHeroine& heroine) {
        auto made = std::make_unique<ml::ShootingScene>(&manager, setting.get(), &status, heroine);
        made->release();
        made->reset();
        return made;
    }
    // Frames of held shot with a weave; each frame's state hash.
    std::vector<std::uint64_t> fly(ml::ShootingScene& s, int frames) {
        std::vector<std::uint64_t> hashes;
        for (int f = 0; f < frames && s.getRequest() == veru::dxt::kRequestNone; ++f) {
            veru::dxt::event::ScriptedInput input{{0, (f / 40) % 2 ? 0x10 | 0x2 : 0x10 | 0x1}};
            s.update(&input);
            hashes.push_back(s.stateHash());
        }
        return hashes;
    }

    fs::path previous = fs::current_path();
    TempDir dir;
    RecordingMessageSink boxes;
    std::unique_ptr<veru::platform::VideoDevice> device = makeOffscreenDevice();
    veru::sound::SoundManger sounds;
    veru::dxt::SceneManager manager;
    veru::dxt::PlayStatus status;
    std::unique_ptr<ml::GameSetting> setting;
};

TEST_F(PracticeTest, StartsWhereChosenWithTheChosenStatusAndPutsTheOwnBack) {
    using namespace ml::shooting::object;
    for (const ml::StageHeroine& heroine : ml::heroines()) {
        SCOPED_TRACE(heroine.number);
        const veru::dxt::PlayStatus own = status;
        auto s = stage(heroine);
        StageStart part = fromPosition(6400);
        part.power = LEVEL_3;
        part.lives = 4;
        part.stock = 1;
        s->practise(part, ml::GameSetting::kLevelHard);
        ASSERT_TRUE(s->create(nullptr, device.get())) << lastBox();
        EXPECT_TRUE(s->isPractising());
        EXPECT_EQ(setting->getLevel(), ml::GameSetting::kLevelHard);
        EXPECT_EQ(status.power, LEVEL_3);
        EXPECT_EQ(status.lives, 4);
        EXPECT_EQ(status.stock, 1);
        EXPECT_EQ(s->getPlayer()->getLevel(), LEVEL_3);
        EXPECT_EQ(s->getScore(), 0);
        // The opening talk is gone; the first enemy kept enters where the
        // stage's first one would.
        ASSERT_FALSE(s->getScriptSteps().empty());
        EXPECT_EQ(s->getScriptSteps().front().word, ml::StageWord::Shooting);
        ASSERT_FALSE(s->getTimeline().empty());
        EXPECT_EQ(s->getTimeline().front().first, 1100);
        EXPECT_EQ(s->getRecording().startLives, 4);
        EXPECT_EQ(s->getRecording().level, ml::GameSetting::kLevelHard);
        s->release();
        // The player's own difficulty and status again.
        EXPECT_EQ(setting->getLevel(), ml::GameSetting::kLevelNormal);
        EXPECT_EQ(status.lives, own.lives);
        EXPECT_EQ(status.power, own.power);

        // Every part of her stage the practice menu offers can be flown.
        for (const ml::StagePart& each : heroine.stageParts) {
            StageStart start;
            if (each.boss)
                start.boss = each.boss;
            else
                start.from = each.from;
            s->practise(start, ml::GameSetting::kLevelNormal);
            s->release();
            s->reset();
            EXPECT_TRUE(s->create(nullptr, device.get())) << lastBox();
            s->release();
        }

        // Any of the bosses, at once: the shooting header comes first and
        // no talk line is left.
        for (const BossRow& row : bossRows()) {
            s->practise(bossAlone(std::string(row.name)), ml::GameSetting::kLevelEasy);
            s->release();
            s->reset();
            ASSERT_TRUE(s->create(nullptr, device.get())) << row.name;
            ASSERT_NE(s->getBoss(), nullptr);
            EXPECT_EQ(s->getBoss()->getRow().name, row.name);
            EXPECT_TRUE(s->getWaitingEnemies().empty());
            EXPECT_EQ(status.power, LEVEL_MAX);
            for (const ml::StageStep& step : s->getScriptSteps())
                EXPECT_NE(step.word, ml::StageWord::Talk1) << row.name;
            s->release();
        }
        // The next create without practise is the whole stage again.
        s->reset();
        ASSERT_TRUE(s->create(nullptr, device.get()));
        EXPECT_FALSE(s->isPractising());
        EXPECT_EQ(s->getScriptSteps().front().word, ml::StageWord::Talking);
        s->release();
    }
}

TEST_F(PracticeTest, APracticePlayReplaysExactlyAndSetsNoRecord) {
    auto s = stage(ml::shiroHeroine());
    StageStart boss = bossAlone("Maruiyatu");
    boss.lives = 5;
    s->practise(boss, ml::GameSetting::kLevelHard);
    ASSERT_TRUE(s->create(nullptr, device.get()));
    const std::vector<std::uint64_t> live = fly(*s, 2000);
    ASSERT_GT(s->getScore(), 0);
    // Leaving writes the high score of an ordinary play (by the pause
    // menu's "back to title" unless the boss fell first); a practice play's
    // is put back, and it never goes on to the closing talk.
    if (s->getRequest() == veru::dxt::kRequestNone) {
        for (int word : {0x100, 0, 0x2, 0, 0x10}) {
            veru::dxt::event::ScriptedInput input{{0, word}};
            s->update(&input);
        }
        for (int f = 0; f < 100 && s->getRequest() == veru::dxt::kRequestNone; ++f)
            fly(*s, 1);
    }
    EXPECT_NE(s->getRequest(), veru::dxt::kRequestNext);
    const ml::StageReplay recorded = s->getRecording();
    s->release();
    EXPECT_EQ(setting->getHiScore(), 0);
    EXPECT_EQ(setting->getLevel(), ml::GameSetting::kLevelNormal);

    // The recording brings its start: the same boss, status and difficulty,
    // frame for frame, whatever the player's settings now.
    const veru::YString file = dir.file("practice.rpl");
    ml::writeStageReplay(file, recorded);
    auto again = stage(ml::shiroHeroine());
    again->playReplay(ml::readStageReplay(file));
    ASSERT_TRUE(again->create(nullptr, device.get()));
    EXPECT_EQ(again->getBoss()->getRow().name, "Maruiyatu");
    EXPECT_EQ(status.lives, 5);
    EXPECT_EQ(fly(*again, static_cast<int>(live.size())), live);
    again->release();
    EXPECT_EQ(setting->getHiScore(), 0);
}
