#pragma once
// Maruiyatu: a small sample boss. First phase: bobs 5 pixels a frame and
// every 10 frames shoots left (one, two or three bullets by difficulty).
// Second phase: a ring every period (30/20/10 frames) whose start angle
// sweeps between 0 and 90.
//
// Ownership, thread and failures: those of Boss.

#include "game/shooting/object/Boss.h"

namespace ml::shooting::object {

class Maruiyatu : public Boss {
  public:
    Maruiyatu(int field_width, int field_height);
    ~Maruiyatu() override;

    void applyLevel(int level) override;
    void loadSounds(SoundManger& manager) override;
    void loadTextures(VideoDevice* loader) override;
    void move(int target_x, int target_y) override;
    void pinchMove(int target_x, int target_y) override;

    int getPinchPeriod() const { return pinch_period; }

  private:
    int pinch_period = 0;
    bool angle_rising = false;
    ISound* bullet_sound = nullptr;
};

}  // namespace ml::shooting::object
