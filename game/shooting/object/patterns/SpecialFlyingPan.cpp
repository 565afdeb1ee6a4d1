#include "game/shooting/object/patterns/SpecialFlyingPan.h"

#include "engine/material/Texture.h"
#include "game/shooting/object/attacks/ManualFlyingPan.h"

namespace ml::shooting::object {

namespace {
// Frames of one sway before the pan turns round.
constexpr int kSwayFrames = 50;
}  // namespace

SpecialFlyingPan::SpecialFlyingPan(int kind_, int width, int height, int floor)
    : ISkill(kind_, width, height, false), floor_line(floor) {
    attacks.push_back(std::make_unique<ManualFlyingPan>(kind, field_width, field_height));
}

ManualFlyingPan& SpecialFlyingPan::pan() const {
    return static_cast<ManualFlyingPan&>(*attacks.front());
}

void SpecialFlyingPan::prepare(int margin_x, int margin_y) {
    ManualFlyingPan& p = pan();
    dress(p, margin_x, margin_y);
    p.setPosition(x, y);
    phase = 0;
    sway_count = 0;
    sway_back = false;
}

bool SpecialFlyingPan::update(int, int) {
    ManualFlyingPan& p = pan();
    if (p.getState() != STATE_ACTIVE) {
        return false;
    }
    switch (phase) {
        case 0:  // rising
            p.setPosition(p.getX() - 1, p.getY() - 2);
            if (p.getY() < 0) {
                phase = 1;
            }
            break;
        case 1:  // dropping to the floor line
            p.setY(p.getY() + 5);
            if (p.getY() + p.getTexture()->getCellHeight() / 2 > floor_line) {
                phase = 2;
            }
            break;
        default:  // swaying
            p.setX(p.getX() + (sway_back ? -1 : 1));
            if (++sway_count > kSwayFrames - 1) {
                sway_count = 0;
                sway_back = !sway_back;
            }
            break;
    }
    return false;
}

}  // namespace ml::shooting::object
