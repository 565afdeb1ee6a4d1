#pragma once
// What the player and item tests share: a fresh folder with small stand-in
// pictures under img/ made the working folder, a headless device, the
// default button masks, a silent sound manager and a boss to aim at.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "engine/graphics/DirectGraphics.h"
#include "engine/input/ButtonMap.h"
#include "engine/io/Scrambler.h"
#include "engine/material/ImageContainer.h"
#include "engine/platform/image/Image.h"
#include "engine/platform/video/VideoDevice.h"
#include "engine/sound/SoundManger.h"
#include "game/shooting/object/enemies/EnemyObject.h"
#include "game/shooting/object/patterns/ISkill.h"
#include "tests/game/shooting/object/ObjectTestSupport.h"
#include "tests/support/RecordingMessageSink.h"
#include "tests/support/TempDir.h"

namespace mirelune::test {

// Button bits of the tests: the directions and the actions' default masks.
inline constexpr int kUp = 1;
inline constexpr int kDown = 2;
inline constexpr int kLeft = 4;
inline constexpr int kRight = 8;
inline constexpr int kShot = 0x10;
inline constexpr int kSlow = 0x80;

inline void writePicture(const veru::YString& path, int w, int h,
                         std::uint32_t argb = 0xFFFFFFFFu) {
    veru::platform::Image image;
    image.width = w;
    image.height = h;
    image.hasAlpha = true;
    image.pixels.assign(static_cast<std::size_t>(w) * h, argb);
    Bytes png;
    ASSERT_TRUE(veru::platform::encodePng(image, png));
    veru::dxt::material::writeImageContainer(path, "ytx", {.width = w, .height = h}, png);
}

// A boss of the simplest shape: one rectangle, standing still.
class StandingBoss : public ml::shooting::object::EnemyObject {
  public:
    StandingBoss(int half, int hp) : EnemyObject(800, 480) {
        setHitArea(-half, -half, half, half);
        setHp(hp);
    }
    void applyLevel(int) override {}
    void move(int, int) override {}
    void loadTextures(veru::platform::VideoDevice*) override {}
};

class PlayersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        veru::io::registerGameFileKeys();
        auto& map = veru::dxt::event::ButtonMap::global();
        for (int n = 1; n <= 5; ++n) {
            map.setMask(n, 0x10 << (n - 1));
        }
        std::string error;
        device = veru::platform::VideoDevice::create(nullptr, 800, 600, error);
        ASSERT_TRUE(device) << error;
        std::filesystem::create_directories(dir.path() / "img");
        std::filesystem::current_path(dir.path());
    }
    void TearDown() override { std::filesystem::current_path(previous); }

    std::filesystem::path previous = std::filesystem::current_path();
    TempDir dir;
    RecordingMessageSink boxes;  // the sounds that are not there
    std::unique_ptr<veru::platform::VideoDevice> device;
    veru::sound::SoundManger sounds;
};

// Counts the volleys a character fires. A volley is fresh on the frame it
// was fired: its first attack still sits at the skill's origin (every
// pattern here moves its attacks away on their first update).
class VolleyCounter {
  public:
    explicit VolleyCounter(const ml::shooting::object::CharaObject& c) : chara(c) {}
    // True when the last update fired a volley.
    bool fired() {
        const auto& skills = chara.getSkills();
        if (skills.empty() || skills.back()->getAttacks().empty()) {
            return false;
        }
        const ml::shooting::object::ISkill& last = *skills.back();
        const bool fresh = last.getAttacks().front()->getX() == last.getX();
        if (fresh) {
            ++count;
        }
        return fresh;
    }
    int count = 0;

  private:
    const ml::shooting::object::CharaObject& chara;
};

}  // namespace mirelune::test
