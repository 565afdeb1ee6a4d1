#include "game/shooting/object/patterns/EnemyBullets.h"

#include "game/shooting/object/attacks/StraightAttack.h"

namespace ml::shooting::object {

namespace {
constexpr int kEasy[] = {210, 180, 150};
constexpr int kNormal[] = {210, 195, 180, 165, 150};
constexpr int kHard[] = {240, 220, 200, 180, 160, 140, 120};
}  // namespace

std::span<const int> EnemyBullets::directionsFor(int level) {
    switch (level) {
        case LEVEL_1:
            return kEasy;
        case LEVEL_2:
            return kNormal;
        case LEVEL_3:
            return kHard;
        default:
            return {};
    }
}

EnemyBullets::EnemyBullets(int kind_, int width, int height, double bullet_speed, bool turn,
                           int level)
    : ISkill(kind_, width, height, true),
      speed(bullet_speed),
      rotate(turn),
      directions(directionsFor(level)) {
    for (std::size_t i = 0; i < directions.size(); ++i) {
        attacks.push_back(std::make_unique<StraightAttack>(kind, field_width, field_height));
    }
}

void EnemyBullets::prepare(int margin_x, int margin_y) {
    for (std::size_t i = 0; i < attacks.size(); ++i) {
        auto& bullet = static_cast<StraightAttack&>(*attacks[i]);
        dress(bullet, margin_x, margin_y);
        bullet.launchByAngle(x, y, directions[i], speed, 0);
        bullet.setAngle(rotate ? directions[i] : 0);
    }
}

}  // namespace ml::shooting::object
