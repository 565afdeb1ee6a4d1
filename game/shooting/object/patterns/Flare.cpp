#include "game/shooting/object/patterns/Flare.h"

#include "game/shooting/object/attacks/Fire.h"

namespace ml::shooting::object {

Flare::Flare(int kind_, int width, int height, int velocity_x, int velocity_y, int offset_x,
             int offset_y, int life)
    : ISkill(kind_, width, height, false),
      vx(velocity_x),
      vy(velocity_y),
      dx(offset_x),
      dy(offset_y),
      lifetime(life) {}

void Flare::prepare(int margin_x, int margin_y) {
    // Burnt-out flames are dropped so that a flare fired for a whole stage
    // does not grow without end.
    std::erase_if(attacks, [](const std::unique_ptr<AttackObject>& a) {
        return a->getState() == STATE_GONE;
    });
    auto fire = std::make_unique<Fire>(kind, field_width, field_height);
    dress(*fire, margin_x, margin_y);
    fire->setup(x + dx, y + dy, vx, vy, lifetime, PARTICLE_INTERVAL);
    attacks.push_back(std::move(fire));
}

void Flare::launchAll() {
    for (auto& fire : attacks) {
        if (fire->getState() == STATE_STANDBY) {
            fire->launch();
        }
    }
}

}  // namespace ml::shooting::object
