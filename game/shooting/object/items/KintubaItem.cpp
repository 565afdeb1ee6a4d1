#include "game/shooting/object/items/KintubaItem.h"

namespace ml::shooting::object {

KintubaItem::KintubaItem(int fieldWidth, int fieldHeight)
    : KintubaItem(PickupKind::kintuba, fieldWidth, fieldHeight) {}

KintubaItem::KintubaItem(PickupKind kind, int fieldWidth, int fieldHeight)
    : PickupItem(kind, fieldWidth, fieldHeight) {}

}  // namespace ml::shooting::object
