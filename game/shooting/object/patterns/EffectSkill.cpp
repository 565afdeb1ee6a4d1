#include "game/shooting/object/patterns/EffectSkill.h"

namespace ml::shooting::object {

EffectSkill::EffectSkill(int kind_, int width, int height) : ISkill(kind_, width, height, false) {}

bool EffectSkill::hitTarget(ShootingObject& target) {
    if (state != STATE_ACTIVE || !ShootingObject::kindsMayCollide(kind, target.getKind()) ||
        !isHittableState(target.getState()) || !getHitRect().overlaps(target.getHitRect())) {
        return false;
    }
    target.damage(DAMAGE);
    return true;
}

}  // namespace ml::shooting::object
