#pragma once
// KintubaItem: one bomb stock more when picked up, up to the maximum (the scene applies it).
// The scene builds it with its carrying enemy and passes the field size
// (800 x 480); see PickupItem for the behaviour.

#include "game/shooting/object/items/PickupItem.h"

namespace ml::shooting::object {

class KintubaItem : public PickupItem {
  public:
    KintubaItem(int fieldWidth, int fieldHeight);

  protected:
    // For the twin with the other pictures.
    KintubaItem(PickupKind kind, int fieldWidth, int fieldHeight);
};

}  // namespace ml::shooting::object
