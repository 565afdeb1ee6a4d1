#include "game/shooting/object/enemies/LaserBat.h"

namespace ml::shooting::object {

void LaserBat::move(int target_x, int target_y) {
    countMove();
    if (!done) {
        if (volleys_fired == 0) {
            if (move_frame == stopFrame) {
                speed = 0;
                fireAll(target_x, target_y);
                volleys_fired = 1;
            }
        } else {
            const std::size_t laser = laserIndex();
            const bool waited =
                laser < skills.size() ? skills[laser]->allGone() : move_frame >= leaveFrame;
            if (waited) {
                speed = backsAway() ? -(base_speed / 2) : base_speed;
                clearMoveFrame();
                done = true;
            }
        }
    }
    flyOn();
}

}  // namespace ml::shooting::object
