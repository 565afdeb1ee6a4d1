#include "game/shooting/object/items/ChanceItem.h"

namespace ml::shooting::object {

ChanceItem::ChanceItem(int fieldWidth, int fieldHeight)
    : ChanceItem(PickupKind::chance, fieldWidth, fieldHeight) {}

ChanceItem::ChanceItem(PickupKind kind, int fieldWidth, int fieldHeight)
    : PickupItem(kind, fieldWidth, fieldHeight) {}

}  // namespace ml::shooting::object
