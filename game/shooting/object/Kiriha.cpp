#include "game/shooting/object/Kiriha.h"

#include "engine/sound/SoundManger.h"
#include "game/shooting/object/BossAttacks.h"

namespace ml::shooting::object {

Kiriha::Kiriha(int field_width, int field_height) : Boss(field_width, field_height, 1000, 0.34) {
    score = 200000;
    setLevel(LEVEL_1);
}

Kiriha::~Kiriha() = default;

void Kiriha::applyLevel(int level_) {
    Boss::applyLevel(level_);
    fire_period = byLevel(35, 20, 10);
}

void Kiriha::loadSounds(SoundManger& manager) {
    loadVoices(manager, {.pinch = u"sound/pinch_kiriha.wav",
                         .go = u"sound/go_kiriha.wav",
                         .dead = u"sound/dead_kiriha.wav"});
    bullet_sound = manager.getSound(veru::YString(u"sound/bullet.wav"));
    slush_sound = manager.getSound(veru::YString(u"sound/slush.wav"));
    beam_sound = manager.getSound(veru::YString(u"sound/beam.wav"));
}

void Kiriha::loadTextures(VideoDevice* loader) {
    loadPictures(loader, {.picture = u"img/kiriha.ytx",
                          .battle = u"img/kiriha_battle.ytx",
                          .damage = u"img/kiriha_damage.ytx",
                          .change = u"img/kiriha_pinch.ytx",
                          .bullets = u"img/blue_bullet.ytx"});
    blade_texture = loadPicture(loader, u"img/slush.ytx");
    beam_texture = loadPicture(loader, u"img/beam_unit.ytx");
    setHitParts({{63, 33, 14, 15}, {64, 81, 5, 30}, {74, 68, 5, 18}});
}

void Kiriha::fireBeams(int target_x, int target_y) {
    if (!beam_throttle.pass()) {
        return;
    }
    fireHomingBeams(*this, beam_texture.get(), {10, byLevel(3, 5, 10), 7, 60, 3}, {90, 270},
                    target_x, target_y);
    playSound(beam_sound);
}

void Kiriha::move(int target_x, int target_y) {
    countFrame();
    if (changeIfPinched()) {
        fire_period *= 2;
        return;
    }
    if (frame % 5 == 0) {
        animate();
    }
    if (fire_period > 0 && frame % fire_period == 0) {
        fireCornerFan(*this, bullet_texture.get(), byLevel(3, 5, 10));
        playSound(bullet_sound);
        fireBeams(target_x, target_y);
    }
    bob(3);
}

void Kiriha::pinchMove(int target_x, int target_y) {
    countFrame();
    if (frame % 5 == 0) {
        animate();
    }
    if (fire_period > 0 && frame % fire_period == 0) {
        fireBlade(*this, blade_texture.get(), blades.next(), byLevel(15, 20, 30),
                  byLevel(35, 35, 39));
        playSound(slush_sound);
        fireBeams(target_x, target_y);
    }
}

}  // namespace ml::shooting::object
