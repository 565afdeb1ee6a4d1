#include "game/shooting/object/bosses/SampleBoss.h"

#include "game/shooting/object/patterns/StraightBullets.h"
#include "game/shooting/object/patterns/TripletBullets.h"
#include "game/shooting/object/patterns/TwinBullets.h"

namespace ml::shooting::object {

SampleBoss::SampleBoss(int field_width, int field_height, const BossRow& row_)
    : Boss(field_width, field_height, row_) {}

SampleBoss::~SampleBoss() = default;

void SampleBoss::firstPhase(int /*target_x*/, int /*target_y*/) {
    if (!onBeat()) {
        return;
    }
    std::unique_ptr<ISkill> shot;
    switch (difficulty) {
        case 0:
            shot = std::make_unique<StraightBullets>(KIND_ENEMY_ATTACK, field_width, field_height,
                                                     -10, 0);
            break;
        case 1:
            shot = std::make_unique<TwinBullets>(KIND_ENEMY_ATTACK, field_width, field_height, -15);
            break;
        default:
            shot =
                std::make_unique<TripletBullets>(KIND_ENEMY_ATTACK, field_width, field_height, -15);
            break;
    }
    firePattern(std::move(shot), bullet_texture.get(), x, y, -1, -1, 2, 3);
    playSound(bullet_sound);
}

void SampleBoss::secondPhase(int /*target_x*/, int /*target_y*/) {
    if (!onBeat()) {
        return;
    }
    fireRing(move_frame);
    playSound(bullet_sound);
    sweep(move_frame, angle_rising, 0, 90, 5);
}

}  // namespace ml::shooting::object
