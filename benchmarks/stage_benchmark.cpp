// The trial stage, measured: its create (the script, every picture, every
// sound), one whole play on hard by the test player with the time of every
// update and of update + draw on the software renderer, the process's heap
// during the play, and the pacing of the real frame loop over a minute with
// the processor time each of its frames costs.
// Run from build/benchmarks/ (the game's data is found in build/game/).
//
//   bench_stage --benchmark_filter=Create|Play     the quick ones
//   bench_stage --benchmark_filter=Pacing          three minutes of real time
//
// Create cold is the first create of the process, warm the ones after it
// (wall and CPU), prepared the ones after a read ahead on a worker; Play gives p50/p99/p99.9/max of
// update and update + draw, the anonymous memory the process holds and the device's texture bytes
// while playing (the most seen), and the backdrop's streamed tiles: the most
// on the device at once and the draws that waited for one. Numbers are
// reported, never asserted: give them with the machine's load.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "engine/core/MessageBox.h"
#include "engine/io/Scrambler.h"
#include "engine/material/PicturePreload.h"
#include "engine/material/Surface.h"
#include "engine/platform/Clock.h"
#include "engine/platform/FileSystem.h"
#include "engine/platform/video/VideoDevice.h"
#include "engine/scene/FrameTimer.h"
#include "engine/scene/PlayStatus.h"
#include "engine/scene/SceneManager.h"
#include "engine/sound/SoundManger.h"
#include "game/ShootingScene.h"
#include "game/settings/GameSetting.h"
#include "game/shooting/cmp/ScrollBackground.h"
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
        // Every run plays the same stage, so that runs and builds compare.
        scene.setSeed(1);
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
    ml::ShootingScene scene{&manager, &setting, &status};
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

// Wall and CPU time of one create, in milliseconds.
struct CreateTime {
    double wall = 0;
    double cpu = 0;
};

CreateTime timedCreate(Stage& stage, benchmark::State& state) {
    const double c0 = cpuMilliseconds();
    const auto w0 = Clock::now();
    if (!stage.create())
        state.SkipWithError("create failed");
    return {std::chrono::duration<double, std::milli>(Clock::now() - w0).count(),
            cpuMilliseconds() - c0};
}

// The first create of the process: fresh memory, nothing shared yet.
void BM_StageCreateCold(benchmark::State& state) {
    for (auto _ : state) {
        Stage stage;
        const CreateTime t = timedCreate(stage, state);
        state.counters["create_wall_ms"] = t.wall;
        state.counters["create_cpu_ms"] = t.cpu;
        state.counters["rss_anon_mb"] = rssAnonMegabytes();
    }
}
BENCHMARK(BM_StageCreateCold)->Unit(benchmark::kMillisecond)->Iterations(1);

// Creates again on the same device, as a retry after a game over does.
void BM_StageCreateWarm(benchmark::State& state) {
    Stage stage;
    timedCreate(stage, state);
    CreateTime sum;
    for (auto _ : state) {
        const CreateTime t = timedCreate(stage, state);
        sum.wall += t.wall;
        sum.cpu += t.cpu;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["create_wall_ms"] = sum.wall / n;
    state.counters["create_cpu_ms"] = sum.cpu / n;
}
BENCHMARK(BM_StageCreateWarm)->Unit(benchmark::kMillisecond)->Iterations(10);

// Creates again after the stage was read ahead on a worker, as while the
// talk before it plays: what create still costs the main thread, and the
// worker's own processor time.
void BM_StageCreatePrepared(benchmark::State& state) {
    Stage stage;
    timedCreate(stage, state);
    CreateTime sum;
    double worker = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::jthread([&worker, job = stage.scene.prepare()](std::stop_token stop) {
            const double c0 = cpuMilliseconds();
            job(std::move(stop));
            worker += cpuMilliseconds() - c0;
        }).join();
        state.ResumeTiming();
        const CreateTime t = timedCreate(stage, state);
        veru::dxt::material::dropPreloadedPictures();  // as the switch does
        sum.wall += t.wall;
        sum.cpu += t.cpu;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["create_wall_ms"] = sum.wall / n;
    state.counters["create_cpu_ms"] = sum.cpu / n;
    state.counters["worker_cpu_ms"] = worker / n;
}
BENCHMARK(BM_StageCreatePrepared)->Unit(benchmark::kMillisecond)->Iterations(10);

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
        double textureBytes = 0;
        std::size_t backdropTiles = 0;
        const veru::dxt::material::Surface* backdrop = stage.scene.getBackground()->getSurface();
        for (int f = 0; f < 60000 && stage.scene.getRequest() == veru::dxt::kRequestNone; ++f) {
            const double t0 = cpuMilliseconds();
            stage.scene.update(&input);
            const double t1 = cpuMilliseconds();
            stage.scene.draw(stage.device.get());
            stage.device->flush();
            const double t2 = cpuMilliseconds();
            updates.push_back(t1 - t0);
            frames.push_back(t2 - t0);
            if (f % 600 == 0) {
                heap = std::max(heap, rssAnonMegabytes());
                textureBytes =
                    std::max(textureBytes, static_cast<double>(stage.device->getTextureBytes()));
            }
            backdropTiles = std::max(backdropTiles, backdrop->getResidentTiles());
            bot.after(stage.scene);
        }
        state.counters["frames"] = static_cast<double>(updates.size());
        state.counters["turned_made"] = static_cast<double>(stage.device->getTurnedMade());
        state.counters["turned_mb"] =
            static_cast<double>(stage.device->getTurnedBytes()) / 1048576.0;
        state.counters["texture_mb"] = textureBytes / 1048576.0;
        // The backdrop's column tiles on the device at most, and how often a
        // draw had to wait for the worker to decode one.
        state.counters["backdrop_tiles"] = static_cast<double>(backdropTiles);
        state.counters["backdrop_waits"] = static_cast<double>(backdrop->getStreamWaits());
        state.counters["update_p50_ms"] = percentile(updates, 0.5);
        state.counters["update_p99_ms"] = percentile(updates, 0.99);
        state.counters["update_p999_ms"] = percentile(updates, 0.999);
        state.counters["update_max_ms"] = percentile(updates, 1.0);
        state.counters["frame_p50_ms"] = percentile(frames, 0.5);
        state.counters["frame_p99_ms"] = percentile(frames, 0.99);
        state.counters["frame_p999_ms"] = percentile(frames, 0.999);
        state.counters["frame_max_ms"] = percentile(frames, 1.0);
        state.counters["textures_alive"] = static_cast<double>(stage.device->getTextureCount());
        double total = 0;
        for (double t : frames)
            total += t;
        state.counters["update_draw_fps"] = static_cast<double>(frames.size()) * 1000.0 / total;
        state.counters["slowest_frame_fps"] = 1000.0 / percentile(frames, 1.0);
        state.counters["rss_anon_mb"] = heap;
    }
}
BENCHMARK(BM_StagePlayHard)->Unit(benchmark::kSecond)->Iterations(1);

// The deviation of each interval between shows from 1/60 s, as counters.
void reportIntervals(benchmark::State& state, const std::vector<Clock::time_point>& shows) {
    std::vector<double> deviation;
    int over20 = 0;
    for (std::size_t k = 1; k < shows.size(); ++k) {
        const double interval =
            std::chrono::duration<double, std::milli>(shows[k] - shows[k - 1]).count();
        deviation.push_back(std::fabs(interval - 1000.0 / 60.0));
        over20 += interval > 20.0 ? 1 : 0;
    }
    const double seconds = std::chrono::duration<double>(shows.back() - shows.front()).count();
    state.counters["fps"] = static_cast<double>(deviation.size()) / seconds;
    state.counters["p50_deviation_ms"] = percentile(deviation, 0.5);
    state.counters["p99_deviation_ms"] = percentile(deviation, 0.99);
    state.counters["max_deviation_ms"] = percentile(deviation, 1.0);
    state.counters["over_20ms"] = over20;
}

// The real loop's pacing: a minute of the stage at 60 frames a second, the
// interval between one frame's show and the next. With argument 0 the loop
// does no work, with 1 each frame updates and draws the stage.
void BM_StagePacing(benchmark::State& state) {
    Stage stage;
    const bool work = state.range(0) != 0;
    for (auto _ : state) {
        if (!stage.create()) {
            state.SkipWithError("create failed");
            return;
        }
        veru::dxt::event::ScriptedInput input;
        mirelune::test::StageBot bot(input, {0x10, 0x20, 0x40, 0x100}, true);
        veru::dxt::SystemFrameClock clock;
        veru::dxt::FrameTimer timer(60, &clock);
        std::vector<Clock::time_point> shows;
        shows.reserve(3600);
        const std::uint64_t cpu0 = veru::platform::processCpuMicroseconds();
        for (int f = 0; f < 3600; ++f) {
            if (work) {
                stage.scene.update(&input);
                stage.scene.draw(stage.device.get());
                bot.after(stage.scene);
            }
            timer.endFrame();
            shows.push_back(Clock::now());
        }
        // The whole process's processor time, the sound thread's included:
        // with no work this is what the timer costs.
        const double cpu =
            static_cast<double>(veru::platform::processCpuMicroseconds() - cpu0) / 3600.0;
        reportIntervals(state, shows);
        state.counters["cpu_us_per_frame"] = cpu;
        state.counters["cpu_percent_of_core"] = cpu * 60.0 / 10000.0;
        state.counters["poll_lead_us"] = static_cast<double>(clock.getPollLeadMicroseconds());
        state.counters["late_frames"] = static_cast<double>(timer.getLateFrames());
        state.counters["resyncs"] = static_cast<double>(timer.getResyncs());
    }
}
BENCHMARK(BM_StagePacing)->Arg(0)->Arg(1)->Unit(benchmark::kSecond)->Iterations(1);

// The machine's floor for the same minute: a loop that never sleeps and
// reads the clock until each deadline. Whatever this loses is lost to the
// machine (other programs, a host that takes the processor away), and no
// timer can do better; run it next to StagePacing.
void BM_PacingFloor(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<Clock::time_point> shows;
        shows.reserve(3600);
        const auto origin = Clock::now();
        for (int f = 0; f < 3600; ++f) {
            const auto due = origin + std::chrono::microseconds(f * 1000000LL / 60);
            while (Clock::now() < due) {
            }
            shows.push_back(Clock::now());
        }
        reportIntervals(state, shows);
    }
}
BENCHMARK(BM_PacingFloor)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    ::setenv("SDL_VIDEODRIVER", "dummy", 0);
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
