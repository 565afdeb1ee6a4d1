#include "game/shooting/object/attacks/StraightAttack.h"

#include <cmath>

#include "engine/graphics/DegreeTable.h"

namespace ml::shooting::object {

using veru::dxt::DegreeTable;

StraightAttack::StraightAttack(int kind_, int width, int height)
    : AttackObject(kind_, width, height) {}

void StraightAttack::reset() {
    start_x = start_y = 0;
    pos_x = pos_y = vx = vy = ax = ay = 0;
}

bool StraightAttack::update(int, int) {
    if (state == STATE_ACTIVE) {
        vx += ax;
        vy += ay;
        pos_x += vx;
        pos_y += vy;
        x = static_cast<int>(pos_x);
        y = static_cast<int>(pos_y);
        checkOutOfField();
    }
    return state == STATE_GONE;
}

void StraightAttack::setMotion(int px, int py, double velocity_x, double velocity_y, double accel_x,
                               double accel_y) {
    if (velocity_x == 0.0 && velocity_y == 0.0) {
        velocity_x = velocity_y = 1.0;
    }
    start_x = px;
    start_y = py;
    pos_x = px;
    pos_y = py;
    x = px;
    y = py;
    vx = velocity_x;
    vy = velocity_y;
    ax = accel_x;
    ay = accel_y;
}

void StraightAttack::launchByAngle(int px, int py, int direction, double speed, double accel) {
    float c = DegreeTable::cosine(direction);
    float s = DegreeTable::sine(direction);
    setMotion(px, py, speed * c, speed * s, accel * c, accel * s);
}

void StraightAttack::aimAt(int px, int py, int tx, int ty, double speed, double accel) {
    auto a =
        static_cast<float>(std::atan2(static_cast<double>(ty - py), static_cast<double>(tx - px)));
    float c = std::cos(a);
    float s = std::sin(a);
    setMotion(px, py, speed * c, speed * s, accel * c, accel * s);
}

}  // namespace ml::shooting::object
