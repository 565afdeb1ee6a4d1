#include "game/shooting/cmp/BossGauge.h"

#include <cmath>

#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Texture.h"

namespace ml::shooting::cmp {

// A boss of fewer than 100 hit points still fills, one point per update.
BossGauge::BossGauge(int hp)
    : IGauge(hp), fillStep(hp / 100 > 0 ? hp / 100 : 1), third(static_cast<float>(hp / 3.0)) {}

BossGauge::~BossGauge() = default;

void BossGauge::loadTextures(veru::platform::VideoDevice* device) {
    redTexture = loadPicture(device, kRedPath);
    blueTexture = loadPicture(device, kBluePath);
    yellowTexture = loadPicture(device, kYellowPath);
}

bool BossGauge::update() {
    if (fillLevel >= 0) {
        fillLevel += fillStep;
        if (fillLevel < maxValue) {
            return false;
        }
        fillLevel = -1;
    }
    return true;
}

void BossGauge::drawBar(veru::dxt::DirectGraphics& graphics) {
    if (!redTexture || !blueTexture || !yellowTexture) {
        return;
    }
    int v = fillLevel >= 0 ? fillLevel : value;
    float t = third;
    if (v == maxValue) {
        graphics.queueSprite(yellowTexture.get(), x, y);
        return;
    }
    if (v <= 0 || t <= 0.0f) {
        return;
    }
    float fv = static_cast<float>(v);
    float ratio;
    veru::dxt::material::Texture* bar;
    if (fv > 2.0f * t) {
        graphics.queueSprite(blueTexture.get(), x, y);
        ratio = std::trunc(fv - 2.0f * t) / t;
        bar = yellowTexture.get();
    } else if (fv > t) {
        graphics.queueSprite(redTexture.get(), x, y);
        ratio = std::trunc(fv - t) / t;
        bar = blueTexture.get();
    } else {
        ratio = fv / t;
        bar = redTexture.get();
    }
    // Hit points above the full ones would draw past the frame.
    if (ratio > 1.0f) {
        ratio = 1.0f;
    }
    int shift = static_cast<int>(static_cast<float>(frameWidth()) * (1.0f - ratio) / 2.0f);
    graphics.queueSprite(bar, x + shift, y, ratio, 1.0f);
}

}  // namespace ml::shooting::cmp
