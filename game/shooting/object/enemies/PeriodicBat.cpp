#include "game/shooting/object/enemies/PeriodicBat.h"

#include "game/shooting/object/enemies/BatPatterns.h"

namespace ml::shooting::object {

void PeriodicBat::move(int target_x, int target_y) {
    countMove();
    if (move_frame >= getPeriod()) {
        const BatPattern& pattern = row.patterns[0];
        auto ball = makeBatPattern(pattern, 0, difficulty, field_width, field_height);
        ball->fire(bullet_texture.get(), x, y, -1, -1, pattern.marginX, pattern.marginY);
        ball->setPower(1);
        ball->launchAll();
        // Fire balls that have drifted off the field make room for new ones.
        std::erase_if(skills,
                      [](const std::unique_ptr<ISkill>& skill) { return skill->allGone(); });
        skills.push_back(std::move(ball));
        volleys_fired += 1;
        clearMoveFrame();
    }
    (void)target_x;
    (void)target_y;
    flyOn();
}

}  // namespace ml::shooting::object
