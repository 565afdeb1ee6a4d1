#pragma once
// Sasaki, a big boss. First phase: every period a ring whose start angle
// sweeps 0..90, and every few periods his homing beams at the player. Second
// phase, on a step counter: a fire ball every row period of steps, the
// occasional beams and a ring every 60th, a laser every 240th; he sweeps up and down
// between y 150 and 350. His numbers are his row of the boss table.
//
// Random draws (the fire balls' speeds) use the engine's random numbers.
// Ownership, thread and failures: those of Boss.

#include "game/shooting/object/bosses/Boss.h"

namespace ml::shooting::object {

class Sasaki : public Boss {
  public:
    Sasaki(int field_width, int field_height, const BossRow& row);
    ~Sasaki() override;

    int getStep() const { return step; }

    static constexpr int stepLimit = 99999;

  protected:
    void firstPhase(int target_x, int target_y) override;
    void secondPhase(int target_x, int target_y) override;

  private:
    int step = 0;
    bool angle_rising = false;
};

}  // namespace ml::shooting::object
