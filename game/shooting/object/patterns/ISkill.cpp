#include "game/shooting/object/patterns/ISkill.h"

#include <algorithm>

namespace ml::shooting::object {

namespace {
template <typename Pred>
bool every(const ISkill::Attacks& attacks, Pred pred) {
    return std::all_of(attacks.begin(), attacks.end(),
                       [&](const std::unique_ptr<AttackObject>& a) { return pred(*a); });
}
}  // namespace

ISkill::ISkill(int kind_, int width, int height, bool vanish)
    : kind(kind_), vanish_on_hit(vanish), field_width(width), field_height(height) {}

ISkill::~ISkill() = default;

bool ISkill::allStandby() const {
    return every(attacks, [](const AttackObject& a) { return a.getState() == STATE_STANDBY; });
}

bool ISkill::allActive() const {
    return every(attacks, [](const AttackObject& a) { return a.getState() == STATE_ACTIVE; });
}

bool ISkill::allDying() const {
    return every(attacks, [](const AttackObject& a) { return a.getState() == STATE_DYING; });
}

bool ISkill::allGone() const {
    return every(attacks, [](const AttackObject& a) { return a.getState() == STATE_GONE; });
}

void ISkill::fire(Texture* picture, int origin_x, int origin_y, int aim_x, int aim_y, int margin_x,
                  int margin_y) {
    texture = picture;
    x = origin_x;
    y = origin_y;
    target_x = aim_x;
    target_y = aim_y;
    prepare(margin_x, margin_y);
}

int ISkill::cancelBullets(ISkill& other) {
    if (kind != KIND_BOMB_ATTACK) {
        return 0;
    }
    int count = 0;
    for (auto& own : attacks) {
        if (own->getState() != STATE_ACTIVE) {
            continue;
        }
        for (auto& q : other.attacks) {
            if (q->getState() != STATE_GONE && own->collides(*q)) {
                if (q->isCancellable()) {
                    q->kill();
                }
                ++count;
            }
        }
    }
    return count;
}

bool ISkill::hitTarget(ShootingObject& target) {
    // Every attack has the skill's kind, so the kind rule and the target's
    // rectangle are settled once; a hit that kills the target ends the test.
    if (!ShootingObject::kindsMayCollide(kind, target.getKind()) ||
        !isHittableState(target.getState())) {
        return false;
    }
    HitRect box = target.getHitRect();
    bool hit = false;
    for (auto& a : attacks) {
        if (a->getState() != STATE_ACTIVE || !a->getHitRect().overlaps(box)) {
            continue;
        }
        if (vanish_on_hit) {
            a->kill();
        }
        target.damage(a->getAttackPower());
        hit = true;
        if (!isHittableState(target.getState())) {
            break;
        }
        box = target.getHitRect();
    }
    return hit;
}

void ISkill::launchAll() {
    for (auto& a : attacks) {
        a->launch();
    }
}

bool ISkill::update(int aim_x, int aim_y) {
    for (auto& a : attacks) {
        a->update(aim_x, aim_y);
    }
    return allGone();
}

void ISkill::draw(Graphics& graphics) {
    for (auto& a : attacks) {
        a->draw(graphics);
    }
}

void ISkill::cancelAll() {
    for (auto& a : attacks) {
        a->setState(STATE_GONE);
    }
}

void ISkill::cancelUnlaunched() {
    if (allStandby()) {
        cancelAll();  // also a pattern with no attack objects of its own
        return;
    }
    for (auto& a : attacks) {
        if (a->getState() == STATE_STANDBY) {
            a->setState(STATE_GONE);
        }
    }
}

void ISkill::setPower(int n) {
    for (auto& a : attacks) {
        a->setAttackPower(n);
    }
}

void ISkill::dress(AttackObject& a, int margin_x, int margin_y) const {
    a.setTexture(texture);
    a.setHitAreaFromTexture(margin_x, margin_y);
}

}  // namespace ml::shooting::object
