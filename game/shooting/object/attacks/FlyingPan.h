#pragma once
// FlyingPan: a thrown pan moving a whole number of pixels a frame for a
// fixed number of frames. It is never tested against the field's edges and
// cannot be cancelled by a bomb.
//
// Thread: main thread only.

#include "game/shooting/object/attacks/AttackObject.h"

namespace ml::shooting::object {

class FlyingPan : public AttackObject {
  public:
    FlyingPan(int kind, int field_width, int field_height, int lifetime);

    // Killed on the active update whose frame count reaches the lifetime;
    // the update after that (the one that finds it gone) returns true.
    bool update(int target_x, int target_y) override;
    // Position and velocity; the lifetime starts again.
    void setup(int px, int py, int velocity_x, int velocity_y);

    int getVx() const { return vx; }
    int getVy() const { return vy; }
    int getLifetime() const { return lifetime; }

  private:
    int vx = 0;
    int vy = 0;
    int lifetime;
};

}  // namespace ml::shooting::object
