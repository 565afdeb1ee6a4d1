#include "engine/effects/DrawParticles.h"

#include <algorithm>

#include "engine/core/MessageBox.h"
#include "engine/effects/Random.h"
#include "engine/exceptions/IllegalArgumentException.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Texture.h"

namespace veru::dxt::effect2D {

DrawParticles::DrawParticles() = default;

DrawParticles::~DrawParticles() = default;

void DrawParticles::setup(int px, int py, double vxs0, double vxs1, double vys0, double vys1,
                          double accelX, double accelY, float sc0, float sc1) {
    try {
        validate(vxs0, vxs1, vys0, vys1, sc0, sc1);
    } catch (const excp::IllegalArgumentException& e) {
        awt::showError(e.getMessage());
        vxs0 = vxs1 = vys0 = vys1 = 0.0;
        sc0 = sc1 = 1.0f;
    }
    ax = accelX;
    ay = accelY;
    x = px;
    y = py;
    scales.clear();
    xSpeeds.clear();
    ySpeeds.clear();
    constexpr int kCandidates = 100;
    if (sc0 == sc1) {
        scales.push_back(sc0);
    } else {
        for (int i = 0; i < kCandidates; ++i) {
            scales.push_back(randomFloat(sc0 * 10, sc1 * 10) / 10);
        }
    }
    if (vxs0 == vxs1) {
        xSpeeds.push_back(vxs0);
    } else {
        for (int i = 0; i < kCandidates; ++i) {
            xSpeeds.push_back(randomDouble(vxs0 * 10, vxs1 * 10) / 10);
        }
    }
    if (vys0 == vys1) {
        ySpeeds.push_back(vys0);
    } else {
        for (int i = 0; i < kCandidates; ++i) {
            ySpeeds.push_back(randomDouble(vys0 * 10, vys1 * 10) / 10);
        }
    }
}

void DrawParticles::setFade(int decreAlpha, int alphaRest, int scaleRest, float decreScale) {
    decre_alpha = decreAlpha;
    decre_scale = decreScale;
    alpha_rest_frame = alphaRest;
    if (alphaRest > exist_frame) {
        alpha_rest_frame = -1;
        throw excp::IllegalArgumentException(
            u"α値減少時間の指定が不正です。：existFrame < alpha_rest_frame");
    }
    scale_rest_frame = scaleRest;
    if (scaleRest > exist_frame) {
        scale_rest_frame = -1;
        throw excp::IllegalArgumentException(
            u"スケーリング時間の指定が不正です。：existFrame < scale_rest_frame");
    }
}

void DrawParticles::setFade(int decreAlpha, int rest, float decreScale) {
    setFade(decreAlpha, rest, rest, decreScale);
}

void DrawParticles::setTexture(material::Texture* picture, bool owns) {
    // Given the texture it already owns, the emitter keeps owning it: resetting
    // the owner with its own pointer would delete the picture still in use.
    if (picture != ownedTexture.get()) {
        ownedTexture.reset(owns ? picture : nullptr);
    }
    texture = picture;
}

void DrawParticles::setEmission(int life, int count, int frames) {
    exist_frame = life;
    perBurst = count;
    interval = frames;
}

void DrawParticles::setPosition(int px, int py) {
    x = px;
    y = py;
}

void DrawParticles::setBounds(int w, int h) {
    halfWidth = w;
    halfHeight = h;
}

void DrawParticles::setBoundsFromTexture(const material::Texture* picture, int marginX,
                                         int marginY) {
    HalfExtents half = halfExtentsFromTexture(picture, marginX, marginY);
    setBounds(half.halfWidth, half.halfHeight);
}

EffectBounds DrawParticles::bounds() const {
    return EffectBounds{x - halfWidth, y - halfHeight, x + halfWidth, y + halfHeight};
}

bool DrawParticles::update() {
    if (isFinished()) {
        return true;
    }
    for (auto& particle : particles) {
        particle->update();
    }
    std::erase_if(particles, [](const std::unique_ptr<Particle>& p) { return p->dead; });
    if (stopped || counter != interval) {
        counter += 1;
    } else {
        for (int i = 0; i < perBurst; ++i) {
            emit();
        }
        counter = 0;
    }
    return false;
}

void DrawParticles::draw(DirectGraphics& graphics) {
    bool wasCentred = graphics.isCentred();
    graphics.setCentred(true);
    for (auto& particle : particles) {
        particle->draw(graphics);
    }
    graphics.setCentred(wasCentred);
}

}  // namespace veru::dxt::effect2D
