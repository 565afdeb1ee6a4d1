// mlplaytest's starts part-way: the options take one start, and a boss-only
// play of the real stage reaches its boss at once and ends.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/io/Scrambler.h"
#include "game/StageStart.h"
#include "game/settings/GameSetting.h"
#include "game/shooting/object/ObjectCodes.h"
#include "tools/playtest/PlaytestOptions.h"
#include "tools/playtest/StagePlaythrough.h"

using namespace ml::playtest;

TEST(PlaytestStart, TheOptionsTakeOneStartAndOnlyForTheAutopilot) {
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

TEST(PlaytestStart, ABossAlonePlaysAtOnceToItsEnd) {
    veru::io::registerGameFileKeys();
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(MIRELUNE_GAME_DATA);
    {
        ml::StageStart start;
        start.boss = "Maruiyatu";
        StagePlaythrough playthrough(ml::shiroHeroine());
        playthrough.setStart(start);
        const RunResult run = playthrough.play(ml::GameSetting::kLevelEasy, 3);
        EXPECT_TRUE(run.finished) << describe(run);
        EXPECT_TRUE(run.cleared) << describe(run);
        // The whole stage flies some three minutes (10800 frames) before its
        // boss; the fight and the ending take far less.
        EXPECT_LT(run.frames, 8000) << describe(run);
    }
    std::filesystem::current_path(previous);
}
