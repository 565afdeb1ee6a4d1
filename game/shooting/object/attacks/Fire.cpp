#include "game/shooting/object/attacks/Fire.h"

#include "engine/effects/MultiRandomParticle.h"
#include "engine/graphics/DirectGraphics.h"

namespace ml::shooting::object {

namespace {
// Particles are thrown in all four diagonal directions.
constexpr int kAllDirections = 1 | 2 | 4 | 8;
}  // namespace

Fire::Fire(int kind_, int width, int height) : AttackObject(kind_, width, height) {
    cancellable = false;
}

Fire::~Fire() = default;

void Fire::reset() {
    start_x = start_y = 0;
    vx = vy = 0;
    lifetime = 0;
}

void Fire::setup(int px, int py, double velocity_x, double velocity_y, int life,
                 int particle_parameter) {
    start_x = px;
    start_y = py;
    vx = velocity_x;
    vy = velocity_y;
    lifetime = life;
    setPosition(px, py);
    clearFrame();
    particles = makeCloud(texture, px, py, vx, PARTICLE_SIZE, particle_parameter);
}

std::unique_ptr<veru::dxt::effect2D::DrawParticles> Fire::makeCloud(Texture* picture, int px,
                                                                    int py, double vx, int size,
                                                                    int parameter) {
    auto cloud = std::make_unique<veru::dxt::effect2D::MultiRandomParticle>(kAllDirections);
    cloud->setTexture(picture);
    cloud->setEmission(PARTICLE_LIFE, size, parameter);
    double drift = vx < 0 ? 0.08 : -0.08;
    cloud->setup(px, py, 0, 3, 0, 5, drift, 0, 1, 1);
    cloud->setFade(10, 2, 0.01f);
    return cloud;
}

bool Fire::update(int, int) {
    if (state == STATE_GONE) {
        return true;
    }
    if (state == STATE_ACTIVE) {
        countFrame();
        x = static_cast<int>(x + vx);
        y = static_cast<int>(y + vy);
        if (particles) {
            particles->setPosition(x, y);
            particles->update();
        }
        if (frame >= lifetime) {
            kill();
        }
    }
    return false;
}

void Fire::draw(Graphics& graphics) {
    if (state == STATE_ACTIVE && particles) {
        particles->draw(graphics);
    }
}

}  // namespace ml::shooting::object
