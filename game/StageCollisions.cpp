#include "game/StageCollisions.h"

#include "game/StageScoring.h"
#include "game/shooting/object/ObjectCodes.h"
#include "game/shooting/object/bosses/Boss.h"
#include "game/shooting/object/enemies/EnemyObject.h"
#include "game/shooting/object/items/ItemObject.h"
#include "game/shooting/object/patterns/ISkill.h"
#include "game/shooting/object/players/PlayerCharacter.h"

namespace ml {

namespace {

using namespace shooting::object;

bool fighting(const Boss* boss) {
    return boss && (boss->getState() == STATE_ACTIVE || boss->getState() == STATE_PINCH);
}

}  // namespace

bool StageCollisions::run(StageField& field, int playerState, StageScoring& scoring) {
    PlayerCharacter& player = *field.player;
    Boss* boss = field.boss;
    auto& enemies = *field.activeEnemies;
    bool bossBeaten = false;

    // The player's body against enemies and the boss.
    if (playerState == STATE_ACTIVE) {
        for (auto& enemy : enemies) {
            if (player.isHit(*enemy))
                scoring.playerHit();
        }
        if (fighting(boss) && player.touchesBoss(boss))
            scoring.playerHit();
    }

    // Pick-ups.
    if (playerState == STATE_ACTIVE || playerState == STATE_BOMB) {
        for (auto& item : *field.chanceItems) {
            if (player.isHit(*item))
                scoring.pickChance(*item);
        }
        for (auto& item : *field.kintubaItems) {
            if (player.isHit(*item))
                scoring.pickKintuba(*item);
        }
        for (auto& item : *field.levelUpItems) {
            if (player.isHit(*item))
                scoring.pickLevelUp(*item);
        }
    }

    // The player's shots.
    for (auto& enemy : enemies) {
        if (player.hitBySkills(*enemy))
            scoring.addPoints(enemy->getHp() > 0 ? StageScoring::kEnemyHit : enemy->getScore());
    }
    if (boss && player.hitEnemies(boss)) {
        if (boss->getHp() > 0) {
            scoring.addPoints(StageScoring::kBossHit);
        } else {
            scoring.addPoints(boss->getScore());
            bossBeaten = true;
        }
    }

    // Enemy shots against the player.
    if (playerState == STATE_ACTIVE) {
        for (auto& enemy : enemies) {
            if (enemy->hitBySkills(player))
                scoring.playerHit();
        }
    }

    // The bomb cancels what it touches.
    if (player.getState() == STATE_BOMB) {
        for (auto& bomb : player.getSkills()) {
            if (bomb->getKind() != KIND_BOMB_ATTACK)
                continue;
            for (auto& enemy : enemies) {
                for (auto& skill : enemy->getSkills())
                    scoring.addPoints(StageScoring::kEnemyBulletCancelled *
                                      bomb->cancelBullets(*skill));
            }
            if (fighting(boss)) {
                for (auto& skill : boss->getSkills())
                    scoring.addPoints(StageScoring::kBossBulletCancelled *
                                      bomb->cancelBullets(*skill));
            }
        }
    }

    // Boss shots against the player.
    if (playerState == STATE_ACTIVE && boss && boss->hitBySkills(player))
        scoring.playerHit();
    return bossBeaten;
}

}  // namespace ml
