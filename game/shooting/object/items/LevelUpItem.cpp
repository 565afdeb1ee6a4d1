#include "game/shooting/object/items/LevelUpItem.h"

namespace ml::shooting::object {

LevelUpItem::LevelUpItem(int fieldWidth, int fieldHeight)
    : LevelUpItem(PickupKind::levelUp, fieldWidth, fieldHeight) {}

LevelUpItem::LevelUpItem(PickupKind kind, int fieldWidth, int fieldHeight)
    : PickupItem(kind, fieldWidth, fieldHeight) {}

}  // namespace ml::shooting::object
