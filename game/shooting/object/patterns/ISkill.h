#pragma once
// ISkill: one volley or attack pattern. It owns a fixed set of attack
// objects, gives them their start positions and velocities when fired,
// moves them every frame, draws them and tests them against a target.
//
// A skill whose attacks are all STATE_STANDBY has not fired yet; one whose
// attacks are all STATE_GONE is finished and may be deleted. Patterns built
// once may be fired again: fire re-places the same attacks.
//
// Every attack carries the skill's kind, and attacks never change the
// collision test, so the hit tests settle the kind rules once per skill.
//
// Ownership: owns its attacks; the picture given to fire is borrowed and
// must outlive the skill (it is the character's bullet texture).
// Thread: main thread only.
// Failure: fire without a picture throws NullPointerException
// "テクスチャがセットされていません。" from the attacks' hit areas.

#include <memory>
#include <vector>

#include "game/shooting/object/attacks/AttackObject.h"

namespace ml::shooting::object {

class ISkill {
  public:
    using Attacks = std::vector<std::unique_ptr<AttackObject>>;

    ISkill(int kind, int field_width, int field_height, bool vanish_on_hit);
    virtual ~ISkill();
    ISkill(const ISkill&) = delete;
    ISkill& operator=(const ISkill&) = delete;

    virtual bool allStandby() const;
    virtual bool allActive() const;
    virtual bool allDying() const;
    virtual bool allGone() const;
    // Stores the picture, origin and aim point (both negative: no target),
    // then prepare(margin_x, margin_y).
    virtual void fire(Texture* picture, int origin_x, int origin_y, int aim_x, int aim_y,
                      int margin_x, int margin_y);
    // The bomb: for a KIND_BOMB_ATTACK skill, every live attack of `other`
    // that one of ours touches is counted and, when cancellable, killed.
    // 0 for any other kind of skill.
    virtual int cancelBullets(ISkill& other);
    // Every active attack that hits `target` deals its power (and is killed
    // when vanish_on_hit); true when anything hit.
    virtual bool hitTarget(ShootingObject& target);
    virtual void launchAll();
    // Places and aims the attacks.
    virtual void prepare(int margin_x, int margin_y) = 0;
    // Every attack's update in order; true when all are gone.
    virtual bool update(int aim_x, int aim_y);
    bool updateFree() { return update(-1, -1); }
    // Every active attack in order.
    virtual void draw(Graphics& graphics);
    // Every attack STATE_GONE (also what an enemy does with patterns that
    // never fired when it dies).
    virtual void cancelAll();
    // Every attack not launched yet (still STATE_STANDBY) becomes gone; those
    // in flight fly on. For an owner that will never fire again.
    void cancelUnlaunched();

    void setPower(int n);
    const Attacks& getAttacks() const { return attacks; }
    int getKind() const { return kind; }
    bool vanishesOnHit() const { return vanish_on_hit; }
    int getX() const { return x; }
    int getY() const { return y; }
    int getTargetX() const { return target_x; }
    int getTargetY() const { return target_y; }
    Texture* getTexture() const { return texture; }
    bool hasTarget() const { return target_x >= 0 || target_y >= 0; }

  protected:
    // Gives attack `a` the skill's picture and its hit area with the margins.
    void dress(AttackObject& a, int margin_x, int margin_y) const;

    int kind;
    bool vanish_on_hit;
    int field_width;
    int field_height;
    int x = 0;
    int y = 0;
    int target_x = -1;
    int target_y = -1;
    Texture* texture = nullptr;
    int reserved = 0;
    Attacks attacks;
};

}  // namespace ml::shooting::object
