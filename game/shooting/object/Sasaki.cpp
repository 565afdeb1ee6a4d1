#include "game/shooting/object/Sasaki.h"

#include "engine/effects/Random.h"
#include "engine/sound/SoundManger.h"
#include "game/shooting/object/BossAttacks.h"
#include "game/shooting/object/FireBall.h"
#include "game/shooting/object/Lazer.h"
#include "game/shooting/object/RoundBullets.h"

namespace ml::shooting::object {

namespace {

constexpr int sweepTop = 150;
constexpr int sweepBottom = 350;

}  // namespace

Sasaki::Sasaki(int field_width, int field_height)
    : BigBoss(field_width, field_height, 3500, 0.34, 70) {
    score = 400000;
    setLevel(LEVEL_1);
}

Sasaki::~Sasaki() = default;

void Sasaki::loadSounds(SoundManger& manager) {
    loadVoices(manager, {.go = u"sound/go_sasaki.wav", .dead = u"sound/dead_sasaki.wav"});
    bullet_sound = manager.getSound(veru::YString(u"sound/bullet.wav"));
    beam_sound = manager.getSound(veru::YString(u"sound/beam.wav"));
    lazer_sound = manager.getSound(veru::YString(u"sound/lazer.wav"));
}

void Sasaki::loadTextures(VideoDevice* loader) {
    loadPictures(loader, {.picture = u"img/sasakiSD.ytx",
                          .damage = u"img/sasaki_damage.ytx",
                          .bullets = u"img/arc_black_bullet.ytx",
                          .explosion_spread = 100});
    big_texture = loadPicture(loader, u"img/sasaki_boss.ytx");
    flare_texture = loadPicture(loader, u"img/flare.ytx");
    beam_texture = loadPicture(loader, u"img/beam_unit.ytx");
    laser_texture = loadPicture(loader, u"img/lazer.ytx");
    setHitParts({{238, 222, 67, 75}, {163, 227, 13, 44}, {241, 123, 52, 16}, {328, 194, 30, 64},
                 {381, 173, 26, 40}, {245, 404, 23, 107}, {213, 436, 12, 73}, {289, 439, 11, 72},
                 {319, 462, 18, 48}});
}

void Sasaki::changeStep() { fadeMove(field_width - stop_distance, bigHeight() / 2, 10); }

void Sasaki::fireRing(int first_angle) {
    firePattern(std::make_unique<RoundBullets>(KIND_ENEMY_ATTACK, field_width, field_height,
                                               byLevel(3, 5, 7), first_angle,
                                               byLevel(10, 30, 36), false),
                bullet_texture.get(), x, y, -1, -1, 3, 3);
    playSound(bullet_sound);
}

void Sasaki::fireBeams(int target_x, int target_y) {
    if (!beam_throttle.pass()) {
        return;
    }
    fireHomingBeams(*this, beam_texture.get(), {10, byLevel(3, 5, 7), 10, 60, 3},
                    {90, 180, 270}, target_x, target_y);
    playSound(beam_sound);
}

void Sasaki::move(int target_x, int target_y) {
    countFrame();
    if (changeIfPinched()) {
        return;
    }
    if (frame % firePeriod == 0) {
        fireRing(move_frame);
        fireBeams(target_x, target_y);
        sweep(move_frame, angle_rising, 0, 90, 5);
    }
}

void Sasaki::pinchMove(int target_x, int target_y) {
    countFrame();
    step += 1;
    if (step % 10 == 0) {
        const int vx = veru::dxt::effect2D::randomInt(-5, -1);
        const int vy = veru::dxt::effect2D::randomInt(1, 5);
        firePattern(std::make_unique<FireBall>(KIND_ENEMY_ATTACK, field_width, field_height, vx,
                                               vy, 5, 1),
                    flare_texture.get(), x - 50, y + 50, -1, -1, 0, 0);
    }
    if (step % 60 == 0) {
        fireBeams(target_x, target_y);
        fireRing(0);
    }
    if (step % 240 == 0) {
        firePattern(std::make_unique<Lazer>(KIND_ENEMY_ATTACK, field_width, field_height,
                                            byLevel(2, 4, 6),
                                            static_cast<float>(byLevel(1, 2, 3)),
                                            byLevel(10, 20, 30), byLevel(30, 60, 90)),
                    laser_texture.get(), x - 55, y - 70, -1, -1, 0, 1);
        playSound(lazer_sound);
    }
    if (step > stepLimit) {
        step = 0;
    }
    // The vertical sweep turns at y 150 and 350.
    sweep(y, moving_down, sweepTop, sweepBottom, 1);
}

}  // namespace ml::shooting::object
