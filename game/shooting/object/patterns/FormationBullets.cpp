#include "game/shooting/object/patterns/FormationBullets.h"

#include <algorithm>

#include "engine/material/Texture.h"
#include "game/shooting/object/attacks/StraightAttack.h"

namespace ml::shooting::object {

FormationBullets::FormationBullets(int kind_, int width, int height, double bullet_speed,
                                   std::span<const BulletSlot> table)
    : ISkill(kind_, width, height, true), speed(bullet_speed), slots(table.begin(), table.end()) {
    for (std::size_t i = 0; i < slots.size(); ++i) {
        attacks.push_back(std::make_unique<StraightAttack>(kind, field_width, field_height));
    }
}

void FormationBullets::prepare(int margin_x, int margin_y) {
    int single = std::min(margin_x, margin_y);
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const BulletSlot& slot = slots[i];
        auto& bullet = static_cast<StraightAttack&>(*attacks[i]);
        if (slot.single_margin) {
            dress(bullet, single, single);
        } else {
            dress(bullet, margin_x, margin_y);
        }
        int h = texture->getCellHeight();
        int start_y = y + slot.heights * h + slot.half_heights * (h / 2);
        if (slot.aimable && hasTarget()) {
            bullet.aimAt(x, start_y, target_x, target_y, speed, 0);
        } else if (slot.direction != 0) {
            bullet.launchByAngle(x, start_y, slot.direction, speed, 0);
        } else {
            bullet.setMotion(x, start_y, speed, 0, 0, 0);
        }
    }
}

}  // namespace ml::shooting::object
