#pragma once
// Sasaki: a big boss (descends to 70). First phase: every 30 frames a ring
// whose start angle sweeps 0..90, and every eleventh time three homing beams
// at the player. Second phase, on a step counter: a fire ball every 10th
// step, the throttled beams and a ring every 60th, a laser every 240th; he
// sweeps up and down between y 150 and 350. His phase change fades by 10 to
// half his picture's height.
//
// Random draws (the fire balls' speeds) use the engine's random numbers.
// Ownership, thread and failures: those of Boss.

#include "game/shooting/object/BigBoss.h"
#include "game/shooting/object/Throttle.h"

namespace ml::shooting::object {

class Sasaki : public BigBoss {
  public:
    Sasaki(int field_width, int field_height);
    ~Sasaki() override;

    void loadSounds(SoundManger& manager) override;
    void loadTextures(VideoDevice* loader) override;
    void move(int target_x, int target_y) override;
    void pinchMove(int target_x, int target_y) override;
    void changeStep() override;

    int getStep() const { return step; }

    static constexpr int firePeriod = 30;
    static constexpr int stepLimit = 99999;

  private:
    void fireRing(int first_angle);
    void fireBeams(int target_x, int target_y);

    int step = 0;
    bool angle_rising = false;
    Throttle beam_throttle{11};
    ISound* bullet_sound = nullptr;
    ISound* beam_sound = nullptr;
    ISound* lazer_sound = nullptr;
    std::unique_ptr<Texture> flare_texture;
    std::unique_ptr<Texture> beam_texture;
    std::unique_ptr<Texture> laser_texture;
};

}  // namespace ml::shooting::object
