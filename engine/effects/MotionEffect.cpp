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
        Particle& copy = *copies[i];
        // A trail fired again starts with fresh copies.
        copy.dead = false;
        copy.age = 0;
        copy.launch(vx, vy, ax, ay, px, py);
        setCopyAlpha(static_cast<int>(i), alpha, copy);
    }
    std::fill(launchedFlags.begin(), launchedFlags.end(), false);
    launched = 0;
    counter = 0;
}

bool MotionEffect::update() {
    for (std::size_t i = 0; i < copies.size(); ++i) {
        if (launchedFlags[i] && copies[i]->update()) {
            launchedFlags[i] = false;
        }
    }
    if (isFinished()) {
        return true;
    }
    if (launched < static_cast<int>(copies.size()) && counter == interval) {
        launchedFlags[static_cast<std::size_t>(launched)] = true;
        launched += 1;
        counter = 0;
    } else {
        counter += 1;
    }
    return false;
}

bool MotionEffect::isFinished() const {
    return std::none_of(copies.begin(), copies.end(),
                        [](const std::unique_ptr<Particle>& c) { return !c->dead; });
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

void MotionEffect::setBoundsFromTexture(const material::Texture* picture, int marginX,
                                        int marginY) {
    HalfExtents half = halfExtentsFromTexture(picture, marginX, marginY);
    setBounds(half.halfWidth, half.halfHeight);
}

EffectBounds MotionEffect::bounds() const {
    return EffectBounds{x - halfWidth, y - halfHeight, x + halfWidth, y + halfHeight};
}

const Particle* MotionEffect::head() const {
    // Copies leave in index order, so the first one in flight has gone furthest.
    for (std::size_t i = 0; i < copies.size(); ++i) {
        if (launchedFlags[i] && !copies[i]->dead) {
            return copies[i].get();
        }
    }
    return nullptr;
}

int MotionEffect::headX() const {
    const Particle* h = head();
    return h ? h->x : x;
}

int MotionEffect::headY() const {
    const Particle* h = head();
    return h ? h->y : y;
}

EffectBounds MotionEffect::headBounds() const {
    int hx = headX();
    int hy = headY();
    return EffectBounds{hx - halfWidth, hy - halfHeight, hx + halfWidth, hy + halfHeight};
}

int MotionEffect::inFlightCount() const {
    int n = 0;
    for (std::size_t i = 0; i < copies.size(); ++i) {
        if (launchedFlags[i] && !copies[i]->dead) {
            ++n;
        }
    }
    return n;
}

}  // namespace veru::dxt::effect2D
