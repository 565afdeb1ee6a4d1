#pragma once
// Flare: a stream of flames. Every firing adds one new Fire at (origin +
// (dx, dy)) moving (vx, vy) a frame for `lifetime` frames; launchAll
// launches only the flames not yet launched, so earlier ones that have burnt
// out stay out.
//
// Thread: main thread only.

#include "game/shooting/object/patterns/ISkill.h"

namespace ml::shooting::object {

class Flare : public ISkill {
  public:
    // Frames between the particle bursts of each flame.
    static constexpr int PARTICLE_INTERVAL = 1;

    Flare(int kind, int field_width, int field_height, int vx, int vy, int dx, int dy,
          int lifetime);

    void prepare(int margin_x, int margin_y) override;
    void launchAll() override;

  private:
    int vx;
    int vy;
    int dx;
    int dy;
    int lifetime;
};

}  // namespace ml::shooting::object
