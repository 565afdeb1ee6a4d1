#include "game/shooting/object/bosses/Sister.h"

#include <array>

#include "engine/effects/Random.h"
#include "game/shooting/object/patterns/FireBall.h"
#include "game/shooting/object/patterns/SpecialFlyingPan.h"
#include "game/shooting/object/patterns/ThrustFlyingPan.h"

namespace ml::shooting::object {

namespace {

constexpr std::array<int, 3> panAngles{220, 180, 140};
constexpr int panSpeed = 10;
constexpr int ringPeriod = 60;
constexpr int fireBallY = 450;
constexpr std::array<int, 13> fireBallXs{400, 430, 370, 365, 370, 380, 430,
                                         450, 375, 360, 405, 380, 450};

}  // namespace

Sister::Sister(int field_width, int field_height, const BossRow& row_)
    : Boss(field_width, field_height, row_) {}

Sister::~Sister() = default;

void Sister::throwPan(int angle) {
    firePattern(std::make_unique<ThrustFlyingPan>(KIND_ENEMY_ATTACK, field_width, field_height,
                                                  panSpeed, angle, byLevel(60, 50, 60)),
                pan_texture.get(), x, y, -1, -1, 5, 5);
}

void Sister::throwPans() {
    const int in_turn = throws % 4;
    throws += 1;
    if (in_turn < 3) {
        throwPan(panAngles[static_cast<std::size_t>(in_turn)]);
        playSound(swing_sound);
        return;
    }
    for (int angle : panAngles) {
        throwPan(angle);
    }
    playSound(big_swing_sound);
    fireRing((30 * throws) % 360);
    playSound(bullet_sound);
    charge_step = 1;
    charge_frame = 0;
    charge_from = x;
}

void Sister::charge() {
    charge_frame += 1;
    if (charge_step == 1) {
        x -= 1;
        if (charge_frame >= chargeFrames || x <= field_width / 3) {
            charge_step = 2;
            charge_frame = 0;
        }
        return;
    }
    x += 3;
    if (charge_frame % fire_period == 0) {
        fireRing((30 * throws) % 360);
        playSound(bullet_sound);
    }
    if (x >= charge_from) {
        x = charge_from;
        charge_step = 0;
        clearFrame();
    }
}

void Sister::firstPhase(int /*target_x*/, int /*target_y*/) {
    if (charge_step != 0) {
        charge();
    } else if (onBeat()) {
        throwPans();
    }
}

void Sister::secondPhase(int /*target_x*/, int /*target_y*/) {
    if (pinch_frame == 0) {
        auto pan = std::make_unique<SpecialFlyingPan>(KIND_ENEMY_ATTACK, field_width, field_height,
                                                      field_height);
        firePattern(std::move(pan), pan_texture.get(), x, y, -1, -1, 5, 5);
        playSound(big_swing_sound);
    }
    // Counted apart from the frame counter, which wraps: the pause before the
    // fire balls comes once.
    if (pinch_frame <= fireBallDelay) {
        pinch_frame += 1;
        return;
    }
    const int fire_ball_period = byLevel(row->fire_balls.period);
    if (fire_ball_period > 0 && frame % fire_ball_period == 0) {
        // Up and to the left; at a fastest drift of 1 nothing is drawn.
        int vx = -1;
        int vy = -1;
        const int fastest = byLevel(row->fire_balls.fastest);
        if (fastest > 1) {
            vx = veru::dxt::effect2D::randomInt(-fastest, -1);
            vy = veru::dxt::effect2D::randomInt(-fastest, -1);
        }
        const int spot = fireBallXs[static_cast<std::size_t>(fire_balls) % fireBallXs.size()];
        fire_balls += 1;
        firePattern(
            std::make_unique<FireBall>(KIND_ENEMY_ATTACK, field_width, field_height, vx, vy, 5, 1),
            flare_texture.get(), spot, fireBallY, -1, -1, 0, 0);
    }
    if (frame % ringPeriod == 0) {
        fireRing(ring_angle);
        playSound(bullet_sound);
        ring_angle = (ring_angle + 30) % 360;
    }
}

}  // namespace ml::shooting::object
