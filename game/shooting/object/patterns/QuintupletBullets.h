#pragma once
// QuintupletBullets: a triplet plus one bullet a height above at -30 degrees and one below at +30
// degrees, never aimed. The others fly straight right, or at the target when one is given.
//
// Thread: main thread only.

#include "game/shooting/object/patterns/FormationBullets.h"

namespace ml::shooting::object {

class QuintupletBullets : public FormationBullets {
  public:
    QuintupletBullets(int kind, int field_width, int field_height, double speed);
};

}  // namespace ml::shooting::object
