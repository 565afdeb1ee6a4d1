#pragma once
// Duelist: Erika and Kiriha, the two sword fighters. First phase: they bob
// and every period fire a three-bullet fan from the corner of their hit
// rectangle; every few periods their occasional attack joins: a ring from
// the same corner (a row with a ring) or homing beams at the player (a row
// with beams). Second phase (its own period): a blade from the next start
// of their blade table every period, followed by the occasional attack.
//
// Ownership, thread and failures: those of Boss.

#include "game/shooting/object/bosses/Boss.h"

namespace ml::shooting::object {

class Duelist : public Boss {
  public:
    Duelist(int field_width, int field_height, const BossRow& row);
    ~Duelist() override;

  protected:
    void firstPhase(int target_x, int target_y) override;
    void secondPhase(int target_x, int target_y) override;

  private:
    void fireExtra(int target_x, int target_y);
};

}  // namespace ml::shooting::object
