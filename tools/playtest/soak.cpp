// mlsoak: the whole game played by the autopilot in a loop — logo, title,
// prologue, the stage, the closing talk, logo again — for a given number of
// seconds, headless and without sleeping. After each round it prints the
// round's number, the frames so far, the resident memory and the heap in use
// (a leak shows as a rising column) and the mixer's underruns so far; at the end a summary line.
// The exit status is 1 when the memory or the heap rises, an underrun was counted, a
// round never ends or the game fails (SoakLog). Meant for the sanitizer
// build; not in CI.
//   mlsoak [seconds]     (default 900)

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "app/GameMain.h"
#include "engine/adventure/AdventureScene.h"
#include "engine/io/Scrambler.h"
#include "engine/platform/FileSystem.h"
#include "engine/platform/HeapUsage.h"
#include "engine/scene/FrameClock.h"
#include "engine/scene/Scene.h"
#include "engine/scene/SceneManager.h"
#include "engine/sound/SoundManger.h"
#include "frontend/LogoScene.h"
#include "game/ShootingScene.h"
#include "tools/playtest/GamePilot.h"
#include "tools/playtest/SoakLog.h"

namespace {

// A clock that never sleeps: a sleep only moves its time on.
class FastClock : public veru::dxt::FrameClock {
  public:
    std::uint32_t now() override { return time; }
    void sleep(std::uint32_t ms) override { time += ms; }

  private:
    std::uint32_t time = 1000;
};

long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
        status.ignore(1 << 12, '\n');
    }
    return -1;
}

// A round that runs this many frames is stuck: a whole stage with every
// continue used is a small part of it.
constexpr int kStuckFrames = 400000;

veru::sound::SoundManger* soundsOf(veru::dxt::Scene* scene) {
    return scene && scene->getManager() ? scene->getManager()->getSounds() : nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    const long seconds = argc > 1 ? std::atol(argv[1]) : 900;
    if (seconds <= 0) {
        std::cerr << "usage: mlsoak [seconds]\n";
        return 1;
    }
    ::setenv("SDL_VIDEODRIVER", "dummy", 0);
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::error_code ec;
    std::filesystem::current_path(MIRELUNE_GAME_DIR, ec);
    if (ec) {
        std::cerr << "mlsoak: no game folder " << MIRELUNE_GAME_DIR << "\n";
        return 1;
    }
    veru::io::registerGameFileKeys();

    FastClock clock;
    ml::playtest::GamePilot pilot(1);
    ml::playtest::SoakLog log;
    std::cout << log.start(residentKiB()) << std::endl;
    const auto start = std::chrono::steady_clock::now();
    int stagesCleared = 0;
    int roundStart = 0;
    bool stuck = false;
    std::uint64_t underruns = 0;
    veru::dxt::Scene* last = nullptr;
    ml::GameHooks hooks;
    hooks.clock = &clock;
    hooks.input = &pilot;
    hooks.afterFrame = [&](int frame, veru::dxt::Scene* scene, veru::platform::VideoDevice*) {
        veru::sound::SoundManger* sounds = soundsOf(scene);
        if (sounds)
            underruns = sounds->getUnderrunCount();
        if (scene != last) {
            if (dynamic_cast<ml::ShootingScene*>(last) &&
                static_cast<ml::ShootingScene*>(last)->isBossBeaten())
                ++stagesCleared;
            // Back at the logo after the first time: a round of the game ended.
            if (dynamic_cast<ml::LogoScene*>(scene) && last) {
                const auto elapsed = std::chrono::steady_clock::now() - start;
                ml::playtest::SoakLog::Round round;
                round.seconds = std::chrono::duration_cast<std::chrono::seconds>(elapsed).count();
                round.frames = frame;
                round.stages = pilot.getStages();
                round.cleared = stagesCleared;
                round.kintubas = pilot.getKintubasPressed();
                round.bombs = pilot.getBombsPressed();
                round.rssKiB = residentKiB();
                const std::int64_t heap = veru::platform::heapBytesInUse();
                round.heapKiB = heap < 0 ? -1 : static_cast<long>(heap / 1024);
                round.underruns = underruns;
                round.audioSeconds =
                    sounds ? static_cast<long>(sounds->getMixedFrames() / 44100) : 0;
                std::cout << log.endRound(round) << std::endl;
                roundStart = frame;
                if (round.seconds >= seconds)
                    scene->requestQuit();
            }
            last = scene;
        }
        if (frame - roundStart > kStuckFrames) {
            std::cout << "stuck: no round ended in " << kStuckFrames << " frames" << std::endl;
            stuck = true;
            scene->requestQuit();
        }
        pilot.watch(scene);
    };
    // The soak's settings and records are thrown away, never left among the
    // game's files.
    const veru::platform::TemporaryFolder scratch("mirelune-soak-");
    ml::PlayerFiles files;
    files.settings = scratch.path() + u"/setting.env";
    files.lastStage = scratch.path() + u"/last_stage.rpl";
    const int status = ml::gameMain(hooks, files);
    log.finish(status, underruns, stuck);
    std::cout << log.summary() << std::endl;
    return log.exitStatus();
}
