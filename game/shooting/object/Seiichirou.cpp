#include "game/shooting/object/Seiichirou.h"

#include "engine/sound/SoundManger.h"
#include "game/shooting/object/BossAttacks.h"
#include "game/shooting/object/Lazer.h"
#include "game/shooting/object/RoundBullets.h"

namespace ml::shooting::object {

namespace {

// The laser's thickness and lifetime are this boss's own.
constexpr int laserDirection = 10;
constexpr float laserGrow = 1.0f;
constexpr int laserThickness = 30;
constexpr int laserLifetime = 120;
constexpr int sweepTop = 100;
constexpr int sweepBottom = 350;

}  // namespace

Seiichirou::Seiichirou(int field_width, int field_height)
    : Boss(field_width, field_height, 1800, 0.34) {
    score = 500000;
    setLevel(LEVEL_1);
}

Seiichirou::~Seiichirou() = default;

void Seiichirou::applyLevel(int level_) {
    Boss::applyLevel(level_);
    fire_period = byLevel(80, 60, 40);
}

void Seiichirou::loadSounds(SoundManger& manager) {
    loadVoices(manager, {});
    beam_sound = manager.getSound(veru::YString(u"sound/beam.wav"));
    lazer_sound = manager.getSound(veru::YString(u"sound/lazer.wav"));
    slush_sound = manager.getSound(veru::YString(u"sound/slush.wav"));
}

void Seiichirou::loadTextures(VideoDevice* loader) {
    loadPictures(loader, {.picture = u"img/seiichirou.ytx",
                          .battle = u"img/seiichirou_battle.ytx",
                          .damage = u"img/seiichirou_damage.ytx",
                          .change = u"img/seiichirou.ytx",
                          .bullets = u"img/arc_ice.ytx"});
    blade_texture = loadPicture(loader, u"img/slush_blue.ytx");
    beam_texture = loadPicture(loader, u"img/beam_unit.ytx");
    laser_texture = loadPicture(loader, u"img/lazer.ytx");
    setHitParts({{60, 28, 15, 15}, {64, 82, 8, 36}});
}

void Seiichirou::fireRing(int first_angle) {
    if (!ring_throttle.pass()) {
        return;
    }
    firePattern(std::make_unique<RoundBullets>(KIND_ENEMY_ATTACK, field_width, field_height,
                                               byLevel(5, 10, 12), first_angle,
                                               byLevel(10, 15, 20), false),
                bullet_texture.get(), x, y, -1, -1, 3, 3);
}

void Seiichirou::move(int target_x, int target_y) {
    countFrame();
    if (changeIfPinched()) {
        fire_period /= 2;
        cycle_step = LASER;
        return;
    }
    if (frame % 5 == 0) {
        animate();
    }
    if (fire_period > 0 && frame % fire_period == 0) {
        fireHomingBeams(*this, beam_texture.get(), {7, byLevel(3, 5, 7), 10, 30, 2},
                        {135, 180, 225}, target_x, target_y);
        playSound(beam_sound);
        fireRing(180);
    }
    bob(3);
}

void Seiichirou::pinchMove(int /*target_x*/, int /*target_y*/) {
    countFrame();
    if (frame % 5 == 0) {
        animate();
    }
    switch (cycle_step) {
        case LASER: {
            auto beam = std::make_unique<Lazer>(KIND_ENEMY_ATTACK, field_width, field_height,
                                                laserDirection, laserGrow, laserThickness,
                                                laserLifetime);
            laser = beam.get();
            firePattern(std::move(beam), laser_texture.get(), x - 10, y, -1, -1, 0, 1);
            playSound(lazer_sound);
            cycle_step = LASER_HELD;
            break;
        }
        case LASER_HELD:
            // A finished laser has been deleted by update (only its address is
            // compared here).
            if (!ownsSkill(laser) || laser->allGone()) {
                laser = nullptr;
                cycle_step = BLADES;
                cycle_frame = 0;
            }
            break;
        case BLADES:
            cycle_frame += 1;
            if (fire_period > 0 && frame % fire_period == 0) {
                fireBlade(*this, blade_texture.get(), blades.next(), byLevel(15, 15, 20),
                          byLevel(35, 30, 30));
                playSound(slush_sound);
                fireRing(move_frame);
                sweep(move_frame, angle_rising, 0, 90, 5);
            }
            if (cycle_frame >= bladeFrames) {
                cycle_step = SWEEP_UP;
            }
            break;
        case SWEEP_UP:
            y -= 1;
            if (y <= sweepTop) {
                cycle_step = SWEEP_DOWN;
            }
            break;
        case SWEEP_DOWN:
            y += 1;
            if (y >= sweepBottom) {
                cycle_step = RETURN;
            }
            break;
        default:
            y -= 1;
            if (y <= field_height / 2) {
                y = field_height / 2;
                cycle_step = LASER;
            }
            break;
    }
}

}  // namespace ml::shooting::object
