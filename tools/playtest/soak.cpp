// mlsoak: the whole game played by the autopilot in a loop — logo, title,
// prologue, the stage, the closing talk, logo again — for a given number of
// seconds, headless and without sleeping. After each round it prints the
// round's number, the frames so far and the resident memory, so that a
// leak shows as a rising column. Meant for the sanitizer build; not in CI.
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
#include "engine/scene/FrameClock.h"
#include "engine/scene/Scene.h"
#include "frontend/LogoScene.h"
#include "game/ShootingScene.h"
#include "tools/playtest/GamePilot.h"

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
    const auto start = std::chrono::steady_clock::now();
    int rounds = 0;
    int stagesCleared = 0;
    veru::dxt::Scene* last = nullptr;
    ml::GameHooks hooks;
    hooks.clock = &clock;
    hooks.input = &pilot;
    hooks.afterFrame = [&](int frame, veru::dxt::Scene* scene, veru::platform::VideoDevice*) {
        if (scene != last) {
            if (dynamic_cast<ml::ShootingScene*>(last) &&
                static_cast<ml::ShootingScene*>(last)->isBossBeaten())
                ++stagesCleared;
            if (dynamic_cast<ml::LogoScene*>(scene)) {
                const auto elapsed = std::chrono::steady_clock::now() - start;
                const long s = std::chrono::duration_cast<std::chrono::seconds>(elapsed).count();
                std::cout << "round=" << rounds << " seconds=" << s << " frames=" << frame
                          << " stages=" << pilot.getStages() << " cleared=" << stagesCleared
                          << " rss_kib=" << residentKiB() << std::endl;
                ++rounds;
                if (s >= seconds)
                    scene->requestQuit();
            }
            last = scene;
        }
        pilot.watch(scene);
    };
    const int status = ml::gameMain(hooks);
    std::cout << "done status=" << status << " rounds=" << rounds << std::endl;
    return status;
}
