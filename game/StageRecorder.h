#pragma once
// StageRecorder: the record of a stage's play, and the replay of one.
//
// Every play is recorded: the seed the stage's random numbers start from
// and the button word of every frame. Given the same recording a stage
// plays out the same, frame for frame. A replay brings its own seed,
// difficulty, masks, start score and status; the player's own settings and
// status are put back when it stops.
//
// Ownership: owns the recording and the replay; borrows the settings and
// status given to start until stop (they outlive it).
// Thread: main thread only.
// Failure: start throws an Exception for a recording of another heroine's
// stage; a record that cannot be written is dropped quietly (it is a
// convenience, and must not keep the player from going on).

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "engine/core/YString.h"
#include "game/StageReplay.h"

namespace ml {

class StageRecorder {
  public:
    StageRecorder();
    // Writes a live play not yet written (the window closed mid-play).
    ~StageRecorder();
    StageRecorder(const StageRecorder&) = delete;
    StageRecorder& operator=(const StageRecorder&) = delete;

    // The next start plays `next` instead of a fresh play; nullopt goes back
    // to live play.
    void playReplay(std::optional<StageReplay> next) { replay = std::move(next); }
    // The next starts play live from these start values (difficulty,
    // score and status: a practice play) instead of the player's own, which
    // stop puts back; a replay's own still win. nullopt: the player's own.
    void setStartValues(std::optional<StageReplay> values) { startValues = std::move(values); }
    // The next start seeds with `seed` instead of a fresh one (a replay's
    // own seed still wins); nullopt: fresh again.
    void setSeed(std::optional<std::uint64_t> seed) { fixedSeed = seed; }
    // The next starts record that the play begins at stage position
    // `position` and goes straight to boss `boss` (an index into the stage
    // script's bosses; -1: none) — a practice play. (0, -1), the default, is
    // the stage's start. A replay brings its own.
    void setStartPoint(int position, int boss) {
        startPosition = position;
        startBoss = boss;
    }
    // Where each live play's record is written when it is saved; empty:
    // nowhere.
    void setRecordingPath(const veru::YString& path) { recordingPath = path; }

    // A play of heroine `character` starts: the stage's random numbers are
    // seeded, and a replay's settings and status put in place.
    void start(int character, GameSetting& settings, veru::dxt::PlayStatus& status);
    // Back to frame 0.
    void rewind() { frameNumber = 0; }
    // The word of the next frame: the replay's, or else `live()`'s. Either
    // goes into the record.
    int poll(const std::function<int()>& live);
    // Writes the record of a live play once (later calls do nothing).
    void save();
    // The play ended with `score`, cleared or not: the result goes into the
    // record (the first call's; frames played and the wall-clock time now),
    // then the record is saved.
    void finish(int score, bool cleared);
    // The player's own settings and status again; the random numbers back
    // on the secure source.
    void stop();

    bool isReplaying() const { return replay.has_value(); }
    // The play so far: the seed, the start point (the replay's while one
    // plays) and every word polled since start.
    const StageReplay& getRecording() const { return recording; }
    // Frames polled since start.
    int getFrameNumber() const { return frameNumber; }

  private:
    std::optional<StageReplay> replay;
    std::optional<StageReplay> startValues;
    std::unique_ptr<ReplayedSettings> replayed;  // while a replay or start values play
    std::optional<std::uint64_t> fixedSeed;
    StageReplay recording;
    veru::YString recordingPath;
    bool recordingSaved = true;
    int frameNumber = 0;
    int startPosition = 0;
    int startBoss = -1;
};

}  // namespace ml
