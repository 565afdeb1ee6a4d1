#pragma once
// StageScoring: what the things that happen in a stage are worth, and what
// they change — the points, the player's lives, stock and shot level, the
// icon rows that show them, and the sounds that go with them.
//
// Points (added to the score display, which counts up towards them):
// a chance item 5000, a kintuba item 500, a level-up item 1000, an enemy
// hit and still alive 10, an enemy shot down its own score, the boss hit
// 50, the boss shot down its score, each cancelled enemy bullet 5 and each
// cancelled boss bullet 10. An item picked up at its maximum still scores.
//
// Ownership: borrows everything; the scene that builds it outlives it.
// Thread: main thread only.

namespace veru::dxt {
class PlayStatus;
}
namespace veru::sound {
class ISound;
}
namespace ml::shooting::object {
class ItemObject;
class PlayerCharacter;
}  // namespace ml::shooting::object
namespace ml::shooting::cmp {
class ScoreDisplay;
}  // namespace ml::shooting::cmp

namespace ml {

struct StageTally;

class StageScoring {
  public:
    static constexpr int kChance = 5000;
    static constexpr int kKintuba = 500;
    static constexpr int kLevelUp = 1000;
    static constexpr int kEnemyHit = 10;
    static constexpr int kBossHit = 50;
    static constexpr int kEnemyBulletCancelled = 5;
    static constexpr int kBossBulletCancelled = 10;

    StageScoring(veru::dxt::PlayStatus& status, shooting::object::PlayerCharacter& player,
                 shooting::cmp::ScoreDisplay& score, veru::sound::ISound* levelMaxSound,
                 veru::sound::ISound* emptyGaugeSound = nullptr, StageTally* tally = nullptr);

    void addPoints(int points);
    // The pick-ups: each applies its effect when there is room for it,
    // then the item vanishes and scores.
    void pickChance(shooting::object::ItemObject& item);
    void pickKintuba(shooting::object::ItemObject& item);
    void pickLevelUp(shooting::object::ItemObject& item);
    // The player was hit: it falls, loses a shot level and a life; on the
    // last life its fall ends the play (the continue dialog follows). The
    // hit sound is the player's, or `emptyGaugeSound` (when given) if the
    // gauge is empty; the last life plays the player's dead sound. Each life
    // lost is counted in the tally, when one is given.
    void playerHit();

  private:
    veru::dxt::PlayStatus& status;
    shooting::object::PlayerCharacter& player;
    shooting::cmp::ScoreDisplay& score;
    veru::sound::ISound* levelMaxSound;
    veru::sound::ISound* emptyGaugeSound;
    StageTally* tally;
};

}  // namespace ml
