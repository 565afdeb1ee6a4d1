#include "game/shooting/object/attacks/FlyingPan.h"

namespace ml::shooting::object {

FlyingPan::FlyingPan(int kind_, int width, int height, int life)
    : AttackObject(kind_, width, height), lifetime(life) {
    cancellable = false;
}

bool FlyingPan::update(int, int) {
    if (state == STATE_GONE) {
        return true;
    }
    if (state == STATE_ACTIVE) {
        countFrame();
        x += vx;
        y += vy;
        if (frame >= lifetime) {
            kill();
        }
    }
    return false;
}

void FlyingPan::setup(int px, int py, int velocity_x, int velocity_y) {
    setPosition(px, py);
    vx = velocity_x;
    vy = velocity_y;
    clearFrame();
}

}  // namespace ml::shooting::object
