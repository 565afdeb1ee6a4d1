#include "game/shooting/object/patterns/StrongBullets.h"

namespace ml::shooting::object {

namespace {
// clang-format off
// columns: heights, half heights, aimable, direction, single margin
constexpr BulletSlot kStrong[] = {
    { -1,   0,  true,    0, false},
    {  0,   0,  true,    0, false},
    {  1,   0,  true,    0, false},
    { -1,   0, false,  -30,  true},
    { -1,   0, false,  -15,  true},
    {  1,   0, false,   15,  true},
    {  1,   0, false,   30,  true},
};
// clang-format on
}  // namespace

StrongBullets::StrongBullets(int kind_, int width, int height, double speed)
    : FormationBullets(kind_, width, height, speed, kStrong) {}

}  // namespace ml::shooting::object
