#pragma once
// StrongBullets: a triplet plus four bullets fanned at -30, -15, +15 and +30 degrees with the
// smaller margin on both axes. The others fly straight right, or at the target when one is given.
//
// Thread: main thread only.

#include "game/shooting/object/patterns/FormationBullets.h"

namespace ml::shooting::object {

class StrongBullets : public FormationBullets {
  public:
    StrongBullets(int kind, int field_width, int field_height, double speed);
};

}  // namespace ml::shooting::object
