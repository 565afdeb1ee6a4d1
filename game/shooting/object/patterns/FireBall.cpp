#include "game/shooting/object/patterns/FireBall.h"

#include "engine/effects/DrawParticles.h"
#include "engine/material/Texture.h"
#include "game/shooting/object/attacks/Fire.h"

namespace ml::shooting::object {

FireBall::FireBall(int kind_, int width, int height, int velocity_x, int velocity_y, int ball_size,
                   int parameter)
    : EffectSkill(kind_, width, height),
      vx(velocity_x),
      vy(velocity_y),
      size(ball_size),
      particle_parameter(parameter) {}

FireBall::~FireBall() = default;

void FireBall::fire(Texture* picture, int origin_x, int origin_y, int aim_x, int aim_y,
                    int margin_x, int margin_y) {
    particles = Fire::makeCloud(picture, origin_x, origin_y, vx, size, particle_parameter);
    ISkill::fire(picture, origin_x, origin_y, aim_x, aim_y, margin_x, margin_y);
}

void FireBall::prepare(int margin_x, int margin_y) {
    particles->setBoundsFromTexture(texture, margin_x, margin_y);
    state = STATE_ACTIVE;
}

HitRect FireBall::getHitRect() const {
    if (!particles) {
        return HitRect{};
    }
    auto box = particles->bounds();
    return HitRect{box.left, box.top, box.right, box.bottom};
}

bool FireBall::update(int, int) {
    if (state == STATE_ACTIVE) {
        int ex = particles->getX() + vx;
        int ey = particles->getY() + vy;
        particles->setPosition(ex, ey);
        particles->update();
        int quarter_w = texture->getWidth() / 4;
        int quarter_h = texture->getHeight() / 4;
        // Beyond the sides as written; beyond the top or bottom as well, so
        // that a ball drifting off vertically does not linger unseen.
        if (ex + quarter_w < 0 || ex - quarter_w > field_width || ey + quarter_h < 0 ||
            ey - quarter_h > field_height) {
            state = STATE_GONE;
        }
    }
    return state == STATE_GONE;
}

void FireBall::draw(Graphics& graphics) {
    if (state == STATE_ACTIVE) {
        particles->draw(graphics);
    }
}

}  // namespace ml::shooting::object
