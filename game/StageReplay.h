#pragma once
// StageReplay: one play of a stage as it can be played again frame for frame
// — the seed the stage's random generators started from, the difficulty and
// the button masks it was played with, the score and status it started
// from, and the button word of every frame. A recording holds everything
// the play depends on: it plays the same whatever the player's own settings.
//
// The file is small and versioned, every value a little-endian 32-bit int:
//   "MLRP" (0x50524C4D), version (4), seed low, seed high, difficulty,
//   masks shoot / special / bomb / slow / pause,
//   start score, lives, stock, shot level, the heroine (1 Shiro, 2 Hotaru),
//   the start block: the stage position the play started at, the boss it
//   went straight to (-1: none),
//   frame count, run count, then per run: the button word and how many
//   frames it lasted;
//   the result block: known (0/1), final score, cleared (0/1), frames
//   played, the time the play ended (seconds since 1970 UTC, low, high),
//   all 0 when unknown;
//   last the checksum, a 64-bit FNV-1a hash (low, high) of every value
//   before it.
// Runs keep a minute of held buttons to a few hundred bytes. Older files
// still read, with no result: version 3 (no start block) started at the
// stage's start; version 2 (no heroine either) is Shiro's; version 1 (no
// start values, no checksum either) starts from the values a new game
// starts the stage with, and is marked unverified: damage to it cannot be
// told from play, so whoever plays one says so (unverifiedWarning).
//
// Ownership: a plain value. Thread: any.
// Failure: writeStageReplay throws what ByteFileWriter throws;
// readStageReplay throws FileNotFoundException for a missing file and
// IOException "リプレイファイルが壊れています。：" + path + what is wrong for
// anything else: another file, another version, a file cut short or too
// long, a checksum that does not match, a value out of range (a difficulty,
// mask, start value, button word or result the game cannot have).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/core/YString.h"
#include "engine/scene/PlayStatus.h"
#include "game/shooting/object/ObjectCodes.h"

namespace veru::dxt {
class PlayStatus;
}

namespace ml {

class GameSetting;

struct StageReplay {
    static constexpr std::int32_t kMark = 0x50524C4D;  // "MLRP"
    static constexpr std::int32_t kVersion = 4;
    // Longer than any stage can run (100000 frames is about half an hour).
    static constexpr std::int32_t kMaxFrames = 10'000'000;

    std::uint64_t seed = 0;
    int level = shooting::object::LEVEL_2;  // normal
    int maskShoot = 0x10;
    int maskSpecial = 0x20;
    int maskBomb = 0x40;
    int maskSlow = 0x80;
    int maskPause = 0x100;
    // The score and play status the stage started from.
    int startScore = 0;
    int startLives = veru::dxt::PlayStatus::kStartLives;
    int startStock = veru::dxt::PlayStatus::kStartStock;
    int startPower = shooting::object::LEVEL_MIN;
    // Who flew: a recording plays only on her own stage.
    int character = 1;
    // Where a practice play started: the stage position (0 = the stage's
    // start) and the boss it went straight to (an index into the stage
    // script's bosses; -1 = none).
    int startPosition = 0;
    int startBoss = -1;
    std::vector<int> words;  // frame i polled words[i]
    // False when read from a file without a checksum (version 1).
    bool verified = true;

    // How the play ended; unknown (nullopt) for a play that was never
    // finished (the window closed) and for files before version 4.
    struct Result {
        int score = 0;
        bool cleared = false;
        int frames = 0;            // frames played
        std::int64_t endedAt = 0;  // seconds since 1970 UTC
        bool operator==(const Result&) const = default;
    };
    std::optional<Result> result;

    // The word of frame `frame`; 0 past the end (a replay ends with released buttons).
    int wordAt(std::size_t frame) const { return frame < words.size() ? words[frame] : 0; }

    // What is out of range in this recording ("" when nothing): the same
    // checks the reader makes, for a recording made in memory.
    std::string problem() const;
};

void writeStageReplay(const veru::YString& path, const StageReplay& replay);
// The file's bytes, exactly as writeStageReplay writes them.
std::vector<std::uint8_t> stageReplayBytes(const StageReplay& replay);
StageReplay readStageReplay(const veru::YString& path);
// What a tool shows before playing an unverified recording read from `path`.
std::string unverifiedWarning(const veru::YString& path);

// A recording of no frames yet: the difficulty, masks, score and status a
// stage starts from with these settings (the seed is the caller's).
StageReplay replayStartOf(const GameSetting& settings, const veru::dxt::PlayStatus& status);

// While it lives, the settings and status a stage plays with hold the
// recording's difficulty, masks, start score and status (the masks handed
// to the button map); the destructor puts the player's own back, the high
// score too, so that watching a recording changes nothing of theirs.
// Borrows both, which must outlive it. Thread: main thread only.
class ReplayedSettings {
  public:
    ReplayedSettings(const StageReplay& replay, GameSetting& settings,
                     veru::dxt::PlayStatus& status);
    ~ReplayedSettings();
    ReplayedSettings(const ReplayedSettings&) = delete;
    ReplayedSettings& operator=(const ReplayedSettings&) = delete;

  private:
    GameSetting& settings;
    veru::dxt::PlayStatus& status;
    StageReplay own;
    int ownHiScore;
    std::unique_ptr<veru::dxt::PlayStatus> ownStatus;
};

}  // namespace ml
