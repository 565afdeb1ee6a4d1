#include "engine/effects/Particle.h"

#include <algorithm>

#include "engine/exceptions/IllegalArgumentException.h"
#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Texture.h"

namespace veru::dxt::effect2D {

Particle::Particle(int life, float s) : scale(s), exist_frame(life) {}

Particle::~Particle() = default;

void Particle::setOwnedTexture(std::unique_ptr<material::Texture> picture) {
    ownedTexture = std::move(picture);
    texture = ownedTexture.get();
}

void Particle::launch(double newVx, double newVy, double newAx, double newAy, int ox, int oy) {
    originX = x = ox;
    originY = y = oy;
    vx = newVx;
    vy = newVy;
    ax = newAx;
    ay = newAy;
    moveX = vx;
    moveY = vy;
    curveX = accelX = ax;
    curveY = accelY = ay;
    stepX = ax / 2;
    stepY = ay / 2;
}

void Particle::setFade(int decreAlpha, int alphaRest, int scaleRest, float decreScale) {
    using excp::IllegalArgumentException;
    alphaStart = alphaRest < 0 ? -1 : exist_frame - alphaRest;
    if (alphaStart < 0 && alphaRest >= 0) {
        alphaStart = -1;
        throw IllegalArgumentException(
            u"α値減少残り時間が不正です。存在時間以下にしてください。：alpha_rest_frame < "
            u"exist_frame");
    }
    scaleStart = scaleRest < 0 ? -1 : exist_frame - scaleRest;
    if (scaleStart < 0 && scaleRest >= 0) {
        scaleStart = -1;
        throw IllegalArgumentException(
            u"スケーリング減少残り時間が不正です。存在時間以下にしてください。：scale_rest_frame < "
            u"exist_frame");
    }
    if (decreAlpha >= 256 || decreAlpha < 0) {
        alphaStart = -1;
        throw IllegalArgumentException(
            decreAlpha >= 256 ? u"α値に不正なパラメータが指定されました。：decre_alpha > 255"
                              : u"α値に不正なパラメータが指定されました。：decre_alpha < 0");
    }
    decre_alpha = decreAlpha;
    if (decreScale > 1.0f || decreScale < 0.0f) {
        scaleStart = -1;
        throw IllegalArgumentException(
            decreScale > 1.0f
                ? u"スケーリング値に不正なパラメータが指定されました。：decre_scale > 1.0f"
                : u"スケーリング値に不正なパラメータが指定されました。：decre_scale < 0.0f");
    }
    decre_scale = decreScale;
}

bool Particle::update() {
    x = static_cast<int>(moveX + curveX + originX);
    y = static_cast<int>(curveY + moveY + originY);
    moveX += vx;
    moveY += vy;
    stepX += accelX;
    stepY += accelY;
    curveX += stepX;
    curveY += stepY;
    if (alphaStart >= 0 && age >= alphaStart) {
        alpha = std::max(alpha - decre_alpha, 0);
    }
    if (scaleStart >= 0 && age >= scaleStart) {
        scale = std::max(scale - decre_scale, 0.0f);
    }
    if (age < exist_frame) {
        age += 1;
        return false;
    }
    dead = true;
    return true;
}

void Particle::draw(DirectGraphics& graphics) {
    if (!texture) {
        return;
    }
    // The quad takes the particle's alpha; the shared texture keeps its own.
    int textureAlpha = texture->getAlpha();
    texture->setAlpha(alpha);
    float fx = static_cast<float>(x);
    float fy = static_cast<float>(y);
    if (deferred) {
        graphics.queueQuad(texture, fx, fy, scale, scale, angle, blend);
    } else {
        graphics.drawQuad(texture, fx, fy, scale, scale, angle, blend);
    }
    texture->setAlpha(textureAlpha);
}

}  // namespace veru::dxt::effect2D
