#pragma once
// StagePlaythrough: plays the trial stage once, headless and as fast as the
// machine goes — the scene on an offscreen device with no sound device,
// driven by the Autopilot (or by a recording) — and tells how it went.
//
// The game's data (img/, sound/, script/) must be in the current folder.
// Ownership: owns the device, the sound manager, the settings and the play
// status of its plays. Thread: main thread only.
// Failure: a device that cannot be made throws std::runtime_error; a stage
// that cannot be created ends the play with finished = false.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/StageReplay.h"

namespace veru::platform {
class VideoDevice;
}
namespace veru::sound {
class SoundManger;
}
namespace veru::dxt {
class SceneManager;
}

namespace ml::playtest {

// Where a life was lost: the stage position at the right edge of the field
// (the timeline's own numbers), or in the boss fight.
struct Hit {
    int position = 0;
    bool boss = false;
};

struct RunResult {
    int level = 0;
    std::uint64_t seed = 0;
    bool finished = false;  // the stage asked to be left before the frame limit
    bool cleared = false;   // ... after beating the boss
    int continues = 0;
    int livesLost = 0;
    int bombs = 0;
    int score = 0;
    int frames = 0;
    std::vector<Hit> hits;
};

// "easy", "normal", "hard" for the three difficulty codes; "?" otherwise.
const char* levelName(int level);
// The code for a name; nullopt for anything else.
std::optional<int> levelFromName(const std::string& name);
// The line mlplaytest prints for a run.
std::string describe(const RunResult& run);

class StagePlaythrough {
  public:
    // A play longer than this many frames is stuck.
    static constexpr int kFrameLimit = 120000;

    explicit StagePlaythrough(const veru::YString& scriptPath = u"script/stage_trial.dat");
    ~StagePlaythrough();
    StagePlaythrough(const StagePlaythrough&) = delete;
    StagePlaythrough& operator=(const StagePlaythrough&) = delete;

    // The autopilot plays `level` from `seed`; the recording of the play is
    // kept in `recording` when given.
    RunResult play(int level, std::uint64_t seed, StageReplay* recording = nullptr);
    // The recording is played again (its own seed, level and masks).
    RunResult replay(const StageReplay& recording);

  private:
    RunResult run(int level, std::uint64_t seed, const std::optional<StageReplay>& replay,
                  StageReplay* recording);

    veru::YString scriptPath;
    std::unique_ptr<veru::platform::VideoDevice> device;
    std::unique_ptr<veru::sound::SoundManger> sounds;
    std::unique_ptr<veru::dxt::SceneManager> manager;
};

}  // namespace ml::playtest
