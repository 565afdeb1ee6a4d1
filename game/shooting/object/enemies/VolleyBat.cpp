#include "game/shooting/object/enemies/VolleyBat.h"

namespace ml::shooting::object {

void VolleyBat::move(int target_x, int target_y) {
    countMove();
    if (!done) {
        if (move_frame == stopFrame) {
            speed = 0;
            fireAll(target_x, target_y);
            volleys_fired = 1;
        } else if (move_frame == leaveFrame) {
            speed = base_speed;
            clearMoveFrame();
            done = true;
        }
    }
    flyOn();
}

}  // namespace ml::shooting::object
