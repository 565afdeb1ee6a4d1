// The busiest frame the trial's boss fight can make: TrialBoss on hard in its
// pinch phase with its rings and spins in flight, 30 bats alive with their
// patterns, the player's strongest shot (seven bullets every sixth frame)
// and a bomb (a ring of 20 bomb bullets every second frame). One iteration
// is one frame: every update and every hit test the scene runs.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/effects/Random.h"
#include "engine/io/Scrambler.h"
#include "engine/material/ImageContainer.h"
#include "engine/platform/image/Image.h"
#include "engine/platform/video/VideoDevice.h"
#include "game/shooting/object/bosses/TrialBoss.h"
#include "game/shooting/object/enemies/BatFactory.h"
#include "game/shooting/object/patterns/RoundBullets.h"
#include "game/shooting/object/patterns/StrongBullets.h"
#include "game/shooting/object/players/PlayerObject.h"

namespace {

namespace fs = std::filesystem;
namespace obj = ml::shooting::object;

void writePicture(const fs::path& root, const std::string& name, int w, int h) {
    veru::platform::Image image;
    image.width = w;
    image.height = h;
    image.hasAlpha = true;
    image.pixels.assign(static_cast<std::size_t>(w) * h, 0xFFFFFFFFu);
    std::vector<std::uint8_t> png;
    veru::platform::encodePng(image, png, true);
    veru::dxt::material::ImageContainerHeader header;
    header.width = w;
    header.height = h;
    veru::dxt::material::writeImageContainer(veru::YString::fromUtf8((root / name).string()), "ytx",
                                             header, png);
}

// A folder with every picture the bats and the trial's boss load; the
// working folder while the benchmark runs.
struct Pictures {
    fs::path root = fs::temp_directory_path() / "mirelune_bench_boss_frame";
    fs::path previous = fs::current_path();

    Pictures() {
        veru::io::registerGameFileKeys();
        fs::create_directories(root / "img");
        for (int i = 1; i <= 24; ++i) {
            writePicture(root, "img/kintubat" + std::to_string(i) + ".ytx", 32, 128);
        }
        writePicture(root, "img/kintubat1_damage.ytx", 32, 128);
        writePicture(root, "img/arc_bomb.ytx", 64, 768);
        for (const char* name :
             {"img/seiichirou.ytx", "img/seiichirou_battle.ytx", "img/seiichirou_damage.ytx"}) {
            writePicture(root, name, 128, 128);
        }
        for (const char* name :
             {"img/arc_red_bullet.ytx", "img/arc_red.ytx", "img/arc_ice_bullet.ytx",
              "img/arc_ice.ytx", "img/arc_green_bullet.ytx", "img/arc_green.ytx",
              "img/arc_yerrow_bullet.ytx", "img/arc_yerrow.ytx", "img/arc_blue.ytx",
              "img/arc_blue_bullet.ytx", "img/beam_unit.ytx", "img/flare.ytx", "img/lazer.ytx"}) {
            writePicture(root, name, 16, 16);
        }
        fs::current_path(root);
    }
    ~Pictures() {
        fs::current_path(previous);
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
};

// The player, reduced to what the scene asks of it in a frame: a position,
// a hit area and its patterns.
class Player : public obj::PlayerObject {
  public:
    Player() : PlayerObject(800, 480) {
        setPosition(150, 240);
        setHitArea(-20, -11, 20, 11);
        state = obj::STATE_ACTIVE;  // every hit test of the frame runs
        hp = 1 << 30;
    }
    void reset() override {}
    void loadSounds(obj::SoundManger&) override {}
    void loadTextures(obj::VideoDevice*) override {}
    bool update(int) override { return false; }
    bool hitEnemies(obj::EnemyObject* boss) override {
        bool hit = false;
        for (auto& skill : skills) {
            for (auto& attack : skill->getAttacks()) {
                if (attack->getState() != obj::STATE_GONE && boss->isHit(*attack)) {
                    hit = true;
                }
            }
        }
        return hit;
    }
    void damage(int) override {}  // keeps playing whatever hits it

    // The strongest shot every sixth frame, a bomb ring every second frame.
    void fire(obj::Texture* picture, int frame) {
        if (frame % 6 == 0) {
            auto shot = std::make_unique<obj::StrongBullets>(obj::KIND_PLAYER_ATTACK, 800, 480, 15);
            shot->fire(picture, x, y, -1, -1, 2, 2);
            shot->setPower(0);  // the enemies stay alive for the next frame
            shot->launchAll();
            skills.push_back(std::move(shot));
        }
        if (frame % 2 == 0) {
            auto ring = std::make_unique<obj::RoundBullets>(obj::KIND_BOMB_ATTACK, 800, 480, 35,
                                                            frame % 360, 20, true);
            ring->fire(picture, x, y, -1, -1, 5, 5);
            ring->setPower(0);
            ring->launchAll();
            skills.push_back(std::move(ring));
        }
    }
};

struct Fight {
    std::unique_ptr<veru::platform::VideoDevice> device;
    std::unique_ptr<obj::TrialBoss> boss;
    std::vector<std::unique_ptr<obj::EnemyObject>> bats;
    Player player;
    std::unique_ptr<obj::Texture> shot_picture;
    int frame = 0;

    explicit Fight(veru::platform::VideoDevice* video) {
        veru::dxt::effect2D::seedStageRandom(1);
        boss = std::make_unique<obj::TrialBoss>(800, 480, *obj::findBossRow("TrialBoss"));
        boss->loadTextures(video);
        boss->setLevel(obj::LEVEL_3);
        boss->appear(800, 240);
        while (boss->getState() != obj::STATE_READY)
            boss->update(150, 240);
        boss->start();
        boss->damage(1200);
        while (boss->getState() != obj::STATE_PINCH)
            boss->update(150, 240);
        // Long enough for the spins and the throttled rings to fill the field.
        for (int i = 0; i < 600; ++i)
            boss->update(150, 240);
        for (int i = 0; i < 30; ++i)
            addBat(video, i);
        shot_picture = obj::ShootingObject::loadPicture(video, u"img/arc_red_bullet.ytx");
        for (int i = 0; i < 60; ++i)
            step();
    }

    void addBat(veru::platform::VideoDevice* video, int i) {
        auto bat = obj::createBat("Bat" + std::to_string(i % 24 + 1), 800, 480);
        bat->loadTextures(video);
        bat->setLevel(obj::LEVEL_3);
        bat->appear(800, 40 + (i * 37) % 400);
        bat->setHp(1 << 30);
        bats.push_back(std::move(bat));
    }

    // One frame of the boss battle, in the scene's order.
    void step() {
        ++frame;
        const int px = player.getX();
        const int py = player.getY();
        player.fire(shot_picture.get(), frame);
        player.updateFreeSkills();
        for (auto& bat : bats)
            bat->update(px, py);
        boss->update(px, py);
        for (auto& bat : bats) {
            if (player.collides(*bat))
                benchmark::DoNotOptimize(bat);
        }
        for (auto& bat : bats)
            player.hitBySkills(*bat);
        player.hitEnemies(boss.get());
        for (auto& bat : bats)
            bat->hitBySkills(player);
        int cancelled = 0;
        for (auto& mine : player.getSkills()) {
            if (mine->getKind() != obj::KIND_BOMB_ATTACK)
                continue;
            for (auto& bat : bats) {
                for (auto& theirs : bat->getSkills())
                    cancelled += mine->cancelBullets(*theirs);
            }
            for (auto& theirs : boss->getSkills())
                cancelled += mine->cancelBullets(*theirs);
        }
        benchmark::DoNotOptimize(cancelled);
        boss->hitBySkills(player);
    }

    std::size_t enemyAttacks() const {
        std::size_t n = 0;
        for (auto& skill : boss->getSkills())
            n += skill->getAttacks().size();
        for (auto& bat : bats) {
            for (auto& skill : bat->getSkills())
                n += skill->getAttacks().size();
        }
        return n;
    }
};

void BM_TrialBossPinchFrame(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    Pictures pictures;
    std::string error;
    auto device = veru::platform::VideoDevice::create(nullptr, 800, 600, error);
    if (!device) {
        state.SkipWithError(error.c_str());
        return;
    }
    auto fight = std::make_unique<Fight>(device.get());
    std::size_t attacks = 0;
    std::size_t frames = 0;
    for (auto _ : state) {
        fight->step();
        attacks += fight->enemyAttacks();
        ++frames;
        // Bats fly off within a few hundred frames: start a fresh fight.
        if (fight->frame >= 240) {
            state.PauseTiming();
            fight = std::make_unique<Fight>(device.get());
            state.ResumeTiming();
        }
    }
    veru::dxt::effect2D::useSecureRandom();
    state.counters["enemy_attacks"] =
        benchmark::Counter(static_cast<double>(attacks) / static_cast<double>(frames ? frames : 1));
}
BENCHMARK(BM_TrialBossPinchFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
