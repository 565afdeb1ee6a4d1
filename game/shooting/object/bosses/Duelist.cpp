#include "game/shooting/object/bosses/Duelist.h"

namespace ml::shooting::object {

Duelist::Duelist(int field_width, int field_height, const BossRow& row_)
    : Boss(field_width, field_height, row_) {}

Duelist::~Duelist() = default;

void Duelist::fireExtra(int target_x, int target_y) {
    if (!extraTurn()) {
        return;
    }
    if (row->beams.angle_count > 0) {
        fireBeams(target_x, target_y);
    } else {
        const HitRect corner = getHitRect();
        fireRing(0, corner.left, corner.top);
    }
}

void Duelist::firstPhase(int target_x, int target_y) {
    if (!onBeat()) {
        return;
    }
    fireCornerFan();
    fireExtra(target_x, target_y);
}

void Duelist::secondPhase(int target_x, int target_y) {
    if (!onBeat()) {
        return;
    }
    fireBlade();
    fireExtra(target_x, target_y);
}

}  // namespace ml::shooting::object
