#pragma once
// Seiichirou: the full-strength form of the trial's boss. First phase: he
// bobs and, every period (80/60/40 frames), sends three homing beams at the
// player, with a ring every sixth period. Second phase (period halved), a
// repeating cycle: a laser from just left of his centre, held until it is
// gone; 200 frames of blades from the sword table and rings whose start
// angle sweeps 0..90; a vertical sweep up to y 100, down to y 350 and back
// to his post.
//
// Ownership, thread and failures: those of Boss.

#include "game/shooting/object/BladeTable.h"
#include "game/shooting/object/Boss.h"
#include "game/shooting/object/Throttle.h"

namespace ml::shooting::object {

class Seiichirou : public Boss {
  public:
    // Steps of the second phase's cycle.
    enum CycleStep { LASER = 0, LASER_HELD = 1, BLADES = 2, SWEEP_UP = 3, SWEEP_DOWN = 4, RETURN = 5 };

    Seiichirou(int field_width, int field_height);
    ~Seiichirou() override;

    void applyLevel(int level) override;
    void loadSounds(SoundManger& manager) override;
    void loadTextures(VideoDevice* loader) override;
    void move(int target_x, int target_y) override;
    void pinchMove(int target_x, int target_y) override;

    int getFirePeriod() const { return fire_period; }
    int getCycleStep() const { return cycle_step; }
    const BladeCursor& getBlades() const { return blades; }

    static constexpr int bladeFrames = 200;

  private:
    void fireRing(int first_angle);

    int fire_period = 0;
    int cycle_step = LASER;
    int cycle_frame = 0;
    bool angle_rising = false;
    Throttle ring_throttle{6};
    BladeCursor blades{swordBlades};
    ISound* beam_sound = nullptr;
    ISound* lazer_sound = nullptr;
    ISound* slush_sound = nullptr;
    std::unique_ptr<Texture> blade_texture;
    std::unique_ptr<Texture> beam_texture;
    std::unique_ptr<Texture> laser_texture;
    // The second phase's laser while it is held; owned by `skills`.
    ISkill* laser = nullptr;
};

}  // namespace ml::shooting::object
