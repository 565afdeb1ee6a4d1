#pragma once
// Fire: one flame of a Flare — an attack drawn as a cloud of particles that
// trails behind it while it flies a fixed velocity for `lifetime` frames.
// A bomb cannot cancel it.
//
// Ownership: owns its particle effect; the picture is the pattern's.
// Thread: main thread only.

#include <memory>

#include "game/shooting/object/attacks/AttackObject.h"

namespace veru::dxt::effect2D {
class DrawParticles;
}

namespace ml::shooting::object {

class Fire : public AttackObject {
  public:
    // Particles of one flame: their life in frames and how many it throws
    // per burst; particle_parameter (setup) is the number of frames between
    // bursts.
    static constexpr int PARTICLE_LIFE = 10;
    static constexpr int PARTICLE_SIZE = 5;

    Fire(int kind, int field_width, int field_height);
    ~Fire() override;

    void reset() override;
    // Killed on the active update whose frame count reaches the lifetime;
    // true once found gone.
    bool update(int target_x, int target_y) override;
    void draw(Graphics& graphics) override;
    // Start, velocity and life, and a new particle cloud from the picture
    // (give the picture first) emitting at the start, drifting against the
    // flight.
    void setup(int px, int py, double velocity_x, double velocity_y, int life,
               int particle_parameter);

    // The flame's particle cloud: `size` particles a burst, a burst every
    // `parameter` + 1 frames, thrown every way from (px, py) with a drift
    // against a flight of horizontal speed `vx`. The picture is borrowed.
    static std::unique_ptr<veru::dxt::effect2D::DrawParticles> makeCloud(Texture* picture, int px,
                                                                         int py, double vx,
                                                                         int size, int parameter);

    const veru::dxt::effect2D::DrawParticles* getParticles() const { return particles.get(); }
    int getLifetime() const { return lifetime; }

  private:
    int start_x = 0;
    int start_y = 0;
    double vx = 0;
    double vy = 0;
    int lifetime = 0;
    std::unique_ptr<veru::dxt::effect2D::DrawParticles> particles;
};

}  // namespace ml::shooting::object
