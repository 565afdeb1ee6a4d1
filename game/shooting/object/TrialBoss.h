#pragma once
// TrialBoss: the boss of the trial stage. First phase: it bobs up and down
// firing three fans on top of each other every fire period and a ring every
// eleventh period. Second phase: it stays at its post and fires a spinning
// ring every (quartered) period whose start angle sweeps 0..120 and back,
// plus the throttled ring.
//
// Ownership, thread and failures: those of Boss; the bullet sound is
// borrowed from the sound manager.

#include "game/shooting/object/Boss.h"
#include "game/shooting/object/Throttle.h"

namespace ml::shooting::object {

class TrialBoss : public Boss {
  public:
    TrialBoss(int field_width, int field_height);
    ~TrialBoss() override;

    void applyLevel(int level) override;
    void loadSounds(SoundManger& manager) override;
    void loadTextures(VideoDevice* loader) override;
    void move(int target_x, int target_y) override;
    void pinchMove(int target_x, int target_y) override;

    int getFirePeriod() const { return fire_period; }
    int getRingCounter() const { return ring_throttle.getCount(); }

  private:
    void fireFans(int target_x, int target_y);
    void fireRing();
    void fireSpin(int first_angle);

    int fire_period = 0;
    Throttle ring_throttle{11};
    ISound* bullet_sound = nullptr;
    std::unique_ptr<Texture> ring_texture;
};

}  // namespace ml::shooting::object
