#pragma once
// Kiriha: first phase, she bobs and fires a three-bullet fan from the corner
// of her hit rectangle every period (35/20/10 frames), and two homing beams
// every eleventh period. Second phase (period doubled): a blade every period
// from the next start of the sword table, plus the throttled beams.
//
// Ownership, thread and failures: those of Boss.

#include "game/shooting/object/BladeTable.h"
#include "game/shooting/object/Boss.h"
#include "game/shooting/object/Throttle.h"

namespace ml::shooting::object {

class Kiriha : public Boss {
  public:
    Kiriha(int field_width, int field_height);
    ~Kiriha() override;

    void applyLevel(int level) override;
    void loadSounds(SoundManger& manager) override;
    void loadTextures(VideoDevice* loader) override;
    void move(int target_x, int target_y) override;
    void pinchMove(int target_x, int target_y) override;

    int getFirePeriod() const { return fire_period; }
    const BladeCursor& getBlades() const { return blades; }

  private:
    void fireBeams(int target_x, int target_y);

    int fire_period = 0;
    Throttle beam_throttle{11};
    BladeCursor blades{swordBlades};
    ISound* bullet_sound = nullptr;
    ISound* slush_sound = nullptr;
    ISound* beam_sound = nullptr;
    std::unique_ptr<Texture> blade_texture;
    std::unique_ptr<Texture> beam_texture;
};

}  // namespace ml::shooting::object
