#pragma once
// BeamObject: one segment of a homing beam chain (LeadBeam), placed by its
// pattern every frame and drawn turned to its direction.
//
// Thread: main thread only.

#include "game/shooting/object/attacks/AttackObject.h"

namespace ml::shooting::object {

class BeamObject : public AttackObject {
  public:
    BeamObject(int kind, int field_width, int field_height);

    // Only reports STATE_GONE.
    bool update(int, int) override { return state == STATE_GONE; }
    void place(int px, int py, int direction) {
        x = px;
        y = py;
        angle = direction;
    }
};

}  // namespace ml::shooting::object
