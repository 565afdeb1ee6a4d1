#include "game/shooting/object/attacks/BeamObject.h"

namespace ml::shooting::object {

BeamObject::BeamObject(int kind_, int width, int height) : AttackObject(kind_, width, height) {}

}  // namespace ml::shooting::object
