#include "game/shooting/object/Maruiyatu.h"

#include "engine/sound/SoundManger.h"
#include "game/shooting/object/BossAttacks.h"

namespace ml::shooting::object {

namespace {

constexpr int shotPeriod = 10;

}  // namespace

Maruiyatu::Maruiyatu(int field_width, int field_height)
    : Boss(field_width, field_height, 600, 0.34) {
    setLevel(LEVEL_1);
}

Maruiyatu::~Maruiyatu() = default;

void Maruiyatu::applyLevel(int level_) {
    Boss::applyLevel(level_);
    pinch_period = byLevel(30, 20, 10);
}

void Maruiyatu::loadSounds(SoundManger& manager) {
    loadVoices(manager, {});
    bullet_sound = manager.getSound(veru::YString(u"sound/bullet.wav"));
}

void Maruiyatu::loadTextures(VideoDevice* loader) {
    loadPictures(loader, {.picture = u"img/boss_sample.ytx",
                          .damage = u"img/boss_sample_damage.ytx",
                          .bullets = u"img/arc_red_bullet.ytx"});
    setHitParts({{31, 32, 22, 23}});
}

void Maruiyatu::move(int /*target_x*/, int /*target_y*/) {
    countFrame();
    if (changeIfPinched()) {
        return;
    }
    if (frame % 5 == 0) {
        animate();
    }
    if (frame % shotPeriod == 0) {
        fireSampleShot(*this, bullet_texture.get());
        playSound(bullet_sound);
    }
    bob(5);
}

void Maruiyatu::pinchMove(int /*target_x*/, int /*target_y*/) {
    countFrame();
    if (frame % 5 == 0) {
        animate();
    }
    if (pinch_period > 0 && frame % pinch_period == 0) {
        fireSampleRing(*this, bullet_texture.get(), move_frame);
        playSound(bullet_sound);
        sweep(move_frame, angle_rising, 0, 90, 5);
    }
}

}  // namespace ml::shooting::object
