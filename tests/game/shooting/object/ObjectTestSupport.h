#pragma once
// Helpers for the shooting-object tests: an off-screen device with blank
// textures, a sound that counts what is done to it, and the smallest
// concrete enemy, item and player.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "engine/material/Texture.h"
#include "engine/platform/image/Image.h"
#include "engine/sound/ISound.h"
#include "game/shooting/object/attacks/StraightAttack.h"
#include "game/shooting/object/enemies/EnemyObject.h"
#include "game/shooting/object/items/ItemObject.h"
#include "game/shooting/object/patterns/ISkill.h"
#include "game/shooting/object/players/PlayerObject.h"
#include "tests/engine/graphics/DrawingTestSupport.h"
#include "tests/support/TempDir.h"

namespace mirelune::test {

namespace obj = ml::shooting::object;

// A shared off-screen device for every test of a program.
inline veru::platform::VideoDevice* testDevice() {
    static std::unique_ptr<veru::platform::VideoDevice> device = makeOffscreenDevice();
    return device.get();
}

// A white w x h picture.
inline std::unique_ptr<veru::dxt::material::Texture> blankTexture(int w, int h) {
    return solidTexture(testDevice(), w, h, 0xFFFFFFFFu);
}

// A white sheet of `cells` cells of cell_w x cell_h in one row.
inline std::unique_ptr<veru::dxt::material::Texture> blankSheet(int cells, int cell_w, int cell_h) {
    TempDir dir;
    veru::platform::Image image;
    image.width = cells * cell_w;
    image.height = cell_h;
    image.hasAlpha = true;
    image.pixels.assign(static_cast<std::size_t>(image.width) * cell_h, 0xFFFFFFFFu);
    Bytes bytes;
    EXPECT_TRUE(veru::platform::encodePng(image, bytes, true));
    veru::YString path = dir.file("sheet.png");
    writeBytes(path, bytes);
    auto texture = std::make_unique<veru::dxt::material::Texture>();
    EXPECT_TRUE(texture->loadSheet(path, testDevice(), cells, cell_w, cell_h));
    return texture;
}

class CountingSound : public veru::sound::ISound {
  public:
    bool read(veru::sound::YDirectSound*, const veru::YString&, int) override { return true; }
    bool read(veru::sound::YDirectSound*, const char*, int) override { return true; }
    bool isLooping() override { return looping; }
    bool isPlaying() override { return playing; }
    bool get3DBuffer(int, veru::platform::AudioBuffer**) override { return false; }
    void setVolume(int) override {}
    void setPan(int) override {}
    bool play(bool loop) override {
        ++plays;
        looping = loop;
        playing = true;
        return true;
    }
    bool pause() override { return true; }
    bool stop() override {
        ++stops;
        playing = false;
        return true;
    }
    void release() override {}
    bool reset() override { return true; }

    int plays = 0;
    int stops = 0;
    bool looping = false;
    bool playing = false;
};

// A pattern of `n` bullets the test places by hand; prepare puts them at the
// origin with a motion of (speed, 0).
class TestSkill : public obj::ISkill {
  public:
    TestSkill(int kind, int n, bool vanish = true, int speed = 0)
        : ISkill(kind, 800, 480, vanish), speed(speed) {
        for (int i = 0; i < n; ++i) {
            attacks.push_back(std::make_unique<obj::StraightAttack>(kind, 800, 480));
        }
    }
    void prepare(int mx, int my) override {
        for (auto& a : attacks) {
            dress(*a, mx, my);
            static_cast<obj::StraightAttack&>(*a).setMotion(x, y, speed, 0, 0, 0);
        }
    }
    obj::StraightAttack& at(std::size_t i) {
        return static_cast<obj::StraightAttack&>(*attacks[i]);
    }
    int speed;
};

class TestItem : public obj::ItemObject {
  public:
    TestItem() : ItemObject(800, 480) {}
    void loadSound(veru::sound::SoundManger&) override {}
    void loadTexture(veru::platform::VideoDevice*) override {}
};

// An enemy whose movement is a callback (nothing by default) and which counts
// its kills and level changes.
class TestEnemy : public obj::EnemyObject {
  public:
    TestEnemy() : EnemyObject(800, 480) {}
    void loadTextures(veru::platform::VideoDevice*) override {}
    void applyLevel(int value) override { applied = value; }
    void move(int tx, int ty) override {
        if (onMove) {
            onMove(*this, tx, ty);
        }
    }
    void kill() override {
        ++kills;
        EnemyObject::kill();
    }
    using EnemyObject::explosion_texture;
    using EnemyObject::skills;

    std::function<void(TestEnemy&, int, int)> onMove;
    int kills = 0;
    int applied = -1;
};

class TestPlayer : public obj::PlayerObject {
  public:
    TestPlayer() : PlayerObject(800, 480) {}
    void reset() override {}
    void loadSounds(veru::sound::SoundManger&) override {}
    void loadTextures(veru::platform::VideoDevice*) override {}
    bool update(int) override { return false; }
    bool hitEnemies(obj::EnemyObject*) override { return false; }
    void kill() override {
        ++kills;
        PlayerObject::kill();
    }
    int kills = 0;
};

}  // namespace mirelune::test
