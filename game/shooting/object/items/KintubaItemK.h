#pragma once
// KintubaItemK: KintubaItem in the pictures of the stage flown with Vovizovar.
// The scene builds it with its carrying enemy and passes the field size
// (800 x 480); see PickupItem for the behaviour.

#include "game/shooting/object/items/KintubaItem.h"

namespace ml::shooting::object {

class KintubaItemK : public KintubaItem {
  public:
    KintubaItemK(int fieldWidth, int fieldHeight);
};

}  // namespace ml::shooting::object
