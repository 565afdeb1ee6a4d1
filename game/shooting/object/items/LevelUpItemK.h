#pragma once
// LevelUpItemK: LevelUpItem in the pictures of the stage flown with Vovizovar.
// The scene builds it with its carrying enemy and passes the field size
// (800 x 480); see PickupItem for the behaviour.

#include "game/shooting/object/items/LevelUpItem.h"

namespace ml::shooting::object {

class LevelUpItemK : public LevelUpItem {
  public:
    LevelUpItemK(int fieldWidth, int fieldHeight);
};

}  // namespace ml::shooting::object
