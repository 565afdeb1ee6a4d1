#pragma once
// Slush: a blade of motion blur with no attack objects. Fired, `blur_length`
// faint copies of the picture leave the origin one frame after another along
// `angle` at `speed` pixels a frame, each living `blur_parameter` frames. The
// leading copy's box hits (EffectSkill); the blade is finished when the last
// copy has died.
//
// Ownership: owns its motion effect; the picture is borrowed.
// Thread: main thread only.

#include <memory>

#include "game/shooting/object/patterns/EffectSkill.h"

namespace veru::dxt::effect2D {
class MotionEffect;
}

namespace ml::shooting::object {

class Slush : public EffectSkill {
  public:
    // Frames between two copies leaving.
    static constexpr int COPY_INTERVAL = 0;

    Slush(int kind, int field_width, int field_height, double speed, int angle, int blur_parameter,
          int blur_length);
    ~Slush() override;

    void fire(Texture* picture, int origin_x, int origin_y, int aim_x, int aim_y, int margin_x,
              int margin_y) override;
    void prepare(int margin_x, int margin_y) override;
    bool update(int aim_x, int aim_y) override;
    void draw(Graphics& graphics) override;

    // The leading copy's box (empty before firing).
    HitRect getHitRect() const override;

  private:
    double speed;
    int angle;
    int blur_parameter;
    int blur_length;
    std::unique_ptr<veru::dxt::effect2D::MotionEffect> blade;
};

}  // namespace ml::shooting::object
