// Sound: what the mixer costs per second of output, and how much memory a
// long Ogg music stream holds while it plays.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/platform/audio/Mixer.h"
#include "engine/platform/audio/VorbisEncoder.h"
#include "engine/sound/Sound.h"
#include "engine/sound/StreamingSound.h"
#include "engine/sound/StreamingSoundOgg.h"
#include "engine/sound/YDirectSound.h"

namespace {

namespace fs = std::filesystem;

fs::path scratch() {
    fs::path dir = fs::temp_directory_path() / "mirelune_sound_benchmark";
    fs::create_directories(dir);
    return dir;
}

std::vector<std::int16_t> tone(double seconds, double left, double right) {
    std::vector<std::int16_t> pcm;
    const int frames = static_cast<int>(seconds * 44100);
    pcm.reserve(static_cast<std::size_t>(frames) * 2);
    for (int i = 0; i < frames; ++i) {
        const double t = i / 44100.0;
        // A slowly changing chord, so the encoder has real work.
        const double wobble = 1 + 0.01 * std::sin(t * 0.7);
        pcm.push_back(static_cast<std::int16_t>(6000 * std::sin(2 * M_PI * left * wobble * t) +
                                                3000 * std::sin(2 * M_PI * left * 1.5 * t)));
        pcm.push_back(static_cast<std::int16_t>(6000 * std::sin(2 * M_PI * right * wobble * t) +
                                                3000 * std::sin(2 * M_PI * right * 1.25 * t)));
    }
    return pcm;
}

void writeWave(const fs::path& path, const std::vector<std::int16_t>& pcm) {
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&out](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&out](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    const auto bytes = static_cast<std::uint32_t>(pcm.size() * 2);
    out.write("RIFF", 4);
    u32(36 + bytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(2);
    u32(44100);
    u32(176400);
    u16(4);
    u16(16);
    out.write("data", 4);
    u32(bytes);
    out.write(reinterpret_cast<const char*>(pcm.data()), bytes);
}

long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

// 16 effects looping at once plus a wave and an Ogg music stream, mixed in
// the device's 1024-frame callbacks. One iteration is one second of output.
void BM_MixOneSecond16VoicesAnd2Streams(benchmark::State& state) {
    const fs::path dir = scratch();
    writeWave(dir / "effect.wav", tone(0.7, 440, 550));
    writeWave(dir / "music.wav", tone(8, 220, 330));
    veru::platform::writeOggVorbis((dir / "music.ogg").string(), tone(8, 262, 392), 2, 44100);

    veru::sound::YDirectSound device;
    device.createManual();
    std::vector<std::unique_ptr<veru::sound::Sound>> effects;
    for (int i = 0; i < 16; ++i) {
        auto sound = std::make_unique<veru::sound::Sound>();
        sound->read(&device, veru::YString::fromUtf8((dir / "effect.wav").string()), 1);
        sound->setVolume(60 + i);
        sound->setPan(i * 10 - 80);
        sound->play(true);
        effects.push_back(std::move(sound));
    }
    veru::sound::StreamingSound waveMusic;
    waveMusic.read(&device, veru::YString::fromUtf8((dir / "music.wav").string()), 1);
    waveMusic.play(true);
    veru::sound::StreamingSoundOgg oggMusic;
    oggMusic.read(&device, (dir / "music.ogg").string().c_str(), 1);
    oggMusic.play(true);

    std::vector<std::int16_t> out(1024 * 2);
    for (auto _ : state) {
        for (int done = 0; done < 44100; done += 1024) {
            device.getMixer()->mix(out.data(), 1024);
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["voices"] = device.getMixer()->playingCount();
    state.counters["seconds_of_output"] =
        benchmark::Counter(static_cast<double>(state.iterations()));
}
BENCHMARK(BM_MixOneSecond16VoicesAnd2Streams)->Unit(benchmark::kMillisecond);

// A 3-minute Ogg stream: the memory it adds while playing, against what the
// whole decoded file would take.
void BM_ThreeMinuteOggStreamMemory(benchmark::State& state) {
    const fs::path path = scratch() / "three_minutes.ogg";
    if (!fs::exists(path)) {
        veru::platform::writeOggVorbis(path.string(), tone(180, 262, 330), 2, 44100, 0.1f);
    }
    veru::sound::YDirectSound device;
    device.createManual();
    long added = 0;
    std::uint32_t ring = 0;
    for (auto _ : state) {
        const long before = residentKiB();
        veru::sound::StreamingSoundOgg music;
        music.read(&device, path.string().c_str(), 1);
        music.play(true);
        std::vector<std::int16_t> out(4410 * 2);
        for (int i = 0; i < 40; ++i)
            device.getMixer()->mix(out.data(), 4410);     // 4 s
        added = std::max(added, residentKiB() - before);  // the first pass grows the heap
        ring = music.getHalfBytes() * 2;
        music.release();
    }
    state.counters["ring_KiB"] = ring / 1024.0;
    state.counters["rss_added_KiB"] = static_cast<double>(added);
    state.counters["whole_file_decoded_KiB"] = 180.0 * 176400 / 1024;
    state.counters["ogg_file_KiB"] = static_cast<double>(fs::file_size(path)) / 1024;
}
BENCHMARK(BM_ThreeMinuteOggStreamMemory)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
