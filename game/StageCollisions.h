#pragma once
// StageCollisions: one frame's collision pass of the shooting and boss
// phases, in a fixed order: the player against enemies and the boss, the
// player against items, the player's shots against enemies and the boss,
// enemy and boss shots against the player, and the bomb cancelling enemy
// and boss bullets. What each contact is worth is StageScoring's business.
//
// Two contacts in the same frame (two enemies touched, or a touch and a
// bullet) are two hits: each costs a life and a shot level.
//
// Ownership: borrows the objects for the length of one call.
// Thread: main thread only.

#include <memory>
#include <vector>

namespace ml::shooting::object {
class Boss;
class EnemyObject;
class ItemObject;
class PlayerCharacter;
}  // namespace ml::shooting::object

namespace ml {

class StageScoring;

struct StageField {
    shooting::object::PlayerCharacter* player = nullptr;
    shooting::object::Boss* boss = nullptr;  // may be null: a stage without a boss
    std::vector<std::unique_ptr<shooting::object::EnemyObject>>* activeEnemies = nullptr;
    std::vector<std::unique_ptr<shooting::object::ItemObject>>* chanceItems = nullptr;
    std::vector<std::unique_ptr<shooting::object::ItemObject>>* kintubaItems = nullptr;
    std::vector<std::unique_ptr<shooting::object::ItemObject>>* levelUpItems = nullptr;
};

class StageCollisions {
  public:
    // `playerState` is the player's state as the frame began; returns true
    // when the player's shots brought the boss down in this pass.
    static bool run(StageField& field, int playerState, StageScoring& scoring);
};

}  // namespace ml
