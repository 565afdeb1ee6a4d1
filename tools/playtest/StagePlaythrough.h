#pragma once
// StagePlaythrough: plays a heroine's trial stage once, headless and as fast as the
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

#include "game/StageHeroine.h"
#include "game/StageReplay.h"
#include "game/StageStart.h"
#include "tools/playtest/RunResult.h"

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

class StagePlaythrough {
  public:
    // A play longer than this many frames is stuck.
    static constexpr int kFrameLimit = 120000;

    // `heroine` is a StageHeroine row; the stage is her own.
    explicit StagePlaythrough(const StageHeroine& heroine = shiroHeroine());
    ~StagePlaythrough();
    StagePlaythrough(const StagePlaythrough&) = delete;
    StagePlaythrough& operator=(const StagePlaythrough&) = delete;

    // The autopilot plays `level` from `seed`; the recording of the play is
    // kept in `recording` when given.
    RunResult play(int level, std::uint64_t seed, StageReplay* recording = nullptr);
    // The recording is played again (its own seed, level, masks and start),
    // for exactly its recorded frames: a play cut off (the window closed)
    // ends where the player left it, with the score the game had then.
    // finished = false when it ends before the stage does, or when it is a
    // recording of the other heroine's stage.
    RunResult replay(const StageReplay& recording);
    // The autopilot's plays start part-way, with the start status, as
    // `start` says (StageStart.h); nullopt: the whole stage as a new game.
    void setStart(std::optional<StageStart> start) { stageStart = std::move(start); }

  private:
    RunResult run(int level, std::uint64_t seed, const std::optional<StageReplay>& replay,
                  StageReplay* recording);

    const StageHeroine& heroine;
    std::optional<StageStart> stageStart;
    std::unique_ptr<veru::platform::VideoDevice> device;
    std::unique_ptr<veru::sound::SoundManger> sounds;
    std::unique_ptr<veru::dxt::SceneManager> manager;
};

}  // namespace ml::playtest
