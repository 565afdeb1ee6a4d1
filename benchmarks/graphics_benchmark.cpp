// Drawing throughput on the software renderer (the off-screen device, as on a
// machine without a GPU). Each case draws through DirectGraphics and, in the
// same run, the same pictures with SDL's plainest calls (the "Raw" twin), so
// the ratio of the two is what to read:
//   Sprites/<size>/<angle>   1,000 queued centred sprites, unturned or turned
//   Quads/<angle>            1,000 queued alpha-blended 32-pixel quads
//   AdditiveParticles        300 additive 16-pixel particles of varied alpha
//   GameFrame                an 800 x 480 background, 1,000 turned 16-pixel
//                            bullets (each at its own angle), 50 64-pixel enemies, 300 additive
//                            particles and the information strip
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/graphics/BlendMode.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/io/ByteFileWriter.h"
#include "engine/material/Surface.h"
#include "engine/material/Texture.h"
#include "engine/platform/image/Image.h"
#include "engine/platform/video/DeviceTexture.h"
#include "engine/platform/video/VideoDevice.h"

namespace {

using veru::dxt::DirectGraphics;
using veru::dxt::material::Surface;
using veru::dxt::material::Texture;
using veru::platform::BlendMode;
using veru::platform::RawCopy;

// A round blob of `size` pixels: the picture of a bullet or a particle.
std::vector<std::uint32_t> blob(int size, std::uint32_t rgb) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size) * size);
    float c = (size - 1) / 2.0f;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float d = std::hypot(x - c, y - c) / (size / 2.0f);
            auto a = static_cast<std::uint32_t>(255.0f * std::max(0.0f, 1.0f - d));
            pixels[static_cast<std::size_t>(y * size + x)] = a << 24 | rgb;
        }
    }
    return pixels;
}

struct Bench {
    std::unique_ptr<veru::platform::VideoDevice> device;
    std::unique_ptr<DirectGraphics> graphics;
    unsigned state = 12345;

    Bench() {
        std::string error;
        device = veru::platform::VideoDevice::create(nullptr, 800, 600, error);
        graphics = std::make_unique<DirectGraphics>(device.get());
    }
    int next(int n) {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 8) % static_cast<unsigned>(n));
    }
    std::unique_ptr<Texture> texture(int size, std::uint32_t rgb) {
        auto t = std::make_unique<Texture>();
        std::vector<std::uint32_t> pixels = blob(size, rgb);
        t->createFromPixels(size, size, device.get(), pixels.data());
        return t;
    }
    void begin() { device->clear(0xFF000000u); }
    void end() { device->flush(); }
};

// Positions and angles shared by a case and its raw twin.
struct Placement {
    int x, y, angle, alpha;
};

// Every copy at `angle`, or at a different angle each when `varied`.
std::vector<Placement> placements(Bench& bench, int count, int angle, bool varied = false) {
    std::vector<Placement> out;
    for (int i = 0; i < count; ++i) {
        int a = varied ? 1 + bench.next(359) : angle;
        out.push_back({16 + bench.next(768), 16 + bench.next(448), a, 64 + bench.next(192)});
    }
    return out;
}

// The raw twin of centred sprites: SDL turns clockwise, sprites the other way.
std::vector<RawCopy> rawSprites(const std::vector<Placement>& at, int size, bool alpha,
                                int angleSign) {
    std::vector<RawCopy> out;
    float half = static_cast<float>(size / 2);
    float side = static_cast<float>(size);
    for (const Placement& p : at) {
        veru::platform::CopyPlacement where{
            p.x - half, p.y - half, side,  side, static_cast<double>(angleSign * p.angle),
            half,       half,       false, false};
        out.push_back(RawCopy{where, static_cast<std::uint8_t>(alpha ? p.alpha : 255)});
    }
    return out;
}

// Draws `copies` of `texture` with SDL's plainest calls, once per iteration.
void runRaw(benchmark::State& state, Bench& bench, Texture& texture,
            const std::vector<RawCopy>& copies, BlendMode blend) {
    for (auto _ : state) {
        bench.begin();
        bench.device->drawRawCopies(*texture.getDeviceTexture(), copies.data(),
                                    static_cast<int>(copies.size()), blend);
        bench.end();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(copies.size()));
}

constexpr int kSprites = 1000;
constexpr int kParticles = 300;
constexpr int kEnemies = 50;

void BM_Sprites(benchmark::State& state) {
    Bench bench;
    int size = static_cast<int>(state.range(0));
    auto texture = bench.texture(size, 0xFF8040);
    auto at = placements(bench, kSprites, static_cast<int>(state.range(1)));
    bench.graphics->setCentred(true);
    for (auto _ : state) {
        bench.begin();
        for (const Placement& p : at) {
            bench.graphics->queueSprite(texture.get(), p.x, p.y, p.angle);
        }
        bench.graphics->flushSprites(true, true);
        bench.end();
    }
    state.SetItemsProcessed(state.iterations() * kSprites);
}

void BM_RawSprites(benchmark::State& state) {
    Bench bench;
    int size = static_cast<int>(state.range(0));
    auto texture = bench.texture(size, 0xFF8040);
    auto copies =
        rawSprites(placements(bench, kSprites, static_cast<int>(state.range(1))), size, false, -1);
    runRaw(state, bench, *texture, copies, BlendMode::blend);
}

void BM_Quads(benchmark::State& state) {
    Bench bench;
    auto texture = bench.texture(32, 0x40C0FF);
    auto at = placements(bench, kSprites, static_cast<int>(state.range(0)));
    bench.graphics->setCentred(true);
    for (auto _ : state) {
        bench.begin();
        for (const Placement& p : at) {
            bench.graphics->queueQuad(texture.get(), static_cast<float>(p.x),
                                      static_cast<float>(p.y), p.angle, veru::dxt::BlendAlphaPoint);
        }
        bench.graphics->flushQuads();
        bench.end();
    }
    state.SetItemsProcessed(state.iterations() * kSprites);
}

void BM_RawQuads(benchmark::State& state) {
    Bench bench;
    auto texture = bench.texture(32, 0x40C0FF);
    auto copies =
        rawSprites(placements(bench, kSprites, static_cast<int>(state.range(0))), 32, false, 1);
    runRaw(state, bench, *texture, copies, BlendMode::blend);
}

void queueParticles(Bench& bench, Texture* texture, const std::vector<Placement>& at) {
    for (const Placement& p : at) {
        texture->setAlpha(p.alpha);
        bench.graphics->queueQuad(texture, static_cast<float>(p.x), static_cast<float>(p.y), 1.0f,
                                  veru::dxt::BlendAdd);
    }
    texture->setAlpha(255);
}

void BM_AdditiveParticles(benchmark::State& state) {
    Bench bench;
    auto texture = bench.texture(16, 0xFFC040);
    auto at = placements(bench, kParticles, 0);
    bench.graphics->setCentred(true);
    for (auto _ : state) {
        bench.begin();
        queueParticles(bench, texture.get(), at);
        bench.graphics->flushQuads();
        bench.end();
    }
    state.SetItemsProcessed(state.iterations() * kParticles);
}

void BM_RawAdditiveParticles(benchmark::State& state) {
    Bench bench;
    auto texture = bench.texture(16, 0xFFC040);
    auto copies = rawSprites(placements(bench, kParticles, 0), 16, true, 1);
    runRaw(state, bench, *texture, copies, BlendMode::add);
}

// What a busy frame of a stage holds, loaded once.
struct Stage {
    Bench bench;
    Surface background;
    std::unique_ptr<Texture> bullet, enemy, particle, strip;
    std::vector<Placement> bullets, enemies, particles;

    Stage() {
        veru::platform::Image image;
        image.width = 2400;
        image.height = 480;
        for (int y = 0; y < 480; ++y) {
            for (int x = 0; x < 2400; ++x) {
                image.pixels.push_back(0xFF000000u | static_cast<std::uint32_t>(x % 256) << 8 |
                                       static_cast<std::uint32_t>(y % 256));
            }
        }
        std::vector<std::uint8_t> png;
        veru::platform::encodePng(image, png, false);
        std::filesystem::path file = std::filesystem::temp_directory_path() / "mirelune_bench.png";
        veru::YString path = veru::YString::fromUtf8(file.string());
        {
            veru::io::ByteFileWriter writer(path);
            writer.writeBytes(png);
            writer.close();
        }
        background.load(path, bench.device.get());
        std::filesystem::remove(file);
        bullet = bench.texture(16, 0xFF4080);
        enemy = bench.texture(64, 0x60FF60);
        particle = bench.texture(16, 0xFFC040);
        strip = std::make_unique<Texture>();
        strip->createBlank(bench.device.get(), 800, 120);
        bullets = placements(bench, kSprites, 0, true);
        enemies = placements(bench, kEnemies, 0);
        particles = placements(bench, kParticles, 0);
    }
};

void BM_GameFrame(benchmark::State& state) {
    Stage stage;
    DirectGraphics& g = *stage.bench.graphics;
    int scroll = 0;
    for (auto _ : state) {
        stage.bench.begin();
        g.copySurfacePart(&stage.background, scroll, 0, 800, 480, 0, 0);
        scroll = (scroll + 1) % 1600;
        g.setCentred(true);
        for (const Placement& p : stage.enemies) {
            g.queueSprite(stage.enemy.get(), p.x, p.y);
        }
        for (const Placement& p : stage.bullets) {
            g.queueSprite(stage.bullet.get(), p.x, p.y, p.angle);
        }
        queueParticles(stage.bench, stage.particle.get(), stage.particles);
        g.queueSprite(stage.strip.get(), 400, 540);
        g.flushSprites(true, true);
        g.setCentred(false);
        stage.bench.end();
    }
}

void BM_RawGameFrame(benchmark::State& state) {
    Stage stage;
    auto enemies = rawSprites(stage.enemies, 64, false, -1);
    auto bullets = rawSprites(stage.bullets, 16, false, -1);
    auto particles = rawSprites(stage.particles, 16, true, 1);
    RawCopy strip{{0.0f, 480.0f, 800.0f, 120.0f, 0.0, 0.0f, 0.0f, false, false}, 255};
    int scroll = 0;
    veru::platform::DeviceTexture* back = stage.background.getDeviceTexture();
    for (auto _ : state) {
        stage.bench.begin();
        stage.bench.device->copyOpaque(*back, veru::platform::PixelRect{scroll, 0, 800, 480}, 0, 0);
        scroll = (scroll + 1) % 1600;
        auto* device = stage.bench.device.get();
        device->drawRawCopies(*stage.enemy->getDeviceTexture(), enemies.data(), kEnemies,
                              BlendMode::blend);
        device->drawRawCopies(*stage.bullet->getDeviceTexture(), bullets.data(), kSprites,
                              BlendMode::blend);
        device->drawRawCopies(*stage.particle->getDeviceTexture(), particles.data(), kParticles,
                              BlendMode::add);
        device->drawRawCopies(*stage.strip->getDeviceTexture(), &strip, 1, BlendMode::blend);
        stage.bench.end();
    }
}

}  // namespace

BENCHMARK(BM_Sprites)->ArgsProduct({{16, 32}, {0, 30}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawSprites)->ArgsProduct({{16, 32}, {0, 30}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Quads)->Arg(0)->Arg(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawQuads)->Arg(0)->Arg(30)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AdditiveParticles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawAdditiveParticles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GameFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawGameFrame)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
