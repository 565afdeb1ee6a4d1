#pragma once
// LevelUpItem: raises the player's shot level by one when picked up (the scene applies it).
// The scene builds it with its carrying enemy and passes the field size
// (800 x 480); see PickupItem for the behaviour.

#include "game/shooting/object/items/PickupItem.h"

namespace ml::shooting::object {

class LevelUpItem : public PickupItem {
  public:
    LevelUpItem(int fieldWidth, int fieldHeight);

  protected:
    // For the twin with the other pictures.
    LevelUpItem(PickupKind kind, int fieldWidth, int fieldHeight);
};

}  // namespace ml::shooting::object
