#include "game/shooting/object/enemies/BatPatterns.h"

#include "game/shooting/object/ObjectCodes.h"
#include "game/shooting/object/patterns/EnemyBullets.h"
#include "game/shooting/object/patterns/FireBall.h"
#include "game/shooting/object/patterns/Lazer.h"
#include "game/shooting/object/patterns/LeadBeam.h"
#include "game/shooting/object/patterns/RoundBullets.h"
#include "game/shooting/object/patterns/StraightBullets.h"

namespace ml::shooting::object {

namespace {

// The fan's level for its number of bullets: 3, 5 or 7.
int fanLevel(int bullets) {
    if (bullets >= 7) {
        return LEVEL_3;
    }
    return bullets >= 5 ? LEVEL_2 : LEVEL_1;
}

}  // namespace

std::unique_ptr<ISkill> makeBatPattern(const BatPattern& p, int copy, int difficulty,
                                       int field_width, int field_height) {
    const int kind = KIND_ENEMY_ATTACK;
    const int w = field_width;
    const int h = field_height;
    switch (p.kind) {
        case BatPatternKind::straight:
            return std::make_unique<StraightBullets>(kind, w, h, p.speed.at(difficulty), p.angle);
        case BatPatternKind::fan:
            return std::make_unique<EnemyBullets>(kind, w, h, p.speed.at(difficulty), false,
                                                  fanLevel(p.bullets.at(difficulty)));
        case BatPatternKind::ring:
            return std::make_unique<RoundBullets>(kind, w, h, p.speed.at(difficulty), p.angle,
                                                  p.bullets.at(difficulty), p.turned);
        case BatPatternKind::homing:
            return std::make_unique<LeadBeam>(
                kind, w, h, p.bullets.at(difficulty), p.speed.at(difficulty), 0,
                p.beamAngles[static_cast<std::size_t>(copy) % p.beamAngles.size()],
                p.homingStart.at(difficulty), p.homingLength.at(difficulty), p.turnLimit);
        case BatPatternKind::fireBall:
            return std::make_unique<FireBall>(kind, w, h, p.vx, p.vy, p.size, p.parameter);
        case BatPatternKind::laser:
            return std::make_unique<Lazer>(kind, w, h, p.direction.at(difficulty),
                                           static_cast<float>(p.growStep.at(difficulty)),
                                           p.thickness.at(difficulty), p.lifetime.at(difficulty));
        case BatPatternKind::none:
            break;
    }
    return nullptr;
}

}  // namespace ml::shooting::object
