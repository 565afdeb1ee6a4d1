#include "game/shooting/object/patterns/RoundBullets.h"

#include "game/shooting/object/attacks/StraightAttack.h"

namespace ml::shooting::object {

RoundBullets::RoundBullets(int kind_, int width, int height, double bullet_speed, int first,
                           int count, bool turn)
    : ISkill(kind_, width, height, true),
      speed(bullet_speed),
      first_angle(first),
      step(count > 0 ? static_cast<int>(360.0 / count) : 0),
      rotate(turn) {
    for (int i = 0; i < count; ++i) {
        attacks.push_back(std::make_unique<StraightAttack>(kind, field_width, field_height));
    }
}

int RoundBullets::directionOf(int i) const {
    int direction = first_angle + step * i;
    if (direction >= 360) {
        direction -= 360;
    }
    return direction;
}

void RoundBullets::prepare(int margin_x, int margin_y) {
    for (std::size_t i = 0; i < attacks.size(); ++i) {
        auto& bullet = static_cast<StraightAttack&>(*attacks[i]);
        dress(bullet, margin_x, margin_y);
        int direction = directionOf(static_cast<int>(i));
        bullet.launchByAngle(x, y, direction, speed, 0);
        bullet.setAngle(rotate ? direction : 0);
    }
}

}  // namespace ml::shooting::object
