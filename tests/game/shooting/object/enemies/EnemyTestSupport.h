#pragma once
// Helpers for the enemy and boss tests: a game folder of made-up pictures
// (the run's working folder while a test runs), driving an enemy frame by
// frame, and a player-side shot to hit things with.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "engine/io/Scrambler.h"
#include "engine/material/ImageContainer.h"
#include "engine/platform/image/Image.h"
#include "engine/platform/video/VideoDevice.h"
#include "engine/sound/SoundManger.h"
#include "game/shooting/object/ObjectCodes.h"
#include "game/shooting/object/attacks/StraightAttack.h"
#include "tests/engine/graphics/DrawingTestSupport.h"
#include "tests/support/RecordingMessageSink.h"
#include "tests/support/TempDir.h"

namespace mirelune::test {

namespace obj = ml::shooting::object;

// Sizes of the pictures the tests make; every other picture is 16 x 16.
inline const std::map<std::string, std::pair<int, int>>& pictureSizes() {
    static const std::map<std::string, std::pair<int, int>> sizes = {
        {"img/arc_bomb.ytx", {64, 768}},
        {"img/kintubat1_damage.ytx", {32, 128}},
        {"img/lazer.ytx", {16, 8}},
        {"img/seiichirou.ytx", {128, 128}},
        {"img/seiichirou_battle.ytx", {128, 128}},
        {"img/seiichirou_damage.ytx", {128, 128}},
        {"img/kiriha.ytx", {128, 128}},
        {"img/kiriha_battle.ytx", {128, 128}},
        {"img/kiriha_damage.ytx", {128, 128}},
        {"img/kiriha_pinch.ytx", {128, 128}},
        {"img/erika.ytx", {128, 128}},
        {"img/erika_battle.ytx", {128, 128}},
        {"img/erika_damage.ytx", {128, 128}},
        {"img/erika_pinch.ytx", {128, 128}},
        {"img/boss_sample.ytx", {64, 64}},
        {"img/boss_sample_damage.ytx", {64, 64}},
        {"img/sisterSD.ytx", {64, 64}},
        {"img/sasakiSD.ytx", {64, 64}},
        {"img/teruteruSD.ytx", {64, 64}},
        {"img/cb_sam.ytx", {432, 464}},
        {"img/cb_sam_damage.ytx", {432, 464}},
        {"img/sister.ytx", {416, 528}},
        {"img/sister_damage.ytx", {416, 528}},
        {"img/sasaki_boss.ytx", {424, 528}},
        {"img/sasaki_damage.ytx", {424, 528}},
    };
    return sizes;
}

// A game folder with every picture an enemy or boss loads, made once for
// the test program; the working folder while a GameFolder lives. Sounds are
// asked of a sound manager without a device: each stays silent and its box
// is recorded.
class GameFolder {
  public:
    GameFolder() : previous(std::filesystem::current_path()) {
        std::filesystem::current_path(pictures().path());
    }
    ~GameFolder() { std::filesystem::current_path(previous); }
    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;

    static veru::platform::VideoDevice* device() {
        static std::unique_ptr<veru::platform::VideoDevice> shared = makeOffscreenDevice();
        return shared.get();
    }
    veru::sound::SoundManger& sounds() { return manager; }

  private:
    static const TempDir& pictures() {
        static const std::unique_ptr<TempDir> dir = [] {
            auto owned = std::make_unique<TempDir>();
            const TempDir& made = *owned;
            veru::io::registerGameFileKeys();
            std::filesystem::create_directories(made.path() / "img");
            for (int i = 1; i <= 24; ++i) {
                make(made, "img/kintubat" + std::to_string(i) + ".ytx", 32, 128);
            }
            for (const auto& [name, size] : pictureSizes()) {
                make(made, name, size.first, size.second);
            }
            for (const char* name :
                 {"img/arc_red_bullet.ytx", "img/arc_red.ytx", "img/arc_ice_bullet.ytx",
                  "img/arc_ice.ytx", "img/arc_green_bullet.ytx", "img/arc_green.ytx",
                  "img/arc_yerrow_bullet.ytx", "img/arc_yerrow.ytx", "img/arc_blue.ytx",
                  "img/arc_blue_bullet.ytx", "img/arc_black_bullet.ytx", "img/beam_unit.ytx",
                  "img/flare.ytx", "img/blue_bullet.ytx", "img/red_bullet.ytx", "img/slush.ytx",
                  "img/slush_blue.ytx", "img/flying_pan.ytx"}) {
                make(made, name, 16, 16);
            }
            return owned;
        }();
        return *dir;
    }

    static void make(const TempDir& dir, const std::string& name, int w, int h) {
        veru::platform::Image image;
        image.width = w;
        image.height = h;
        image.hasAlpha = true;
        image.pixels.assign(static_cast<std::size_t>(w) * h, 0xFFFFFFFFu);
        Bytes png;
        ASSERT_TRUE(veru::platform::encodePng(image, png, true));
        veru::dxt::material::ImageContainerHeader header;
        header.width = w;
        header.height = h;
        veru::dxt::material::writeImageContainer(dir.file(name), "ytx", header, png);
    }

    std::filesystem::path previous;
    RecordingMessageSink boxes;
    veru::sound::SoundManger manager;
};

// A player's bullet with a w x h hit area centred at (x, y), flying.
inline std::unique_ptr<obj::StraightAttack> playerShot(int x, int y, int w = 4, int h = 4) {
    auto shot = std::make_unique<obj::StraightAttack>(obj::KIND_PLAYER_ATTACK, 800, 480);
    shot->setPosition(x, y);
    shot->setHitArea(-w / 2, -h / 2, w - w / 2, h - h / 2);
    shot->launch();
    return shot;
}

// Updates `enemy` `frames` times with the player at (px, py); true when an
// update reported it finished.
template <class E>
bool run(E& enemy, int frames, int px = 100, int py = 240) {
    for (int i = 0; i < frames; ++i) {
        if (enemy.update(px, py)) {
            return true;
        }
    }
    return false;
}

}  // namespace mirelune::test
