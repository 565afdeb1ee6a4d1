#include "game/shooting/object/patterns/TwinBullets.h"

namespace ml::shooting::object {

namespace {
// clang-format off
// columns: heights, half heights, aimable, direction, single margin
constexpr BulletSlot kTwin[] = {
    {  0,  -1,  true,    0, false},
    {  1,  -1,  true,    0, false},
};
// clang-format on
}  // namespace

TwinBullets::TwinBullets(int kind_, int width, int height, double speed)
    : FormationBullets(kind_, width, height, speed, kTwin) {}

}  // namespace ml::shooting::object
