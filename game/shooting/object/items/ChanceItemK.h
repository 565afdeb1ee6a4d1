#pragma once
// ChanceItemK: ChanceItem in the pictures of the stage flown with Vovizovar.
// The scene builds it with its carrying enemy and passes the field size
// (800 x 480); see PickupItem for the behaviour.

#include "game/shooting/object/items/ChanceItem.h"

namespace ml::shooting::object {

class ChanceItemK : public ChanceItem {
  public:
    ChanceItemK(int fieldWidth, int fieldHeight);
};

}  // namespace ml::shooting::object
