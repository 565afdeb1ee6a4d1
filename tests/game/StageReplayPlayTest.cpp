// The committed recordings of a full clear of each heroine's trial stage on
// normal, played again: the final score, the frame of the boss's death and a
// hash of every object's state each 600 frames must come out as recorded. A
// change of game logic that was not meant fails here; one that was meant
// records the plays again:
//   MIRELUNE_RECORD_REPLAY=1 build/tests/game/test_stage --gtest_filter='StageReplayPlay.*'
// which plays each stage with the test player and rewrites
// tests/game/data/stage_trial_normal.rpl and .expect (Shiro's) and
// stage_trialK_normal.rpl and .expect (Hotaru's); a filter ending in /Shiro
// or /Hotaru records one of them.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/io/Scrambler.h"
#include "engine/scene/PlayStatus.h"
#include "engine/scene/SceneManager.h"
#include "engine/sound/SoundManger.h"
#include "game/ShootingScene.h"
#include "game/StageHeroine.h"
#include "game/StageReplay.h"
#include "game/settings/GameSetting.h"
#include "tests/engine/graphics/DrawingTestSupport.h"
#include "tests/support/RecordingMessageSink.h"
#include "tests/support/StageBot.h"
#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using namespace mirelune::test;
using veru::YString;

namespace {

struct Outcome {
    int score = 0;
    int bossDeathFrame = -1;
    std::vector<std::pair<int, std::uint64_t>> hashes;  // (frame, hash) every 600 frames
    bool operator==(const Outcome&) const = default;
};

const fs::path kData = fs::path(MIRELUNE_REPLAY_DIR);

struct Recorded {
    const char* name;
    const ml::StageHeroine& heroine;
    const char* files;  // in kData, without .rpl / .expect
    friend void PrintTo(const Recorded& r, std::ostream* os) { *os << r.name; }
};
const Recorded kRecorded[] = {{"Shiro", ml::shiroHeroine(), "stage_trial_normal"},
                              {"Hotaru", ml::hotaruHeroine(), "stage_trialK_normal"}};

std::string write(const Outcome& o) {
    std::ostringstream out;
    out << "score " << o.score << "\nboss_death_frame " << o.bossDeathFrame << "\n";
    for (const auto& [frame, hash] : o.hashes)
        out << "hash " << frame << " " << std::hex << hash << std::dec << "\n";
    return out.str();
}

Outcome read(const fs::path& path) {
    Outcome o;
    std::ifstream in(path);
    std::string key;
    while (in >> key) {
        if (key == "score") {
            in >> o.score;
        } else if (key == "boss_death_frame") {
            in >> o.bossDeathFrame;
        } else if (key == "hash") {
            int frame = 0;
            std::uint64_t hash = 0;
            in >> frame >> std::hex >> hash >> std::dec;
            o.hashes.emplace_back(frame, hash);
        }
    }
    return o;
}

class StageReplayPlay : public ::testing::TestWithParam<Recorded> {
  protected:
    void SetUp() override {
        veru::io::registerGameFileKeys();
        for (const char* part : {"img", "sound", "script"})
            fs::create_directory_symlink(fs::path(MIRELUNE_GAME_DATA) / part, dir.path() / part);
        fs::current_path(dir.path());
        sounds.create(nullptr);
        manager.attach(nullptr, &sounds, nullptr, device.get());
    }
    void TearDown() override { fs::current_path(previous); }

    // Plays the trial stage until it asks to leave: with the test player on
    // normal when `replay` is empty, else the recording — which brings its
    // own difficulty, masks and start, whatever `setting` and `status` hold.
    Outcome play(std::optional<ml::StageReplay> replay, ml::StageReplay* recorded) {
        const ml::StageHeroine& heroine = GetParam().heroine;
        ml::ShootingScene stage(&manager, &setting, &status, heroine);
        stage.playReplay(replay);
        stage.release();
        stage.reset();
        EXPECT_TRUE(stage.create(nullptr, device.get()));
        veru::dxt::event::ScriptedInput input;
        StageBot bot(input,
                     {setting.getMaskShoot(), setting.getMaskSpecial(), setting.getMaskBomb(),
                      setting.getMaskPause()},
                     true);
        Outcome o;
        for (int f = 0; f < 60000 && stage.getRequest() == veru::dxt::kRequestNone; ++f) {
            stage.update(&input);
            if (o.bossDeathFrame < 0 && stage.isBossBeaten())
                o.bossDeathFrame = f;
            if (f % 600 == 0)
                o.hashes.emplace_back(f, stage.stateHash());
            if (!replay)
                bot.after(stage);
        }
        EXPECT_EQ(stage.getRequest(), veru::dxt::kRequestNext) << "the stage was not cleared";
        o.score = stage.getScore();
        if (recorded)
            *recorded = stage.getRecording();
        stage.release();
        return o;
    }

    fs::path previous = fs::current_path();
    TempDir dir;
    ml::GameSetting setting{dir.file("setting.env")};
    veru::dxt::PlayStatus status;
    RecordingMessageSink boxes;
    std::unique_ptr<veru::platform::VideoDevice> device = makeOffscreenDevice();
    veru::sound::SoundManger sounds;
    veru::dxt::SceneManager manager;
};

}  // namespace

TEST_P(StageReplayPlay, TheCommittedClearPlaysOutAsRecorded) {
    const fs::path kReplay = kData / (std::string(GetParam().files) + ".rpl");
    const fs::path kExpect = kData / (std::string(GetParam().files) + ".expect");
    if (std::getenv("MIRELUNE_RECORD_REPLAY")) {
        status.resetForTalk();  // as the prologue leaves it
        ml::StageReplay recorded;
        const Outcome o = play(std::nullopt, &recorded);
        ASSERT_GE(o.bossDeathFrame, 0) << "the test player did not beat the boss";
        fs::create_directories(kData);
        ml::writeStageReplay(YString::fromUtf8(kReplay.string()), recorded);
        std::ofstream(kExpect) << write(o);
    }
    ASSERT_TRUE(fs::exists(kReplay) && fs::exists(kExpect))
        << "record it: see the top of this file";
    const ml::StageReplay replay = ml::readStageReplay(YString::fromUtf8(kReplay.string()));
    const Outcome expected = read(kExpect);
    // The player's own settings are nothing like the recording's: another
    // difficulty, the shot and special keys swapped, a stage half played.
    setting.setLevel(ml::GameSetting::kLevelHard);
    setting.setMaskShoot(0x20);
    setting.setMaskSpecial(0x10);
    setting.applyMasks();
    setting.setLastScore(4321);
    setting.setHiScore(99);
    status.lives = 0;
    status.stock = 1;
    ml::StageReplay replayed;
    const Outcome got = play(replay, &replayed);
    EXPECT_EQ(got.score, expected.score);
    // The stage's end went into the record: the score, a clear, the frames.
    ASSERT_TRUE(replayed.result);
    EXPECT_EQ(replayed.result->score, expected.score);
    EXPECT_TRUE(replayed.result->cleared);
    EXPECT_EQ(replayed.result->frames, static_cast<int>(replayed.words.size()));
    EXPECT_EQ(got.bossDeathFrame, expected.bossDeathFrame);
    EXPECT_EQ(write(got), write(expected));
    EXPECT_GT(expected.score, 0);
    // ... and are theirs again once it is over.
    EXPECT_EQ(setting.getLevel(), ml::GameSetting::kLevelHard);
    EXPECT_EQ(setting.getMaskShoot(), 0x20);
    EXPECT_EQ(veru::dxt::event::ButtonMap::global().mask(veru::dxt::event::ButtonMap::kShoot),
              0x20);
    EXPECT_EQ(setting.getLastScore(), 4321);
    EXPECT_EQ(setting.getHiScore(), 99);
    EXPECT_EQ(status.lives, 0);
    EXPECT_EQ(status.stock, 1);
    setting.setMaskShoot(ml::GameSetting::kDefaultShoot);
    setting.setMaskSpecial(ml::GameSetting::kDefaultSpecial);
    setting.applyMasks();
    for (const auto& m : boxes.messages())
        ADD_FAILURE() << m.caption.toUtf8() << ": " << m.text.toUtf8();
}

INSTANTIATE_TEST_SUITE_P(, StageReplayPlay, ::testing::ValuesIn(kRecorded),
                         [](const auto& info) { return std::string(info.param.name); });
