#pragma once
// FormationBullets: the shared behaviour of the player's shot patterns (and
// the enemies' straight shots) — a fixed formation of straight bullets, each
// slot starting a number of picture heights above or below the origin and
// flying straight right, at the target, or along a fixed direction.
//
// The five patterns differ only in their slot tables (StraightBullets,
// TwinBullets, TripletBullets, QuintupletBullets, StrongBullets).
// Thread: main thread only.

#include <span>
#include <vector>

#include "game/shooting/object/patterns/ISkill.h"

namespace ml::shooting::object {

struct BulletSlot {
    // Start y = origin + heights x h + half_heights x (h / 2), h the picture's cell height.
    int heights;
    int half_heights;
    // Aimed at the target when there is one; otherwise, and for slots that are
    // never aimed, along `direction` (0: straight right).
    bool aimable;
    int direction;
    // Hit area with the single margin min(margin_x, margin_y).
    bool single_margin;
};

class FormationBullets : public ISkill {
  public:
    FormationBullets(int kind, int field_width, int field_height, double speed,
                     std::span<const BulletSlot> slots);

    void prepare(int margin_x, int margin_y) override;

    double getSpeed() const { return speed; }

  private:
    double speed;
    std::vector<BulletSlot> slots;
};

}  // namespace ml::shooting::object
