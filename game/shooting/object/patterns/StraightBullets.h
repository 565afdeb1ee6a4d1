#pragma once
// StraightBullets: one bullet from the origin, aimed at the target when one
// is given, else along `angle` (0: straight right).
//
// Thread: main thread only.

#include "game/shooting/object/patterns/FormationBullets.h"

namespace ml::shooting::object {

class StraightBullets : public FormationBullets {
  public:
    StraightBullets(int kind, int field_width, int field_height, double speed, int angle);
};

}  // namespace ml::shooting::object
