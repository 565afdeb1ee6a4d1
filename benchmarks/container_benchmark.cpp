// Loading the picture containers as a scene's create does: read the file,
// unscramble, inflate and decode. Time per load.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "engine/io/Scrambler.h"
#include "engine/material/ImageContainer.h"
#include "engine/platform/image/Image.h"

namespace {

namespace material = veru::dxt::material;

// Smooth gradients with a little noise, roughly how painted backgrounds compress.
veru::platform::Image painting(int width, int height, bool translucent) {
    veru::platform::Image image;
    image.width = width;
    image.height = height;
    image.pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::uint32_t noise = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            noise = noise * 1103515245u + 12345u;
            const std::uint32_t n = (noise >> 16) & 7;
            const std::uint32_t r = ((x * 255 / width) + n) & 0xFF;
            const std::uint32_t g = ((y * 255 / height) + n) & 0xFF;
            const std::uint32_t b = ((x + y) / 8 + n) & 0xFF;
            const std::uint32_t a = translucent ? ((x * y) & 0xFF) : 0xFF;
            image.pixels.push_back(a << 24 | r << 16 | g << 8 | b);
        }
    }
    return image;
}

veru::YString writeContainer(const std::string& name, const char* suffix,
                             const veru::platform::Image& image, bool jpeg, bool withAlpha) {
    veru::io::registerGameFileKeys();
    std::vector<std::uint8_t> file;
    const bool encoded = jpeg ? veru::platform::encodeJpeg(image, file, 90)
                              : veru::platform::encodePng(image, file, withAlpha);
    if (!encoded)
        return {};
    const auto path = std::filesystem::temp_directory_path() / name;
    const veru::YString ypath = veru::YString::fromUtf8(path.string());
    material::ImageContainerHeader header;
    header.width = image.width;
    header.height = image.height;
    material::writeImageContainer(ypath, suffix, header, file);
    return ypath;
}

void load(benchmark::State& state, const veru::YString& path, const char* suffix) {
    if (path.empty()) {
        state.SkipWithError("could not write the container");
        return;
    }
    for (auto _ : state) {
        const material::ImageContainer container = material::readImageContainer(path, suffix);
        veru::platform::Image image = material::decodeContainerPicture(container, path, 0, false);
        benchmark::DoNotOptimize(image.pixels.data());
    }
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(path.toUtf8()));
}

void BM_LoadSurface3000x480Png(benchmark::State& state) {
    static const veru::YString path =
        writeContainer("mirelune_bench_3000.ysf", "ysf", painting(3000, 480, false), false, false);
    load(state, path, "ysf");
}

void BM_LoadSurface3000x480Jpeg(benchmark::State& state) {
    static const veru::YString path =
        writeContainer("mirelune_bench_3000j.ysf", "ysf", painting(3000, 480, false), true, false);
    load(state, path, "ysf");
}

void BM_LoadTexture512x512Png(benchmark::State& state) {
    static const veru::YString path =
        writeContainer("mirelune_bench_512.ytx", "ytx", painting(512, 512, true), false, true);
    load(state, path, "ytx");
}

BENCHMARK(BM_LoadSurface3000x480Png)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSurface3000x480Jpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadTexture512x512Png)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
