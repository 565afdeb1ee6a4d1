#include "engine/effects/MotionEffect.h"

#include <algorithm>

namespace veru::dxt::effect2D {

MotionEffect::MotionEffect(int n, int frames)
    : count(std::max(n, 0)), interval(frames), launchedFlags(static_cast<std::size_t>(count)) {}

MotionEffect::~MotionEffect() = default;

void MotionEffect::createCopies(material::Texture* texture, int life, int angle) {
    copies.clear();
    for (int i = 0; i < count; ++i) {
        auto copy = std::make_unique<Particle>(life, 1.0f);
        copy->setTexture(texture);
        copy->angle = angle;
        copies.push_back(std::move(copy));
    }
}

void MotionEffect::launchAll(int px, int py, double vx, double vy, double ax, double ay) {
    x = px;
    y = py;
    int alpha = count > 0 ? 255 / count : 255;
    for (std::size_t i = 0; i < copies.size(); ++i) {
        copies[i]->launch(vx, vy, ax, ay, px, py);
        setCopyAlpha(static_cast<int>(i), alpha, *copies[i]);
    }
    std::fill(launchedFlags.begin(), launchedFlags.end(), false);
    launched = 0;
    counter = 0;
    if (!copies.empty()) {
        launchedFlags[0] = true;
        launched = 1;
    }
}

bool MotionEffect::update() {
    for (std::size_t i = 0; i < copies.size(); ++i) {
        if (launchedFlags[i] && copies[i]->update()) {
            launchedFlags[i] = false;
        }
    }
    bool alive = std::any_of(copies.begin(), copies.end(),
                             [](const std::unique_ptr<Particle>& c) { return !c->dead; });
    if (!alive) {
        return true;
    }
    if (launched < count && counter == interval) {
        launchedFlags[static_cast<std::size_t>(launched)] = true;
        launched += 1;
        counter = 0;
    } else {
        counter += 1;
    }
    return false;
}

void MotionEffect::draw(DirectGraphics& graphics) {
    for (auto& copy : copies) {
        if (!copy->dead || !hideFinished) {
            copy->draw(graphics);
        }
    }
}

void MotionEffect::setBounds(int w, int h) {
    halfWidth = w;
    halfHeight = h;
}

EffectBounds MotionEffect::bounds() const {
    return EffectBounds{x - halfWidth, y - halfHeight, x + halfWidth, y + halfHeight};
}

}  // namespace veru::dxt::effect2D
