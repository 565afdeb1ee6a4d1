#pragma once
// EffectSkill: a pattern drawn as a 2D effect instead of attack objects (the
// fire ball and the blade). Its own state stands for the attacks' in
// allStandby / allActive / allGone; while active it deals DAMAGE to a
// hittable target its box overlaps (by the kind rules), every frame they
// overlap, and a bomb cannot cancel it (it has no attacks to cancel).
//
// Thread: main thread only.

#include "game/shooting/object/patterns/ISkill.h"

namespace ml::shooting::object {

class EffectSkill : public ISkill {
  public:
    static constexpr int DAMAGE = 10;

    EffectSkill(int kind, int field_width, int field_height);

    bool allStandby() const override { return state == STATE_STANDBY; }
    bool allActive() const override { return state == STATE_ACTIVE; }
    bool allDying() const override { return false; }
    bool allGone() const override { return state == STATE_GONE; }
    bool hitTarget(ShootingObject& target) override;
    void cancelAll() override { state = STATE_GONE; }

    int getState() const { return state; }
    // The box that hits.
    virtual HitRect getHitRect() const = 0;

  protected:
    int state = STATE_STANDBY;
};

}  // namespace ml::shooting::object
