#include "game/shooting/object/patterns/Lazer.h"

#include "game/shooting/object/attacks/LazerObject.h"

namespace ml::shooting::object {

Lazer::Lazer(int kind_, int width, int height, int direction, float grow_step, int thickness_max,
             int lifetime)
    : ISkill(kind_, width, height, false) {
    attacks.push_back(std::make_unique<LazerObject>(kind, field_width, field_height, direction,
                                                    grow_step, thickness_max, lifetime));
}

LazerObject& Lazer::beam() const {
    return static_cast<LazerObject&>(*attacks.front());
}

void Lazer::prepare(int margin_x, int margin_y) {
    LazerObject& lazer = beam();
    lazer.reset();
    lazer.clearFrame();
    lazer.setState(STATE_STANDBY);
    lazer.setPosition(x, y);
    dress(lazer, margin_x, margin_y);
    lazer.saveHitArea();
}

}  // namespace ml::shooting::object
