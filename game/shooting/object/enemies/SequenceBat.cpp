#include "game/shooting/object/enemies/SequenceBat.h"

namespace ml::shooting::object {

void SequenceBat::move(int target_x, int target_y) {
    countMove();
    if (!done) {
        const int volleys = static_cast<int>(skills.size());
        if (volleys_fired == 0 && move_frame == stopFrame) {
            speed = 0;
            aim_x = target_x;
            aim_y = target_y;
            fireSkill(0, target_x, target_y);
            volleys_fired = 1;
            clearFrame();
        } else if (volleys_fired > 0 && volleys_fired < volleys && frame == row.interval) {
            fireSkill(static_cast<std::size_t>(volleys_fired), target_x, target_y);
            volleys_fired += 1;
            clearFrame();
        } else if (volleys_fired > 0 && volleys_fired >= volleys) {
            speed = base_speed;
            clearMoveFrame();
            done = true;
        }
    }
    flyOn();
}

}  // namespace ml::shooting::object
