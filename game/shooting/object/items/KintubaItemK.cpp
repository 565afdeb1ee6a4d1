#include "game/shooting/object/items/KintubaItemK.h"

namespace ml::shooting::object {

KintubaItemK::KintubaItemK(int fieldWidth, int fieldHeight)
    : KintubaItem(PickupKind::kintubaK, fieldWidth, fieldHeight) {}

}  // namespace ml::shooting::object
