// The freeze at each scene switch of a whole round: the real game from its
// logo through the title menu and Shiro's prologue, her stage played to its
// end by the autopilot the playtest tools use, her closing talk, and back
// to the logo, on the real clock (a round takes about five minutes).
//
// For each switch it reports the longest gap between two frames shown from
// the old scene's last frame to the new scene's 30th, and the main thread's
// processor time in that gap: on a shared machine the gap also counts the
// time other programs had the processor, the processor time does not. With
// a display (DISPLAY set: Xvfb and a window manager do) it runs in a real
// window on the renderer SDL picks; without one, headless.
// Run from build/benchmarks/ (the game's data is found in build/game/).
//
//   bench_scene_switch                 each scene read ahead where the game
//                                      does (the stage during the prologue,
//                                      the closing talk once the stage is
//                                      cleared)
//   bench_scene_switch --no-prepare    every scene read by its create alone
//
// Numbers are reported, never asserted: give them with the machine's load.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <map>
#include <string>

#include "app/GameMain.h"
#include "engine/adventure/AdventureScene.h"
#include "engine/core/MessageBox.h"
#include "engine/io/Scrambler.h"
#include "engine/platform/FileSystem.h"
#include "engine/scene/Scene.h"
#include "engine/scene/SceneManager.h"
#include "frontend/LogoScene.h"
#include "frontend/TitleMenu.h"
#include "game/ShootingScene.h"
#include "tools/playtest/GamePilot.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

bool readAhead = true;
constexpr int kFrameLimit = 15 * 60 * 60;

double cpuMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

std::string nameOf(veru::dxt::Scene* scene) {
    if (dynamic_cast<ml::LogoScene*>(scene))
        return "logo";
    if (dynamic_cast<ml::TitleMenu*>(scene))
        return "menu";
    if (dynamic_cast<veru::adv::AdventureScene*>(scene))
        return "talk";
    if (dynamic_cast<ml::ShootingScene*>(scene))
        return "stage";
    return "other";
}

// The worst gap around one switch, and the main thread's processor time in it.
struct SwitchCost {
    double gap = 0;
    double cpu = 0;
};

void BM_SceneSwitches(benchmark::State& state) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (!std::getenv("DISPLAY"))
        setenv("SDL_VIDEODRIVER", "dummy", 0);
    const fs::path previous = fs::current_path();
    fs::current_path(MIRELUNE_GAME_DATA);
    veru::io::registerGameFileKeys();
    veru::platform::TemporaryFolder scratch{"mirelune-bench-"};
    ml::PlayerFiles files;
    files.settings = scratch.path() + u"/setting.env";
    files.lastStage = scratch.path() + u"/last_stage.rpl";

    std::map<std::string, SwitchCost> costs;
    for (auto _ : state) {
        ml::playtest::GamePilot pilot(1);
        std::string last;
        std::string current;  // "old>new" of the switch being watched
        int framesSince = 0;
        bool first = true;
        bool reachedClosing = false;
        auto shown = Clock::now();
        double cpuShown = cpuMilliseconds();
        ml::GameHooks hooks;
        hooks.input = &pilot;
        hooks.afterFrame = [&](int frame, veru::dxt::Scene* scene, veru::platform::VideoDevice*) {
            if (first && scene->getManager())
                scene->getManager()->setReadAhead(readAhead);
            first = false;
            const auto now = Clock::now();
            const double cpu = cpuMilliseconds();
            const double gap = std::chrono::duration<double, std::milli>(now - shown).count();
            const double used = cpu - cpuShown;
            shown = now;
            cpuShown = cpu;
            const std::string name = nameOf(scene);
            if (name != last) {
                current = last.empty() ? std::string() : last + ">" + name;
                framesSince = 0;
                last = name;
                reachedClosing = reachedClosing || current == "stage>talk";
            }
            if (!current.empty() && framesSince++ <= 30) {
                SwitchCost& cost = costs[current];
                if (gap > cost.gap)
                    cost = {gap, used};
            }
            // The round is over 30 frames into the logo after the closing
            // talk; a pilot that lost its way stops after 15 minutes.
            if ((reachedClosing && name == "logo" && framesSince > 30) || frame > kFrameLimit)
                scene->requestQuit();
            pilot.watch(scene);
        };
        veru::awt::QuietMessages quiet;
        if (ml::gameMain(hooks, files) != 0)
            state.SkipWithError("the game ended with an error");
        else if (!reachedClosing || last != "logo")
            state.SkipWithError("the autopilot did not play the round to its end");
    }
    fs::current_path(previous);
    for (const auto& [name, cost] : costs) {
        state.counters[name + " gap_ms"] = cost.gap;
        state.counters[name + " cpu_ms"] = cost.cpu;
    }
}
BENCHMARK(BM_SceneSwitches)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-prepare") == 0) {
            readAhead = false;
            for (int j = i; j + 1 < argc; ++j)
                argv[j] = argv[j + 1];
            --argc;
            break;
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
