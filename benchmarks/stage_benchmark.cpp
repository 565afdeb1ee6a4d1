// The trial stage, measured: its create (the script, every picture, every
// sound), one whole play on hard by the test player with the time of every
// update and of update + draw on the software renderer, the process's heap
// during the play, and the pacing of the real frame loop over a minute.
// Run from build/benchmarks/ (the game's data is found in build/game/).
//
//   bench_stage --benchmark_filter=Create|Play     the quick ones
//   bench_stage --benchmark_filter=Pacing          a minute of real time

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/io/Scrambler.h"
#include "engine/platform/FileSystem.h"
#include "engine/platform/video/VideoDevice.h"
#include "engine/scene/FrameTimer.h"
#include "engine/scene/PlayStatus.h"
#include "engine/scene/SceneManager.h"
#include "engine/sound/SoundManger.h"
#include "engine/window/MessageBox.h"
#include "frontend/GameSetting.h"
#include "game/ShootingScene.h"
#include "tests/support/StageBot.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// Swallows the error boxes a benchmark cannot answer.
class QuietSink : public veru::awt::MessageSink {
  public:
    void show(veru::awt::MessageKind, const veru::YString&, const veru::YString&) override {}
};

struct Stage {
    Stage() {
        veru::io::registerGameFileKeys();
        fs::current_path(MIRELUNE_GAME_DATA);
        std::string error;
        device = veru::platform::VideoDevice::create(nullptr, 800, 600, error);
        sounds.create(nullptr);
        manager.attach(nullptr, &sounds, nullptr, device.get());
        setting.setLevel(ml::GameSetting::kLevelHard);
        setting.applyMasks();
    }
    bool create() {
        sounds.stopAll();  // as every switch of scenes does
        status.resetForTalk();
        scene.release();
        scene.reset();
        return scene.create(nullptr, device.get());
    }

    QuietSink quiet;
    veru::awt::ScopedMessageSink boxes{&quiet};
    std::unique_ptr<veru::platform::VideoDevice> device;
    veru::sound::SoundManger sounds;
    veru::dxt::SceneManager manager;
    // Never saved; the empty file the store creates goes to a temporary folder.
    veru::platform::TemporaryFolder scratch{"mirelune-bench-"};
    ml::GameSetting setting{scratch.path() + u"/setting.env"};
    veru::dxt::PlayStatus status;
    ml::ShootingScene scene{&manager, u"script/stage_trial.dat", &setting, &status};
};

// This thread's CPU time in milliseconds: on a shared machine the wall
// clock also counts the time other programs had the processor.
double cpuMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

double rssAnonMegabytes() {
    std::ifstream in("/proc/self/status");
    std::string key;
    while (in >> key) {
        if (key == "RssAnon:") {
            double kb = 0;
            in >> kb;
            return kb / 1024.0;
        }
        in.ignore(1 << 12, '\n');
    }
    return 0;
}

double percentile(std::vector<double> v, double p) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size())))];
}

void BM_StageCreate(benchmark::State& state) {
    Stage stage;
    double cpu = 0;
    for (auto _ : state) {
        const double t0 = cpuMilliseconds();
        if (!stage.create())
            state.SkipWithError("create failed");
        cpu += cpuMilliseconds() - t0;
    }
    state.counters["create_cpu_ms"] = cpu / static_cast<double>(state.iterations());
}
BENCHMARK(BM_StageCreate)->Unit(benchmark::kMillisecond)->Iterations(10);

// One play on hard from the fade-in to the stage's end.
void BM_StagePlayHard(benchmark::State& state) {
    Stage stage;
    for (auto _ : state) {
        if (!stage.create()) {
            state.SkipWithError("create failed");
            return;
        }
        veru::dxt::event::ScriptedInput input;
        mirelune::test::StageBot bot(input, {0x10, 0x20, 0x40, 0x100}, true);
        std::vector<double> updates, frames;
        double heap = 0;
        for (int f = 0; f < 60000 && stage.scene.getRequest() == veru::dxt::kRequestNone; ++f) {
            const double t0 = cpuMilliseconds();
            stage.scene.update(&input);
            const double t1 = cpuMilliseconds();
            stage.scene.draw(stage.device.get());
            const double t2 = cpuMilliseconds();
            updates.push_back(t1 - t0);
            frames.push_back(t2 - t0);
            if (f % 600 == 0)
                heap = std::max(heap, rssAnonMegabytes());
            bot.after(stage.scene);
        }
        state.counters["frames"] = static_cast<double>(updates.size());
        state.counters["update_max_ms"] = percentile(updates, 1.0);
        state.counters["update_p99_ms"] = percentile(updates, 0.99);
        state.counters["frame_max_ms"] = percentile(frames, 1.0);
        double total = 0;
        for (double t : frames)
            total += t;
        state.counters["update_draw_fps"] = static_cast<double>(frames.size()) * 1000.0 / total;
        state.counters["slowest_frame_fps"] = 1000.0 / percentile(frames, 1.0);
        state.counters["heap_mb"] = heap;
    }
}
BENCHMARK(BM_StagePlayHard)->Unit(benchmark::kSecond)->Iterations(1);

// The real loop's pacing: a minute of the stage at 60 frames per second.
void BM_StagePacing(benchmark::State& state) {
    Stage stage;
    for (auto _ : state) {
        if (!stage.create()) {
            state.SkipWithError("create failed");
            return;
        }
        veru::dxt::event::ScriptedInput input;
        mirelune::test::StageBot bot(input, {0x10, 0x20, 0x40, 0x100}, true);
        veru::dxt::FrameTimer timer(60);
        timer.restart();
        std::vector<double> intervals;
        auto previous = Clock::now();
        for (int f = 0; f < 3600; ++f) {
            timer.beginFrame();
            stage.scene.update(&input);
            stage.scene.draw(stage.device.get());
            bot.after(stage.scene);
            timer.endFrame();
            const auto now = Clock::now();
            if (f > 0)
                intervals.push_back(
                    std::chrono::duration<double, std::milli>(now - previous).count());
            previous = now;
        }
        std::vector<double> deviation;
        for (double i : intervals)
            deviation.push_back(std::fabs(i - 1000.0 / 60.0));
        state.counters["p99_deviation_ms"] = percentile(deviation, 0.99);
        state.counters["max_deviation_ms"] = percentile(deviation, 1.0);
    }
}
BENCHMARK(BM_StagePacing)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    ::setenv("SDL_VIDEODRIVER", "dummy", 0);
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
