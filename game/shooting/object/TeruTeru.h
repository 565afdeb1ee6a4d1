#pragma once
// TeruTeru: the sample big boss (descends to 100). It fights as Maruiyatu
// does, shooting left every 10 frames in the first phase and firing a
// sweeping ring every 10 frames in the second.
//
// Ownership, thread and failures: those of Boss.

#include "game/shooting/object/BigBoss.h"

namespace ml::shooting::object {

class TeruTeru : public BigBoss {
  public:
    TeruTeru(int field_width, int field_height);
    ~TeruTeru() override;

    void loadSounds(SoundManger& manager) override;
    void loadTextures(VideoDevice* loader) override;
    void move(int target_x, int target_y) override;
    void pinchMove(int target_x, int target_y) override;

  private:
    bool angle_rising = false;
    ISound* bullet_sound = nullptr;
};

}  // namespace ml::shooting::object
