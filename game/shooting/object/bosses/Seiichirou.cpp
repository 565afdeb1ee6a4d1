#include "game/shooting/object/bosses/Seiichirou.h"

#include "game/shooting/object/patterns/Lazer.h"

namespace ml::shooting::object {

namespace {

// The laser's thickness and lifetime are this boss's own.
constexpr int laserDirection = 10;
constexpr float laserGrow = 1.0f;
constexpr int laserThickness = 30;
constexpr int laserLifetime = 120;
constexpr int sweepTop = 100;
constexpr int sweepBottom = 350;
constexpr int ringAngle = 180;

}  // namespace

Seiichirou::Seiichirou(int field_width, int field_height, const BossRow& row_)
    : Boss(field_width, field_height, row_) {}

Seiichirou::~Seiichirou() = default;

void Seiichirou::firstPhase(int target_x, int target_y) {
    if (!onBeat()) {
        return;
    }
    fireBeams(target_x, target_y);
    if (extraTurn()) {
        fireRing(ringAngle);
    }
}

void Seiichirou::fireLaser() {
    auto beam = std::make_unique<Lazer>(KIND_ENEMY_ATTACK, field_width, field_height,
                                        laserDirection, laserGrow, laserThickness, laserLifetime);
    laser = beam.get();
    firePattern(std::move(beam), laser_texture.get(), x - 10, y, -1, -1, 0, 1);
    playSound(laser_sound);
}

void Seiichirou::sweepStep() {
    if (cycle_step == SWEEP_UP) {
        y -= 1;
        if (y <= sweepTop) {
            cycle_step = SWEEP_DOWN;
        }
    } else if (cycle_step == SWEEP_DOWN) {
        y += 1;
        if (y >= sweepBottom) {
            cycle_step = RETURN;
        }
    } else {
        y -= 1;
        if (y <= field_height / 2) {
            y = field_height / 2;
            cycle_step = LASER;
        }
    }
}

void Seiichirou::secondPhase(int /*target_x*/, int /*target_y*/) {
    switch (cycle_step) {
        case LASER:
            fireLaser();
            cycle_step = LASER_HELD;
            break;
        case LASER_HELD:
            // A finished laser has been deleted by update earlier in this
            // frame, before anything new was made (only its address is
            // compared here).
            if (!ownsSkill(laser) || laser->allGone()) {
                laser = nullptr;
                cycle_step = BLADES;
                cycle_frame = 0;
            }
            break;
        case BLADES:
            cycle_frame += 1;
            if (onBeat()) {
                fireBlade();
                if (extraTurn()) {
                    fireRing(move_frame);
                }
                sweep(move_frame, angle_rising, 0, 90, 5);
            }
            if (cycle_frame >= bladeFrames) {
                cycle_step = SWEEP_UP;
            }
            break;
        default:
            sweepStep();
            break;
    }
}

}  // namespace ml::shooting::object
