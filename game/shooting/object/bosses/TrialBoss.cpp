#include "game/shooting/object/bosses/TrialBoss.h"

#include "engine/sound/SoundManger.h"
#include "game/shooting/object/patterns/EnemyBullets.h"
#include "game/shooting/object/patterns/RoundBullets.h"

namespace ml::shooting::object {

namespace {

constexpr int fanCopies = 3;
constexpr int ringAngle = 180;
constexpr int spinSweepMax = 120;
constexpr int spinSweepStep = 5;

}  // namespace

TrialBoss::TrialBoss(int field_width, int field_height, const BossRow& row_)
    : Boss(field_width, field_height, row_) {}

TrialBoss::~TrialBoss() = default;

void TrialBoss::firstPhase(int target_x, int target_y) {
    if (!onBeat()) {
        return;
    }
    fireFans(target_x, target_y);
    if (extraTurn()) {
        fireRing(ringAngle);
    }
}

void TrialBoss::fireFans(int target_x, int target_y) {
    // The fan of the difficulty (3, 5 or 7 bullets); it ignores the target.
    for (int i = 0; i < fanCopies; ++i) {
        firePattern(
            std::make_unique<EnemyBullets>(KIND_ENEMY_ATTACK, field_width, field_height,
                                           byLevel(row->fan_speed), false, LEVEL_MIN + difficulty),
            bullet_texture.get(), x, y, target_x, target_y, 2, 3);
    }
    playSound(bullet_sound);
}

void TrialBoss::fireSpin(int first_angle) {
    firePattern(
        std::make_unique<RoundBullets>(KIND_ENEMY_ATTACK, field_width, field_height,
                                       byLevel(3, 3, 5), first_angle, byLevel(10, 20, 24), false),
        bullet_texture.get(), x, y, -1, -1, 2, 3);
    playSound(bullet_sound);
}

void TrialBoss::secondPhase(int /*target_x*/, int /*target_y*/) {
    if (!onBeat()) {
        return;
    }
    fireSpin(move_frame);
    if (extraTurn()) {
        fireRing(ringAngle);
    }
    sweep(move_frame, angle_rising, 0, spinSweepMax, spinSweepStep);
}

}  // namespace ml::shooting::object
