#pragma once
// Erika: first phase, she bobs and fires a three-bullet fan every period
// (90/60/30 frames) and a ring every sixth period, both from the corner of
// her hit rectangle. Second phase (period x 1.5): a blade every period from
// her own table of starts, followed by the throttled ring.
//
// Ownership, thread and failures: those of Boss.

#include "game/shooting/object/BladeTable.h"
#include "game/shooting/object/Boss.h"
#include "game/shooting/object/Throttle.h"

namespace ml::shooting::object {

class Erika : public Boss {
  public:
    Erika(int field_width, int field_height);
    ~Erika() override;

    void applyLevel(int level) override;
    void loadSounds(SoundManger& manager) override;
    void loadTextures(VideoDevice* loader) override;
    void move(int target_x, int target_y) override;
    void pinchMove(int target_x, int target_y) override;

    int getFirePeriod() const { return fire_period; }
    const BladeCursor& getBlades() const { return blades; }

  private:
    void fireRing();

    int fire_period = 0;
    Throttle ring_throttle{6};
    BladeCursor blades{erikaBlades};
    ISound* bullet_sound = nullptr;
    ISound* slush_sound = nullptr;
    std::unique_ptr<Texture> blade_texture;
};

}  // namespace ml::shooting::object
