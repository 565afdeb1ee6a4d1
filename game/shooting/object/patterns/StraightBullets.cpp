#include "game/shooting/object/patterns/StraightBullets.h"

#include <array>

namespace ml::shooting::object {

namespace {
BulletSlot single(int angle) {
    return {0, 0, true, angle, false};
}
}  // namespace

StraightBullets::StraightBullets(int kind_, int width, int height, double speed, int angle)
    : FormationBullets(kind_, width, height, speed,
                       std::span<const BulletSlot>(std::array{single(angle)})) {}

}  // namespace ml::shooting::object
