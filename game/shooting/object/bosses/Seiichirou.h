#pragma once
// Seiichirou: the full-strength form of the trial's boss. First phase: he
// bobs and every period sends his homing beams at the player, with a ring
// every few periods. Second phase (on its own period), a
// repeating cycle: a laser from just left of his centre, held until it is
// gone; 200 frames of blades from the sword table and rings whose start
// angle sweeps 0..90; a vertical sweep up to y 100, down to y 350 and back
// to his post. His numbers are his row of the boss table.
//
// Ownership, thread and failures: those of Boss.

#include "game/shooting/object/bosses/Boss.h"

namespace ml::shooting::object {

class Seiichirou : public Boss {
  public:
    // Steps of the second phase's cycle.
    enum CycleStep {
        LASER = 0,
        LASER_HELD = 1,
        BLADES = 2,
        SWEEP_UP = 3,
        SWEEP_DOWN = 4,
        RETURN = 5
    };

    Seiichirou(int field_width, int field_height, const BossRow& row);
    ~Seiichirou() override;

    int getCycleStep() const { return cycle_step; }

    static constexpr int bladeFrames = 200;

  protected:
    void firstPhase(int target_x, int target_y) override;
    void secondPhase(int target_x, int target_y) override;

  private:
    void fireLaser();
    // Up to y 100, down to y 350, back to the post.
    void sweepStep();

    int cycle_step = LASER;
    int cycle_frame = 0;
    bool angle_rising = false;
    // The second phase's laser while it is held; owned by `skills`.
    ISkill* laser = nullptr;
};

}  // namespace ml::shooting::object
