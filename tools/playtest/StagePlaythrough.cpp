#include "tools/playtest/StagePlaythrough.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <typeinfo>
#include <sstream>
#include <stdexcept>

#include "engine/platform/video/VideoDevice.h"
#include "engine/scene/PlayStatus.h"
#include "engine/scene/SceneManager.h"
#include "engine/sound/SoundManger.h"
#include "frontend/GameSetting.h"
#include "game/ShootingScene.h"
#include "game/StagePhase.h"
#include "game/shooting/object/EnemyObject.h"
#include "game/shooting/object/ItemObject.h"
#include "game/shooting/object/ObjectCodes.h"
#include "game/shooting/object/Vuzez.h"
#include "tools/playtest/Autopilot.h"
#include "tools/playtest/FieldReader.h"

namespace ml::playtest {

using namespace ml::shooting::object;

const char* levelName(int level) {
    switch (level) {
        case GameSetting::kLevelEasy:
            return "easy";
        case GameSetting::kLevelNormal:
            return "normal";
        case GameSetting::kLevelHard:
            return "hard";
        default:
            return "?";
    }
}

std::optional<int> levelFromName(const std::string& name) {
    if (name == "easy")
        return GameSetting::kLevelEasy;
    if (name == "normal")
        return GameSetting::kLevelNormal;
    if (name == "hard")
        return GameSetting::kLevelHard;
    return std::nullopt;
}

std::string describe(const RunResult& run) {
    std::ostringstream out;
    out << "level=" << levelName(run.level) << " seed=" << run.seed
        << " cleared=" << (run.cleared ? "yes" : "no") << " continues=" << run.continues
        << " lives_lost=" << run.livesLost << " bombs=" << run.bombs << " score=" << run.score
        << " frames=" << run.frames;
    return out.str();
}

StagePlaythrough::StagePlaythrough(const veru::YString& scriptPath) : scriptPath(scriptPath) {
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

    // The settings are never saved: the file name only has to be unused.
    GameSetting setting(u"playtest-setting-unused.env");
    setting.setLevel(level);
    if (replay) {
        setting.setMaskShoot(replay->maskShoot);
        setting.setMaskSpecial(replay->maskSpecial);
        setting.setMaskBomb(replay->maskBomb);
        setting.setMaskSlow(replay->maskSlow);
        setting.setMaskPause(replay->maskPause);
    }
    setting.applyMasks();
    veru::dxt::PlayStatus status;
    status.resetForTalk();  // as the talk before the stage leaves it

    ShootingScene stage(manager.get(), scriptPath, &setting, &status);
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
    for (int f = 0; f < kFrameLimit && stage.getRequest() == veru::dxt::kRequestNone; ++f) {
        static FieldReader debugReader;
        static FieldView debugView;
        if (std::getenv("MLPLAYTEST_DEBUG"))
            debugView = debugReader.read(stage);
        stage.update(&pilot);
        result.frames = f + 1;
        const Vuzez* player = stage.getPlayer();
        const int state = player ? player->getState() : -1;
        const int phase = stage.getPhase();
        if (state != lastState) {
            if (state == STATE_DYING) {
                ++result.livesLost;
                const bool boss = phase == stage::kBossApproach || phase == stage::kBossBattle;
                result.hits.push_back({stage.getCounter() + 800, boss});
                if (std::getenv("MLPLAYTEST_DEBUG")) {
                    const FieldView& v = debugView;
                    std::fprintf(stderr, "hit f=%d pos=%d boss=%d player=%d,%d box=%d,%d,%d,%d\n", f,
                                 stage.getCounter() + 800, boss, v.x, v.y, v.left, v.top, v.right, v.bottom);
                    std::fprintf(stderr, "   gauge=%d stock=%d state=%x\n", status.gauge, status.stock, lastState);
                    for (const Threat& t : v.threats)
                        if (t.x + t.right > v.x + v.left - 12 && t.x + t.left < v.x + v.right + 12 &&
                            t.y + t.bottom > v.y + v.top - 12 && t.y + t.top < v.y + v.bottom + 12)
                            std::fprintf(stderr, "   threat %.0f,%.0f v=%.1f,%.1f a=%.2f,%.2f box=%d,%d,%d,%d\n", t.x, t.y,
                                         t.vx, t.vy, t.ax, t.ay, t.left, t.top, t.right, t.bottom);
                }
            } else if (state == STATE_BOMB) {
                ++result.bombs;
            }
        }
        // "yes" in the continue dialog goes back to the play; "no" ends it.
        if (lastPhase == stage::kContinue && phase != stage::kContinue &&
            phase != stage::kEnding && phase != stage::kGameOver)
            ++result.continues;
        lastState = state;
        lastPhase = phase;
    }
    result.finished = stage.getRequest() != veru::dxt::kRequestNone;
    if (!result.finished && std::getenv("MLPLAYTEST_DEBUG")) {
        std::fprintf(stderr, "stuck: phase=%d counter=%d waiting=%zu active=%zu items=%zu/%zu/%zu lines=%zu\n",
                     stage.getPhase(), stage.getCounter(), stage.getWaitingEnemies().size(),
                     stage.getActiveEnemies().size(), stage.getChanceItems().size(),
                     stage.getKintubaItems().size(), stage.getLevelUpItems().size(),
                     stage.getScriptLines().size());
        for (const auto& e : stage.getActiveEnemies())
        {
            std::fprintf(stderr, "  enemy %s %d,%d state=%x\n", typeid(*e).name(), e->getX(), e->getY(), e->getState());
            for (const auto& sk : e->getSkills()) {
                std::fprintf(stderr, "    skill %s:", typeid(*sk).name());
                for (const auto& a : sk->getAttacks())
                    std::fprintf(stderr, " %x@%d,%d", a->getState(), a->getX(), a->getY());
                std::fprintf(stderr, "\n");
            }
        }
        for (const auto* l : {&stage.getChanceItems(), &stage.getKintubaItems(), &stage.getLevelUpItems()})
            for (const auto& e : *l)
                std::fprintf(stderr, "  item %d,%d state=%x\n", e->getX(), e->getY(), e->getState());
    }
    result.cleared = result.finished && stage.getRequest() == veru::dxt::kRequestNext &&
                     stage.isBossBeaten();
    result.score = stage.getScore();
    if (recording)
        *recording = stage.getRecording();
    stage.release();
    return result;
}

}  // namespace ml::playtest
