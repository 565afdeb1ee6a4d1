#pragma once
// SampleBoss: Maruiyatu and TeruTeru, the two sample bosses. First phase:
// every period they shoot left (one, two or three bullets by difficulty)
// and bob. Second phase: every period a ring from the centre whose start
// angle sweeps between 0 and 90.
//
// Ownership, thread and failures: those of Boss.

#include "game/shooting/object/bosses/Boss.h"

namespace ml::shooting::object {

class SampleBoss : public Boss {
  public:
    SampleBoss(int field_width, int field_height, const BossRow& row);
    ~SampleBoss() override;

  protected:
    void firstPhase(int target_x, int target_y) override;
    void secondPhase(int target_x, int target_y) override;

  private:
    bool angle_rising = false;
};

}  // namespace ml::shooting::object
