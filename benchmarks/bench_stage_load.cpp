// Reading the trial stage with the game's real objects and data: the script,
// every bat, item and boss made and loaded, every picture decoded, every
// sound loaded. One iteration is one whole read into a fresh StageContent,
// freed (and the sound manager emptied, as at a scene switch) untimed.
//
// The data is the packed game in build/game: run from build/benchmarks, or
// name the folder in MIRELUNE_GAME_DIR. Counters: the device's live textures
// and their bytes, the heap in use after a read (mallinfo2) and the
// process's peak resident size (getrusage), both in MB.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/io/Scrambler.h"
#include "engine/platform/video/VideoDevice.h"
#include "engine/sound/SoundManger.h"
#include "game/StageScript.h"
#include "game/shooting/cmp/ScrollBackground.h"

namespace {

namespace fs = std::filesystem;

double heapMegabytes() {
    struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

double peakResidentMegabytes() {
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_TrialStageCreate(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    const char* named = std::getenv("MIRELUNE_GAME_DIR");
    const fs::path data = named ? fs::path(named) : fs::path("../game");
    if (!fs::exists(data / "script" / "stage_trial.dat")) {
        state.SkipWithError("no packed game data (build the game data or set MIRELUNE_GAME_DIR)");
        return;
    }
    const fs::path previous = fs::current_path();
    fs::current_path(data);
    veru::io::registerGameFileKeys();
    std::string error;
    auto device = veru::platform::VideoDevice::create(nullptr, 800, 600, error);
    if (!device) {
        fs::current_path(previous);
        state.SkipWithError(error.c_str());
        return;
    }
    veru::sound::SoundManger sounds;
    sounds.getDevice().createManual();
    const double heapBefore = heapMegabytes();
    double heapAfter = 0.0;
    std::size_t textures = 0;
    std::size_t textureBytes = 0;
    std::size_t soundCount = 0;
    for (auto _ : state) {
        auto background = std::make_unique<ml::shooting::cmp::ScrollBackground>(800, 480);
        auto content = std::make_unique<ml::StageContent>();
        ml::readStageScript(veru::YString(u"script/stage_trial.dat"), device.get(), &sounds,
                            0x200001, *background, *content);
        state.PauseTiming();
        heapAfter = heapMegabytes();
        textures = device->getTextureCount();
        textureBytes = device->getTextureBytes();
        soundCount = sounds.getSoundCount();
        content.reset();
        background.reset();
        sounds.stopAll();
        state.ResumeTiming();
    }
    fs::current_path(previous);
    state.counters["textures"] = static_cast<double>(textures);
    state.counters["texture_MB"] = static_cast<double>(textureBytes) / (1024.0 * 1024.0);
    state.counters["sounds"] = static_cast<double>(soundCount);
    state.counters["heap_MB"] = heapAfter;
    state.counters["heap_stage_MB"] = heapAfter - heapBefore;
    state.counters["peak_rss_MB"] = peakResidentMegabytes();
}
BENCHMARK(BM_TrialStageCreate)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
