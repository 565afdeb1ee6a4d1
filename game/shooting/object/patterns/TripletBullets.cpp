#include "game/shooting/object/patterns/TripletBullets.h"

namespace ml::shooting::object {

namespace {
// clang-format off
// columns: heights, half heights, aimable, direction, single margin
constexpr BulletSlot kTriplet[] = {
    { -1,   0,  true,    0, false},
    {  0,   0,  true,    0, false},
    {  1,   0,  true,    0, false},
};
// clang-format on
}  // namespace

TripletBullets::TripletBullets(int kind_, int width, int height, double speed)
    : FormationBullets(kind_, width, height, speed, kTriplet) {}

}  // namespace ml::shooting::object
