#include "game/shooting/object/items/ChanceItemK.h"

namespace ml::shooting::object {

ChanceItemK::ChanceItemK(int fieldWidth, int fieldHeight)
    : ChanceItem(PickupKind::chanceK, fieldWidth, fieldHeight) {}

}  // namespace ml::shooting::object
