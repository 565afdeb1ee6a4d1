#pragma once
// Sister, a big boss. First phase: every period (50 frames) she
// throws a pan (angles 220, 180, 140 in turn, each with a swing sound); the
// fourth throw is three pans at once, a ring and a charge — 1 pixel a frame
// to the left for 50 frames (or to a third of the field), then back to her
// post at 3 pixels a frame, firing a ring every 50 frames. Second phase: one
// pan that rises, drops to the floor and sways; from 300 frames on, a fire
// ball every row period from the next of thirteen spots on the ground and a
// ring every 60 frames. Her other numbers are her row of the boss table.
//
// Random draws (the fire balls' speeds) use the engine's random numbers.
// Ownership, thread and failures: those of Boss.

#include "game/shooting/object/bosses/Boss.h"

namespace ml::shooting::object {

class Sister : public Boss {
  public:
    Sister(int field_width, int field_height, const BossRow& row);
    ~Sister() override;

    bool isCharging() const { return charge_step != 0; }
    int getThrows() const { return throws; }
    int getFireBalls() const { return fire_balls; }

    static constexpr int chargeFrames = 50;
    static constexpr int fireBallDelay = 300;

  protected:
    void firstPhase(int target_x, int target_y) override;
    void secondPhase(int target_x, int target_y) override;
    void onPhaseChange() override { charge_step = 0; }

  private:
    void throwPans();
    void throwPan(int angle);
    void charge();

    int throws = 0;       // every call of the throw, all phase long
    int charge_step = 0;  // 0 none, 1 forwards, 2 back
    int charge_frame = 0;
    int charge_from = 0;  // her post, where the charge began
    int pinch_frame = 0;
    int fire_balls = 0;
    int ring_angle = 0;
};

}  // namespace ml::shooting::object
