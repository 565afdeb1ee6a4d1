// Plays that start part-way: the rewritten script keeps what a boss-only or
// mid-stage play needs and nothing before it, and a boss-only play of the
// real stage reaches its boss at once and ends.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/io/Scrambler.h"
#include "game/settings/GameSetting.h"
#include "game/shooting/object/ObjectCodes.h"
#include "tools/playtest/PlaytestOptions.h"
#include "tools/playtest/StagePlaythrough.h"
#include "tools/playtest/StageStart.h"

using namespace ml::playtest;

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

bool has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace

TEST(StageStart, ABossAloneSkipsTheOpeningTalkAndEveryEnemy) {
    const auto lines = startScript(script, bossAlone("Sister"));
    const std::vector<std::string> expected = {
        "Back(img/back.ysf)", "",  "Shooting {", "Boss(Sister)", "}", "Talking {",
        "2P_Talk(boss)",      "}", "Boss",
    };
    EXPECT_EQ(lines, expected);
    try {
        startScript(script, bossAlone("sister"));
        FAIL() << "an unknown boss was taken";
    } catch (const std::runtime_error& e) {
        // The message lists the names there are.
        EXPECT_NE(std::string(e.what()).find("Sasaki"), std::string::npos) << e.what();
    }
}

TEST(StageStart, FromAPositionKeepsLaterEnemiesWithTheirItemsMovedForward) {
    const auto lines = startScript(script, fromPosition(1800));
    EXPECT_FALSE(has(lines, "1P_Talk(first)"));
    // The first enemy kept comes where the stage's first enemy stood; the
    // rest keep their spacing, and their items stay with them.
    EXPECT_FALSE(has(lines, "Enemy(Bat2, 1500, 200)"));
    EXPECT_FALSE(has(lines, "Item(LevelUp)"));
    EXPECT_FALSE(has(lines, "Item(Kintuba)"));
    const auto at = std::find(lines.begin(), lines.end(), "Enemy(Bat3, 1100, 300)");
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(*(at + 1), "Item(Chance)");
    EXPECT_EQ(*(at + 2), "Enemy(Bat4, 1500, 400)");
    EXPECT_TRUE(has(lines, "Wait(180)"));
    EXPECT_TRUE(has(lines, "Boss(TrialBoss)"));
    EXPECT_TRUE(has(lines, "2P_Talk(boss)"));
    // Position 0 is the whole shooting section, unmoved.
    EXPECT_TRUE(has(startScript(script, fromPosition(0)), "Enemy(Bat1, 1100, 120)"));
    EXPECT_THROW(startScript(script, fromPosition(2301)), std::runtime_error);
    EXPECT_THROW(startScript({"Talking {", "}"}, bossAlone("Sister")), std::runtime_error);
    EXPECT_THROW(startScript({"Shooting {", "Enemy(Bat1, 1, 1)"}, fromPosition(0)),
                 std::runtime_error);
}

TEST(StageStart, TheOptionsTakeOneStartAndOnlyForTheAutopilot) {
    std::string error;
    const auto boss = PlaytestOptions::parse({"--boss", "Kiriha", "--level", "hard"}, error);
    ASSERT_TRUE(boss) << error;
    EXPECT_EQ(boss->start.boss, "Kiriha");
    EXPECT_FALSE(boss->start.isWholeStage());
    const auto from = PlaytestOptions::parse({"--from", "5000"}, error);
    ASSERT_TRUE(from) << error;
    EXPECT_EQ(from->start.from, 5000);
    // a boss alone is met at full power; part-way keeps a new game's
    EXPECT_EQ(boss->start.startPower(), ml::shooting::object::LEVEL_MAX);
    EXPECT_FALSE(from->start.startPower());
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"--boss", "Erika", "--from", "100"},
          {"--from", "-5"},
          {"--from", "x"},
          {"--replay", "a.rpl", "--boss", "Erika"}}) {
        EXPECT_FALSE(PlaytestOptions::parse(wrong, error)) << wrong[0] << " " << wrong[1];
    }
}

TEST(StageStart, ABossAlonePlaysAtOnceToItsEnd) {
    veru::io::registerGameFileKeys();
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(MIRELUNE_GAME_DATA);
    {
        const StartedScript started(ml::shiroHeroine(), bossAlone("Maruiyatu"));
        StagePlaythrough playthrough(started.heroine());
        playthrough.setStartPower(bossAlone("Maruiyatu").startPower());
        const RunResult run = playthrough.play(ml::GameSetting::kLevelEasy, 3);
        EXPECT_TRUE(run.finished) << describe(run);
        EXPECT_TRUE(run.cleared) << describe(run);
        // The whole stage flies some three minutes (10800 frames) before its
        // boss; the boss's talk, fight and closing talk take far less.
        EXPECT_LT(run.frames, 8000) << describe(run);
    }
    std::filesystem::current_path(previous);
}
