#pragma once
// A player for tests of the stage: after each frame it reads the shooting
// scene and sets the button word the next frame polls.

#include "engine/input/ScriptedInput.h"
#include "game/ShootingScene.h"
#include "game/StagePhase.h"
#include "game/shooting/object/ObjectCodes.h"
#include "game/shooting/object/bosses/Boss.h"
#include "game/shooting/object/enemies/EnemyObject.h"
#include "game/shooting/object/players/PlayerCharacter.h"

namespace mirelune::test {

// Plays the stage: after each frame it reads the scene and sets the word
// the next frame polls. It holds the shot and follows the nearest enemy (or
// the boss) up and down; once in the shooting phase it pauses and resumes,
// uses a kintuba and fires a bomb; then it flies into the enemies until the
// last life is gone, and answers the continue dialog with yes or no.
class StageBot {
    static constexpr int kUp = 0x1, kDown = 0x2, kLeft = 0x4, kRight = 0x8;

  public:
    struct Masks {
        int shoot, special, bomb, pause;
    };
    StageBot(veru::dxt::event::ScriptedInput& input, Masks masks, bool continues)
        : input(input), masks(masks), continues(continues) {}

    void after(ml::ShootingScene& stage) {
        const int n = input.getFrame();
        input.set(n, word(stage));
        input.set(n + 1, 0);
    }

    int pauses = 0, kintubas = 0, bombs = 0, continued = 0, refused = 0, livesLost = 0;
    bool sawBattle = false;

  private:
    int word(ml::ShootingScene& stage) {
        using namespace ml::shooting::object;
        ++tick;
        const int phase = stage.getPhase();
        if (phase != lastPhase) {
            phaseFrame = 0;
            lastPhase = phase;
        } else {
            ++phaseFrame;
        }
        PlayerCharacter* me = stage.getPlayer();
        if (me && me->getState() == STATE_DYING && !wasDying)
            ++livesLost;
        wasDying = me && me->getState() == STATE_DYING;

        switch (phase) {
            case ml::stage::kTalk:
                return tick % 2 ? masks.shoot : 0;  // a fresh press for every box
            case ml::stage::kPaused:
                return phaseFrame == 3 ? masks.shoot : 0;  // "return to the game"
            case ml::stage::kResults:
                return tick % 2 ? masks.shoot : 0;  // on past the card, keeping no replay
            case ml::stage::kContinue:
                if (continues) {
                    if (phaseFrame == 3)
                        ++continued;
                    ramming = false;
                    return phaseFrame == 3 ? masks.shoot : 0;  // yes
                }
                if (phaseFrame == 5)
                    ++refused;
                return phaseFrame == 3 ? kDown : phaseFrame == 5 ? masks.shoot : 0;  // no
            case ml::stage::kShooting:
            case ml::stage::kBossApproach:
            case ml::stage::kBossBattle:
                break;
            default:
                return 0;
        }
        if (!me)
            return 0;
        const int counter = stage.getPosition();
        if (phase == ml::stage::kShooting) {
            if (pauses == 0 && counter == 200) {
                ++pauses;
                return masks.pause;
            }
            if (kintubas == 0 && counter == 400) {
                ++kintubas;
                return masks.shoot | masks.special;
            }
            if (bombs == 0 && counter == 700 && me->getState() == STATE_ACTIVE) {
                ++bombs;
                return masks.shoot | masks.bomb;
            }
            if (counter == 1000 && continued == 0)
                ramming = true;
        }
        if (phase == ml::stage::kBossBattle)
            sawBattle = true;

        // The target: the nearest enemy in front, or the boss.
        int tx = -1, ty = -1;
        for (const auto& enemy : stage.getActiveEnemies()) {
            if (enemy->getState() != STATE_ACTIVE || enemy->getX() < me->getX())
                continue;
            if (tx < 0 || enemy->getX() < tx) {
                tx = enemy->getX();
                ty = enemy->getY();
            }
        }
        Boss* boss = stage.getBoss();
        if (tx < 0 && boss && boss->getState() != STATE_STANDBY) {
            tx = boss->getX();
            ty = boss->getY();
        }
        int w = masks.shoot;
        if (ty >= 0) {
            if (ty < me->getY() - 4)
                w |= kUp;
            if (ty > me->getY() + 4)
                w |= kDown;
        }
        const int wantX = ramming && tx >= 0 ? tx : 150;
        if (wantX < me->getX() - 4)
            w |= kLeft;
        if (wantX > me->getX() + 4)
            w |= kRight;
        return w;
    }

    veru::dxt::event::ScriptedInput& input;
    Masks masks;
    bool continues;
    bool ramming = false;
    bool wasDying = false;
    int tick = 0;
    int lastPhase = -1;
    int phaseFrame = 0;
};

}  // namespace mirelune::test
