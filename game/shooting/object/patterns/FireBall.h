#pragma once
// FireBall: a drifting cloud of particles with no attack objects. Fired, it
// emits at the origin and drifts (vx, vy) a frame; it is gone once its
// emitter is a quarter picture beyond the field. Its box around the emitter
// hits (EffectSkill).
//
// Ownership: owns its particle effect; the picture is borrowed.
// Thread: main thread only.

#include <memory>

#include "game/shooting/object/patterns/EffectSkill.h"

namespace veru::dxt::effect2D {
class DrawParticles;
}

namespace ml::shooting::object {

class FireBall : public EffectSkill {
  public:
    FireBall(int kind, int field_width, int field_height, int vx, int vy, int size,
             int particle_parameter);
    ~FireBall() override;

    void fire(Texture* picture, int origin_x, int origin_y, int aim_x, int aim_y, int margin_x,
              int margin_y) override;
    void prepare(int margin_x, int margin_y) override;
    bool update(int aim_x, int aim_y) override;
    void draw(Graphics& graphics) override;

    // The box that hits (empty before firing).
    HitRect getHitRect() const override;

  private:
    int vx;
    int vy;
    int size;
    int particle_parameter;
    std::unique_ptr<veru::dxt::effect2D::DrawParticles> particles;
};

}  // namespace ml::shooting::object
