#include "game/shooting/object/bosses/Sasaki.h"

#include "engine/effects/Random.h"
#include "game/shooting/object/patterns/FireBall.h"
#include "game/shooting/object/patterns/Lazer.h"

namespace ml::shooting::object {

namespace {

constexpr int sweepTop = 150;
constexpr int sweepBottom = 350;

}  // namespace

Sasaki::Sasaki(int field_width, int field_height, const BossRow& row_)
    : Boss(field_width, field_height, row_) {}

Sasaki::~Sasaki() = default;

void Sasaki::firstPhase(int target_x, int target_y) {
    if (!onBeat()) {
        return;
    }
    fireRing(move_frame);
    playSound(bullet_sound);
    if (extraTurn()) {
        fireBeams(target_x, target_y);
    }
    sweep(move_frame, angle_rising, 0, 90, 5);
}

void Sasaki::secondPhase(int target_x, int target_y) {
    step += 1;
    const int fire_ball_period = byLevel(row->fire_balls.period);
    if (fire_ball_period > 0 && step % fire_ball_period == 0) {
        // Down and to the left.
        const int fastest = byLevel(row->fire_balls.fastest);
        const int vx = veru::dxt::effect2D::randomInt(-fastest, -1);
        const int vy = veru::dxt::effect2D::randomInt(1, fastest);
        firePattern(
            std::make_unique<FireBall>(KIND_ENEMY_ATTACK, field_width, field_height, vx, vy, 5, 1),
            flare_texture.get(), x - 50, y + 50, -1, -1, 0, 0);
    }
    if (step % 60 == 0) {
        if (extraTurn()) {
            fireBeams(target_x, target_y);
        }
        fireRing(0);
        playSound(bullet_sound);
    }
    if (step % 240 == 0) {
        firePattern(std::make_unique<Lazer>(KIND_ENEMY_ATTACK, field_width, field_height,
                                            byLevel(2, 4, 6), static_cast<float>(byLevel(1, 2, 3)),
                                            byLevel(10, 20, 30), byLevel(30, 60, 90)),
                    laser_texture.get(), x - 55, y - 70, -1, -1, 0, 1);
        playSound(laser_sound);
    }
    if (step > stepLimit) {
        step = 0;
    }
    // The vertical sweep turns at y 150 and 350, or sooner where the body
    // would leave the field.
    const int top = keepBodyY(sweepTop);
    const int bottom = keepBodyY(sweepBottom);
    if (top < bottom) {
        sweep(y, moving_down, top, bottom, 1);
    }
}

}  // namespace ml::shooting::object
