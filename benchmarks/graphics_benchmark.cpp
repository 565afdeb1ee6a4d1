// Sprite throughput on the software renderer: 2000 queued 32x32 sprites
// flushed through DirectGraphics, against SDL's plainest copy loop.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Texture.h"
#include "engine/platform/video/VideoDevice.h"

namespace {

constexpr int kSprites = 2000;

struct Scene {
    std::unique_ptr<veru::platform::VideoDevice> device;
    std::unique_ptr<veru::dxt::material::Texture> texture;
    std::vector<float> xy;
    std::vector<int> ixy;

    Scene() {
        std::string error;
        device = veru::platform::VideoDevice::create(nullptr, 800, 600, error);
        std::vector<std::uint32_t> pixels(32 * 32);
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                int d = (x - 16) * (x - 16) + (y - 16) * (y - 16);
                pixels[y * 32 + x] = d < 256 ? 0xC0FF8040u : 0x00000000u;
            }
        }
        texture = std::make_unique<veru::dxt::material::Texture>();
        texture->createFromPixels(32, 32, device.get(), pixels.data());
        // The same fixed positions for both ways.
        unsigned state = 12345;
        for (int i = 0; i < kSprites; ++i) {
            state = state * 1103515245u + 12345u;
            int x = static_cast<int>((state >> 8) % 768);
            state = state * 1103515245u + 12345u;
            int y = static_cast<int>((state >> 8) % 568);
            ixy.push_back(x);
            ixy.push_back(y);
            xy.push_back(static_cast<float>(x));
            xy.push_back(static_cast<float>(y));
        }
    }
};

void BM_DirectGraphicsFlushSprites(benchmark::State& state) {
    Scene scene;
    veru::dxt::DirectGraphics graphics(scene.device.get());
    for (auto _ : state) {
        scene.device->clear(0xFF000000u);
        for (int i = 0; i < kSprites; ++i) {
            graphics.queueSprite(scene.texture.get(), scene.ixy[2 * i], scene.ixy[2 * i + 1]);
        }
        graphics.flushSprites(true, true);
        scene.device->flush();
    }
    state.SetItemsProcessed(state.iterations() * kSprites);
}
BENCHMARK(BM_DirectGraphicsFlushSprites)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_RawSdlCopies(benchmark::State& state) {
    Scene scene;
    for (auto _ : state) {
        scene.device->clear(0xFF000000u);
        scene.device->drawRawCopies(*scene.texture->getDeviceTexture(), scene.xy.data(), kSprites);
        scene.device->flush();
    }
    state.SetItemsProcessed(state.iterations() * kSprites);
}
BENCHMARK(BM_RawSdlCopies)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
