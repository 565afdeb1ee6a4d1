#include "game/shooting/object/Erika.h"

#include "engine/sound/SoundManger.h"
#include "game/shooting/object/BossAttacks.h"
#include "game/shooting/object/RoundBullets.h"

namespace ml::shooting::object {

Erika::Erika(int field_width, int field_height) : Boss(field_width, field_height, 1000, 0.34) {
    score = 100000;
    setLevel(LEVEL_1);
}

Erika::~Erika() = default;

void Erika::applyLevel(int level_) {
    Boss::applyLevel(level_);
    fire_period = byLevel(90, 60, 30);
}

void Erika::loadSounds(SoundManger& manager) {
    loadVoices(manager, {.pinch = u"sound/pinch_erika.wav",
                         .go = u"sound/go_erika.wav",
                         .dead = u"sound/dead_erika.wav"});
    bullet_sound = manager.getSound(veru::YString(u"sound/bullet.wav"));
    slush_sound = manager.getSound(veru::YString(u"sound/slush.wav"));
}

void Erika::loadTextures(VideoDevice* loader) {
    loadPictures(loader, {.picture = u"img/erika.ytx",
                          .battle = u"img/erika_battle.ytx",
                          .damage = u"img/erika_damage.ytx",
                          .change = u"img/erika_pinch.ytx",
                          .bullets = u"img/red_bullet.ytx"});
    blade_texture = loadPicture(loader, u"img/slush.ytx");
    setHitParts({{65, 33, 15, 15}, {68, 82, 9, 30}});
}

void Erika::fireRing() {
    if (!ring_throttle.pass()) {
        return;
    }
    const HitRect corner = getHitRect();
    firePattern(std::make_unique<RoundBullets>(KIND_ENEMY_ATTACK, field_width, field_height,
                                               byLevel(3, 5, 10), 0, byLevel(5, 10, 20), true),
                bullet_texture.get(), corner.left, corner.top, -1, -1, 2, 10);
}

void Erika::move(int /*target_x*/, int /*target_y*/) {
    countFrame();
    if (changeIfPinched()) {
        fire_period = fire_period * 3 / 2;
        return;
    }
    if (frame % 5 == 0) {
        animate();
    }
    if (fire_period > 0 && frame % fire_period == 0) {
        fireCornerFan(*this, bullet_texture.get(), byLevel(3, 5, 10));
        fireRing();
        playSound(bullet_sound);
    }
    bob(3);
}

void Erika::pinchMove(int /*target_x*/, int /*target_y*/) {
    countFrame();
    if (frame % 5 == 0) {
        animate();
    }
    if (fire_period > 0 && frame % fire_period == 0) {
        fireBlade(*this, blade_texture.get(), blades.next(), byLevel(15, 20, 30),
                  byLevel(35, 35, 39));
        playSound(slush_sound);
        fireRing();
    }
}

}  // namespace ml::shooting::object
