#pragma once
// PlayerObject: the player's character, moved by the pressed buttons once a
// frame. Kind KIND_PLAYER, starting at (0, 0).
//
// Thread: main thread only.

#include "game/shooting/object/CharaObject.h"

namespace ml::shooting::object {

class EnemyObject;

class PlayerObject : public CharaObject {
  public:
    PlayerObject(int field_width, int field_height);

    // One frame with the pressed-button bits (1 up, 2 down, 4 left, 8 right,
    // plus the configured shot and slow masks).
    virtual bool update(int buttons) = 0;
    // The player's shots against the boss; false for a null boss or one
    // that cannot be hit.
    virtual bool hitEnemies(EnemyObject* boss) = 0;
};

}  // namespace ml::shooting::object
