#include "game/shooting/object/patterns/QuintupletBullets.h"

namespace ml::shooting::object {

namespace {
// clang-format off
// columns: heights, half heights, aimable, direction, single margin
constexpr BulletSlot kQuintuplet[] = {
    { -1,   0,  true,    0, false},
    {  0,   0,  true,    0, false},
    {  1,   0,  true,    0, false},
    { -1,   0, false,  -30, false},
    {  1,   0, false,   30, false},
};
// clang-format on
}  // namespace

QuintupletBullets::QuintupletBullets(int kind_, int width, int height, double speed)
    : FormationBullets(kind_, width, height, speed, kQuintuplet) {}

}  // namespace ml::shooting::object
