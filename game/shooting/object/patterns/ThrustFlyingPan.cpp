#include "game/shooting/object/patterns/ThrustFlyingPan.h"

#include "engine/graphics/DegreeTable.h"
#include "game/shooting/object/attacks/FlyingPan.h"

namespace ml::shooting::object {

using veru::dxt::DegreeTable;

ThrustFlyingPan::ThrustFlyingPan(int kind_, int width, int height, double pan_speed, int direction,
                                 int lifetime)
    : ISkill(kind_, width, height, true), speed(pan_speed), angle(direction) {
    attacks.push_back(std::make_unique<FlyingPan>(kind, field_width, field_height, lifetime));
}

void ThrustFlyingPan::prepare(int margin_x, int margin_y) {
    auto& pan = static_cast<FlyingPan&>(*attacks.front());
    dress(pan, margin_x, margin_y);
    pan.setup(x, y, static_cast<int>(speed * DegreeTable::cosine(angle)),
              static_cast<int>(speed * DegreeTable::sine(angle)));
}

}  // namespace ml::shooting::object
