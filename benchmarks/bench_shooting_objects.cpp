// A dense field: 1,000 live attacks of mixed patterns — the player's shots
// and bomb rings, the enemies' rings, fans, aimed shots, homing chains and
// lasers — updated and tested against 30 enemies and the player, as the
// shooting scene does once a frame. Counts heap allocations per frame (none
// are expected while nothing fires), and times queueing and flushing the
// same bullets against SDL's plainest copy loop.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Texture.h"
#include "engine/platform/video/DeviceTexture.h"
#include "engine/platform/video/VideoDevice.h"
#include "game/shooting/object/attacks/LazerObject.h"
#include "game/shooting/object/enemies/EnemyObject.h"
#include "game/shooting/object/patterns/EnemyBullets.h"
#include "game/shooting/object/patterns/Lazer.h"
#include "game/shooting/object/patterns/LeadBeam.h"
#include "game/shooting/object/patterns/RoundBullets.h"
#include "game/shooting/object/patterns/StraightBullets.h"
#include "game/shooting/object/patterns/StrongBullets.h"
#include "game/shooting/object/patterns/TripletBullets.h"
#include "game/shooting/object/players/PlayerObject.h"

namespace {
std::atomic<long> g_allocations{0};
}  // namespace

// The program's own operator new counts every allocation; the matching
// deletes free with free(). GCC cannot see that the pair belongs together.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

using namespace ml::shooting::object;

class Bat : public EnemyObject {
  public:
    Bat() : EnemyObject(800, 480) {}
    void loadTextures(VideoDevice*) override {}
    void applyLevel(int) override {}
    void move(int, int) override {}
};

class Pilot : public PlayerObject {
  public:
    Pilot() : PlayerObject(800, 480) {}
    void reset() override {}
    void loadSounds(SoundManger&) override {}
    void loadTextures(VideoDevice*) override {}
    bool update(int) override { return false; }
    bool hitEnemies(EnemyObject*) override { return false; }
};

struct Field {
    static constexpr int kEnemies = 30;

    std::unique_ptr<VideoDevice> device;
    std::unique_ptr<Texture> bullet;
    std::unique_ptr<Texture> body;
    Pilot player;
    std::vector<std::unique_ptr<Bat>> enemies;
    bool flat;

    // flat: every picture unturned and unscaled (rings not turned, straight
    // shots instead of lasers), so the draw compares with plain copies.
    explicit Field(bool flat_field = false) : flat(flat_field) {
        std::string error;
        device = VideoDevice::create(nullptr, 800, 600, error);
        std::vector<std::uint32_t> pixels(16 * 16, 0xFFFFC080u);
        bullet = std::make_unique<Texture>();
        bullet->createFromPixels(16, 16, device.get(), pixels.data());
        body = std::make_unique<Texture>();
        body->createFromPixels(16, 16, device.get(), pixels.data());
        player.setTexture(body.get());
        player.setPosition(40, 240);
        player.setHitArea(-20, -11, 20, 11);
        player.setState(STATE_ACTIVE);
        player.setHp(1);
        for (int i = 0; i < kEnemies; ++i) {
            auto bat = std::make_unique<Bat>();
            bat->setTexture(body.get());
            bat->appear(560 + 8 * i, 16 + 15 * i);
            bat->setHitArea(-13, -13, 13, 13);
            bat->setHp(1 << 30);
            enemies.push_back(std::move(bat));
        }
        fireAll();
    }

    // Builds and fires every pattern anew: 500 attacks for the player, 500
    // for the enemies, all slow enough to stay on the field for 200 frames.
    void fireAll() {
        player.clearSkills();
        for (int i = 0; i < 25; ++i) {  // 25 x (3 + 7 + 10) = 500
            int y = 20 + 18 * i;
            add(player, std::make_unique<TripletBullets>(KIND_PLAYER_ATTACK, 800, 480, 0.4), 120,
                y);
            add(player, std::make_unique<StrongBullets>(KIND_PLAYER_ATTACK, 800, 480, 0.4), 260, y);
            add(player,
                std::make_unique<RoundBullets>(KIND_BOMB_ATTACK, 800, 480, 0.4, i, 10, !flat), 380,
                y);
        }
        for (auto& bat : enemies) {  // 30 x (8 + 5 + 1 + 1 + 1) + 20 = 500
            bat->clearSkills();
            int x = bat->getX() - 100;
            int y = bat->getY();
            add(*bat, std::make_unique<RoundBullets>(KIND_ENEMY_ATTACK, 800, 480, 0.3, 0, 8, false),
                x, y);
            add(*bat,
                std::make_unique<EnemyBullets>(KIND_ENEMY_ATTACK, 800, 480, 0.3, true, LEVEL_2), x,
                y);
            add(*bat, std::make_unique<StraightBullets>(KIND_ENEMY_ATTACK, 800, 480, 0.3, 0), x, y,
                true);
            add(*bat,
                std::make_unique<LeadBeam>(KIND_ENEMY_ATTACK, 800, 480, 1, 0.3, 0, 180, 10, 30, 3),
                x, y, true);
            if (flat) {
                add(*bat, std::make_unique<StraightBullets>(KIND_ENEMY_ATTACK, 800, 480, -0.3, 0),
                    x, y + 20);
            } else {
                add(*bat, std::make_unique<Lazer>(KIND_ENEMY_ATTACK, 800, 480, 1, 1, 5, 100000), x,
                    y);
            }
        }
        for (int i = 0; i < 2; ++i) {
            add(*enemies[i],
                std::make_unique<LeadBeam>(KIND_ENEMY_ATTACK, 800, 480, 10, 0.3, 0, 180, 10, 30, 3),
                400, 100 + 200 * i, true);
        }
    }

    void add(CharaObject& owner, std::unique_ptr<ISkill> skill, int x, int y, bool aimed = false) {
        skill->fire(bullet.get(), x, y, aimed ? player.getX() : -1, aimed ? player.getY() : -1, 2,
                    2);
        skill->setPower(1);
        skill->launchAll();
        owner.addSkill(std::move(skill));
    }

    std::size_t liveAttacks() const {
        std::size_t n = 0;
        auto count = [&n](const CharaObject& c) {
            for (const auto& skill : c.getSkills()) {
                for (const auto& a : skill->getAttacks()) {
                    n += a->getState() == STATE_ACTIVE ? 1 : 0;
                }
            }
        };
        count(player);
        for (const auto& bat : enemies) {
            count(*bat);
        }
        return n;
    }

    // One frame of the scene's object work: move everything, then the hit tests.
    int frame() {
        int hits = 0;
        player.updateSkills(-1, -1);
        for (auto& bat : enemies) {
            bat->update(player.getX(), player.getY());
        }
        for (auto& bat : enemies) {
            hits += player.hitBySkills(*bat) ? 1 : 0;
        }
        for (auto& bat : enemies) {
            hits += bat->hitBySkills(player) ? 1 : 0;
        }
        return hits;
    }

    void draw(veru::dxt::DirectGraphics& graphics) {
        player.drawSkills(graphics);
        for (auto& bat : enemies) {
            bat->drawSkills(graphics);
        }
    }
};

void BM_DenseFieldFrame(benchmark::State& state) {
    Field field;
    long allocations = 0;
    long frames = 0;
    int since_fire = 0;
    std::size_t live = field.liveAttacks();
    for (auto _ : state) {
        if (++since_fire == 200) {
            state.PauseTiming();
            field.fireAll();
            since_fire = 0;
            state.ResumeTiming();
        }
        long before = g_allocations.load(std::memory_order_relaxed);
        benchmark::DoNotOptimize(field.frame());
        allocations += g_allocations.load(std::memory_order_relaxed) - before;
        ++frames;
    }
    state.counters["live_attacks"] = static_cast<double>(live);
    state.counters["allocs_per_frame"] = static_cast<double>(allocations) / frames;
}
BENCHMARK(BM_DenseFieldFrame)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

// Queues and flushes every live attack; argument 1: the flat field.
void BM_DenseFieldDraw(benchmark::State& state) {
    Field field(state.range(0) != 0);
    veru::dxt::DirectGraphics graphics(field.device.get());
    graphics.setCentred(true);
    for (int i = 0; i < 30; ++i) {
        field.frame();  // the lasers stretch out
    }
    for (auto _ : state) {
        field.device->clear(0xFF000000u);
        field.draw(graphics);
        graphics.flushSprites(true, true);
        field.device->flush();
    }
    state.counters["live_attacks"] = static_cast<double>(field.liveAttacks());
}
BENCHMARK(BM_DenseFieldDraw)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same pictures as BM_DenseFieldDraw with SDL's plainest calls: each
// attack's cell at its place, scale and angle (sprites turn the other way
// round from SDL, so the field angle is SDL's). Argument 1: the flat field.
void BM_DenseFieldRawSdl(benchmark::State& state) {
    Field field(state.range(0) != 0);
    for (int i = 0; i < 30; ++i) {
        field.frame();
    }
    std::vector<veru::platform::RawCopy> copies;
    auto collect = [&copies](const CharaObject& c) {
        for (const auto& skill : c.getSkills()) {
            for (const auto& a : skill->getAttacks()) {
                if (a->getState() != STATE_ACTIVE) {
                    continue;
                }
                float sx = 1.0f;
                float sy = 1.0f;
                if (const auto* lazer = dynamic_cast<const LazerObject*>(a.get())) {
                    sx = static_cast<float>(lazer->getScaleX());
                    sy = static_cast<float>(lazer->getScaleY());
                }
                veru::platform::CopyPlacement at;
                at.w = 16.0f * std::abs(sx);
                at.h = 16.0f * std::abs(sy);
                at.x = static_cast<float>(a->getX()) - at.w / 2;
                at.y = static_cast<float>(a->getY()) - at.h / 2;
                at.angle = a->getAngle();
                at.centreX = at.w / 2;
                at.centreY = at.h / 2;
                at.mirrorX = sx < 0;
                copies.push_back(veru::platform::RawCopy{at, 255});
            }
        }
    };
    collect(field.player);
    for (const auto& bat : field.enemies) {
        collect(*bat);
    }
    int count = static_cast<int>(copies.size());
    for (auto _ : state) {
        field.device->clear(0xFF000000u);
        field.device->drawRawCopies(*field.bullet->getDeviceTexture(), copies.data(), count,
                                    veru::platform::BlendMode::blend);
        field.device->flush();
    }
    state.counters["copies"] = count;
}
BENCHMARK(BM_DenseFieldRawSdl)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
