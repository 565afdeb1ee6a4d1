#include "game/shooting/object/BossAttacks.h"

#include "game/shooting/object/Boss.h"
#include "game/shooting/object/EnemyBullets.h"
#include "game/shooting/object/LeadBeam.h"
#include "game/shooting/object/RoundBullets.h"
#include "game/shooting/object/Slush.h"
#include "game/shooting/object/StraightBullets.h"
#include "game/shooting/object/TripletBullets.h"
#include "game/shooting/object/TwinBullets.h"

namespace ml::shooting::object {

namespace {

constexpr int bladeLength = 10;
constexpr int bladeMargin = 40;

}  // namespace

void fireSampleShot(Boss& boss, Texture* picture) {
    const int w = boss.getFieldWidth();
    const int h = boss.getFieldHeight();
    std::unique_ptr<ISkill> shot;
    switch (boss.getDifficulty()) {
        case 0:
            shot = std::make_unique<StraightBullets>(KIND_ENEMY_ATTACK, w, h, -10, 0);
            break;
        case 1:
            shot = std::make_unique<TwinBullets>(KIND_ENEMY_ATTACK, w, h, -15);
            break;
        default:
            shot = std::make_unique<TripletBullets>(KIND_ENEMY_ATTACK, w, h, -15);
            break;
    }
    boss.firePattern(std::move(shot), picture, boss.getX(), boss.getY(), -1, -1, 2, 3);
}

void fireSampleRing(Boss& boss, Texture* picture, int first_angle) {
    boss.firePattern(std::make_unique<RoundBullets>(
                         KIND_ENEMY_ATTACK, boss.getFieldWidth(), boss.getFieldHeight(),
                         boss.byLevel(5, 10, 15), first_angle, boss.byLevel(10, 30, 45), false),
                     picture, boss.getX(), boss.getY(), -1, -1, 3, 3);
}

void fireCornerFan(Boss& boss, Texture* picture, int speed) {
    const HitRect corner = boss.getHitRect();
    boss.firePattern(std::make_unique<EnemyBullets>(KIND_ENEMY_ATTACK, boss.getFieldWidth(),
                                                    boss.getFieldHeight(), speed, true, LEVEL_1),
                     picture, corner.left, corner.top, -1, -1, 2, 10);
}

void fireBlade(Boss& boss, Texture* picture, const BladeStart& start, int speed, int blur) {
    boss.firePattern(std::make_unique<Slush>(KIND_ENEMY_ATTACK, boss.getFieldWidth(),
                                             boss.getFieldHeight(), speed, start.angle, blur,
                                             bladeLength),
                     picture, start.x, start.y, -1, -1, bladeMargin, bladeMargin);
}

void fireHomingBeams(Boss& boss, Texture* picture, const HomingBeams& beams,
                     std::initializer_list<int> angles, int target_x, int target_y) {
    for (int angle : angles) {
        boss.firePattern(std::make_unique<LeadBeam>(KIND_ENEMY_ATTACK, boss.getFieldWidth(),
                                                    boss.getFieldHeight(), beams.segments,
                                                    beams.speed, 0, angle, beams.homing_start,
                                                    beams.homing_length, beams.turn_limit),
                         picture, boss.getX(), boss.getY(), target_x, target_y, 2, 10);
    }
}

}  // namespace ml::shooting::object
