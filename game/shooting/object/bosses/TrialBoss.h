#pragma once
// TrialBoss: the boss of the trial stage. First phase: it bobs up and down
// firing three fans on top of each other every period and a ring every few
// periods. Second phase: it stays at its post and fires a spinning ring
// every (shorter) period whose start angle sweeps 0..120 and back, plus the
// occasional ring. Its numbers are its row of the boss table.
//
// Ownership, thread and failures: those of Boss.

#include "game/shooting/object/bosses/Boss.h"

namespace ml::shooting::object {

class TrialBoss : public Boss {
  public:
    TrialBoss(int field_width, int field_height, const BossRow& row);
    ~TrialBoss() override;

    int getRingCounter() const { return getExtraCount(); }

  protected:
    void firstPhase(int target_x, int target_y) override;
    void secondPhase(int target_x, int target_y) override;

  private:
    void fireFans(int target_x, int target_y);
    void fireSpin(int first_angle);

    bool angle_rising = false;
};

}  // namespace ml::shooting::object
