#pragma once
// TwinBullets: two bullets half a picture height above and below the origin.
// Each bullet flies straight right, or at the target when one is given.
//
// Thread: main thread only.

#include "game/shooting/object/patterns/FormationBullets.h"

namespace ml::shooting::object {

class TwinBullets : public FormationBullets {
  public:
    TwinBullets(int kind, int field_width, int field_height, double speed);
};

}  // namespace ml::shooting::object
