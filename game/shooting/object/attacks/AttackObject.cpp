#include "game/shooting/object/attacks/AttackObject.h"

#include "engine/graphics/DirectGraphics.h"

namespace ml::shooting::object {

AttackObject::AttackObject(int kind_, int width, int height)
    : ShootingObject(kind_, width, height, false) {}

void AttackObject::kill() {
    state = STATE_GONE;
    clearFrame();
}

void AttackObject::draw(Graphics& graphics) {
    if (state != STATE_ACTIVE || texture == nullptr) {
        return;
    }
    // Sprites turn counter-clockwise on the screen while field directions
    // turn clockwise (y points down): the opposite angle points the picture
    // where the attack flies.
    graphics.queueSprite(texture, x, y, -angle);
}

}  // namespace ml::shooting::object
