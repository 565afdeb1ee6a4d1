// The trial stage stays clearable: the autopilot plays it on normal from a
// fixed seed (the play is deterministic, so this cannot flake) and must beat
// the boss without getting stuck; the recording of that play, written to a
// file and read back, plays out the same — same score, same frames, same
// lives lost. A change that makes the stage uncleared, stuck or no longer
// repeatable fails here.

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/io/Scrambler.h"
#include "game/StageReplay.h"
#include "game/settings/GameSetting.h"
#include "tests/support/TempDir.h"
#include "tools/playtest/StagePlaythrough.h"

namespace fs = std::filesystem;
using namespace ml::playtest;

namespace {

constexpr std::uint64_t kSeed = 7;

class StageClear : public ::testing::Test {
  protected:
    void SetUp() override {
        veru::io::registerGameFileKeys();
        fs::current_path(MIRELUNE_GAME_DATA);
    }
    void TearDown() override { fs::current_path(previous); }

    fs::path previous = fs::current_path();
};

}  // namespace

TEST_F(StageClear, TheAutopilotClearsNormalAndItsRecordingReplaysTheSame) {
    StagePlaythrough playthrough;
    ml::StageReplay recording;
    const RunResult run = playthrough.play(ml::GameSetting::kLevelNormal, kSeed, &recording);
    ASSERT_TRUE(run.finished) << "the stage got stuck: " << describe(run);
    EXPECT_TRUE(run.cleared) << describe(run);
    EXPECT_GT(run.score, 0);
    EXPECT_EQ(recording.seed, kSeed);
    EXPECT_EQ(recording.words.size(), static_cast<std::size_t>(run.frames));

    mirelune::test::TempDir dir;
    const veru::YString path = veru::YString::fromUtf8((dir.path() / "clear.rpl").string());
    ml::writeStageReplay(path, recording);
    const RunResult again = playthrough.replay(ml::readStageReplay(path));
    EXPECT_EQ(describe(again), describe(run));
    EXPECT_EQ(again.cleared, run.cleared);
}

// The autopilot follows bullets from frame to frame by the game's own
// numbering of objects, so a seed plays the same line however the heap was
// used before: a bullet made where a freed one lay inherits nothing.
TEST_F(StageClear, TheSameSeedPrintsTheSameLineEveryTime) {
    StagePlaythrough playthrough;
    const RunResult first = playthrough.play(ml::GameSetting::kLevelHard, 3);
    playthrough.play(ml::GameSetting::kLevelHard, 4);  // another heap for the next
    const RunResult again = playthrough.play(ml::GameSetting::kLevelHard, 3);
    EXPECT_EQ(describe(again), describe(first));
}
