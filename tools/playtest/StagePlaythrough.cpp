#include "tools/playtest/StagePlaythrough.h"

#include <algorithm>
#include <stdexcept>

#include "engine/platform/FileSystem.h"
#include "engine/platform/video/VideoDevice.h"
#include "engine/scene/PlayStatus.h"
#include "engine/scene/SceneManager.h"
#include "engine/sound/SoundManger.h"
#include "game/ShootingScene.h"
#include "game/StagePhase.h"
#include "game/settings/GameSetting.h"
#include "game/shooting/object/ObjectCodes.h"
#include "game/shooting/object/players/PlayerCharacter.h"
#include "tools/playtest/Autopilot.h"

namespace ml::playtest {

using namespace ml::shooting::object;

StagePlaythrough::StagePlaythrough(const StageHeroine& heroine) : heroine(heroine) {
    std::string error;
    device = veru::platform::VideoDevice::create(nullptr, 800, 600, error);
    if (!device)
        throw std::runtime_error("no offscreen device: " + error);
    sounds = std::make_unique<veru::sound::SoundManger>();
    sounds->create(nullptr);
    manager = std::make_unique<veru::dxt::SceneManager>();
    manager->attach(nullptr, sounds.get(), nullptr, device.get());
}

StagePlaythrough::~StagePlaythrough() = default;

RunResult StagePlaythrough::play(int level, std::uint64_t seed, StageReplay* recording) {
    return run(level, seed, std::nullopt, recording);
}

RunResult StagePlaythrough::replay(const StageReplay& recording) {
    return run(recording.level, recording.seed, recording, nullptr);
}

RunResult StagePlaythrough::run(int level, std::uint64_t seed,
                                const std::optional<StageReplay>& replay, StageReplay* recording) {
    RunResult result;
    result.level = level;
    result.seed = seed;

    // The settings are never saved; the empty file the store creates goes
    // to a temporary folder, not among the game's files. A recording brings
    // its own difficulty, masks and start.
    const veru::platform::TemporaryFolder scratch("mirelune-playtest-");
    GameSetting setting(scratch.path() + u"/setting.env");
    setting.setLevel(level);
    veru::dxt::PlayStatus status;
    status.resetForTalk();  // as the talk before the stage leaves it
    if (stageStart && !replay)
        stageStart->applyStatus(status);

    status.character = heroine.number;
    ShootingScene stage(manager.get(), &setting, &status, heroine);
    stage.setStart(replay ? std::nullopt : stageStart);
    stage.playReplay(replay);
    stage.setSeed(seed);
    stage.release();
    stage.reset();
    if (!stage.create(nullptr, device.get()))
        return result;

    Autopilot pilot(&stage, &status,
                    {setting.getMaskShoot(), setting.getMaskSpecial(), setting.getMaskBomb(),
                     setting.getMaskSlow()},
                    static_cast<std::uint32_t>(seed));
    int lastState = -1;
    int lastPhase = -1;
    // A recording holds every frame of its play, the one that left the
    // stage too: one that stops before is a play cut off (the window closed),
    // and nothing is played past its last frame.
    const int limit =
        replay ? static_cast<int>(std::min<std::size_t>(kFrameLimit, replay->words.size()))
               : kFrameLimit;
    for (int f = 0; f < limit && stage.getRequest() == veru::dxt::kRequestNone; ++f) {
        stage.update(&pilot);
        result.frames = f + 1;
        const PlayerCharacter* player = stage.getPlayer();
        const int state = player ? player->getState() : -1;
        const int phase = stage.getPhase();
        if (state != lastState) {
            if (state == STATE_DYING) {
                ++result.livesLost;
                const bool boss = phase == stage::kBossApproach || phase == stage::kBossBattle;
                result.hits.push_back({stage.getPosition() + stage::kFieldWidth, boss});
            } else if (state == STATE_BOMB) {
                ++result.bombs;
            }
        }
        // "yes" in the continue dialog goes back to the play; "no" ends it.
        if (lastPhase == stage::kContinue && phase != stage::kContinue && phase != stage::kEnding &&
            phase != stage::kGameOver)
            ++result.continues;
        lastState = state;
        lastPhase = phase;
    }
    result.finished = stage.getRequest() != veru::dxt::kRequestNone;
    result.cleared =
        result.finished && stage.getRequest() == veru::dxt::kRequestNext && stage.isBossBeaten();
    result.score = stage.getScore();
    if (recording)
        *recording = stage.getRecording();
    stage.release();
    return result;
}

}  // namespace ml::playtest
