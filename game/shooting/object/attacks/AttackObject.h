#pragma once
// AttackObject: one damaging thing on the field — a bullet, beam segment,
// laser, flame or thrown pan. It belongs to exactly one pattern (ISkill),
// which places, launches, moves and tests it, and borrows the pattern's
// picture.
//
// Drawing: the picture at (x, y), turned to `angle` degrees of the field's
// direction system (0 right, 90 down), only while STATE_ACTIVE.
// Thread: main thread only.

#include "game/shooting/object/ShootingObject.h"

namespace ml::shooting::object {

class AttackObject : public ShootingObject {
  public:
    AttackObject(int kind, int field_width, int field_height);

    void reset() override {}
    // STATE_GONE, frame counter cleared.
    void kill() override;
    void draw(Graphics& graphics) override;
    // STATE_ACTIVE.
    virtual void launch() { state = STATE_ACTIVE; }
    // One frame; true when the attack is STATE_GONE.
    virtual bool update(int target_x, int target_y) = 0;

    bool isCancellable() const { return cancellable; }
    void setCancellable(bool value) { cancellable = value; }
    int getAngle() const { return angle; }
    void setAngle(int value) { angle = value; }
    int getAttackPower() const { return attack_power; }
    void setAttackPower(int value) { attack_power = value; }

  protected:
    bool cancellable = true;
    int angle = 0;
    int attack_power = 0;
};

}  // namespace ml::shooting::object
