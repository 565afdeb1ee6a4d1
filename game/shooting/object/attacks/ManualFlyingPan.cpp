#include "game/shooting/object/attacks/ManualFlyingPan.h"

namespace ml::shooting::object {

ManualFlyingPan::ManualFlyingPan(int kind_, int width, int height)
    : AttackObject(kind_, width, height) {
    cancellable = false;
}

}  // namespace ml::shooting::object
