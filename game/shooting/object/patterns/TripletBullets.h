#pragma once
// TripletBullets: three bullets one picture height apart, the middle one at the origin.
// Each bullet flies straight right, or at the target when one is given.
//
// Thread: main thread only.

#include "game/shooting/object/patterns/FormationBullets.h"

namespace ml::shooting::object {

class TripletBullets : public FormationBullets {
  public:
    TripletBullets(int kind, int field_width, int field_height, double speed);
};

}  // namespace ml::shooting::object
