#include "game/shooting/object/items/LevelUpItemK.h"

namespace ml::shooting::object {

LevelUpItemK::LevelUpItemK(int fieldWidth, int fieldHeight)
    : LevelUpItem(PickupKind::levelUpK, fieldWidth, fieldHeight) {}

}  // namespace ml::shooting::object
