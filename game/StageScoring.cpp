#include "game/StageScoring.h"

#include "engine/scene/PlayStatus.h"
#include "engine/sound/ISound.h"
#include "game/StageTally.h"
#include "game/shooting/cmp/ScoreDisplay.h"
#include "game/shooting/object/items/ItemObject.h"
#include "game/shooting/object/players/PlayerCharacter.h"

namespace ml {

namespace {

void playOnce(veru::sound::ISound* sound) {
    if (sound)
        sound->play(false);
}

}  // namespace

StageScoring::StageScoring(veru::dxt::PlayStatus& status, shooting::object::PlayerCharacter& player,
                           shooting::cmp::ScoreDisplay& score, veru::sound::ISound* levelMaxSound,
                           veru::sound::ISound* emptyGaugeSound, StageTally* tally)
    : status(status),
      player(player),
      score(score),
      levelMaxSound(levelMaxSound),
      emptyGaugeSound(emptyGaugeSound),
      tally(tally) {}

void StageScoring::addPoints(int points) {
    if (points > 0)
        score.addPoints(points);
}

void StageScoring::pickChance(shooting::object::ItemObject& item) {
    if (status.addLife())
        playOnce(item.getSound());
    item.kill();
    addPoints(kChance);
}

void StageScoring::pickKintuba(shooting::object::ItemObject& item) {
    if (status.addStock())
        playOnce(item.getSound());
    item.kill();
    addPoints(kKintuba);
}

void StageScoring::pickLevelUp(shooting::object::ItemObject& item) {
    if (player.levelUp())
        playOnce(player.getLevel() == shooting::object::LEVEL_MAX ? levelMaxSound
                                                                  : item.getSound());
    item.kill();
    addPoints(kLevelUp);
}

void StageScoring::playerHit() {
    player.damage(100);
    player.levelDown();
    status.power = player.getLevel();
    // The last life is lost once, however many hits land on it.
    if (tally && !player.isLastLife())
        ++tally->livesLost;
    if (status.takeLife()) {
        playOnce(emptyGaugeSound && status.gauge == 0 ? emptyGaugeSound : player.getSound());
    } else {
        player.setLastLife(true);
        playOnce(player.getDeadSound());
    }
}

}  // namespace ml
