#include "game/StageStateHash.h"

#include "game/shooting/object/ShootingObject.h"

namespace ml {

StageStateHash& StageStateHash::add(int value) {
    auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        hash ^= bits & 0xFFu;
        hash *= 1099511628211ull;
        bits >>= 8;
    }
    return *this;
}

StageStateHash& StageStateHash::addObject(const shooting::object::ShootingObject& object) {
    return add(object.getX())
        .add(object.getY())
        .add(object.getState())
        .add(object.getLevel())
        .add(object.getHp())
        .add(object.getFrame());
}

}  // namespace ml
