#pragma once
// ManualFlyingPan: a pan moved only by its pattern (SpecialFlyingPan);
// drawn without rotation, never cancelled by a bomb.
//
// Thread: main thread only.

#include "game/shooting/object/attacks/AttackObject.h"

namespace ml::shooting::object {

class ManualFlyingPan : public AttackObject {
  public:
    ManualFlyingPan(int kind, int field_width, int field_height);

    // Only reports STATE_GONE.
    bool update(int, int) override { return state == STATE_GONE; }
};

}  // namespace ml::shooting::object
