#include "game/shooting/object/players/PlayerObject.h"

namespace ml::shooting::object {

PlayerObject::PlayerObject(int width, int height) : CharaObject(KIND_PLAYER, width, height) {
    x = 0;
    y = 0;
}

}  // namespace ml::shooting::object
