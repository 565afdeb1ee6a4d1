#include "game/shooting/cmp/KintubaGauge.h"

#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Texture.h"

namespace ml::shooting::cmp {

KintubaGauge::KintubaGauge(int full) : KintubaGauge(full, kIconPath, 0) {}

KintubaGauge::KintubaGauge(int full, const char16_t* icon, int shift)
    : IGauge(full), half(full >> 1), iconPath(icon), iconShift(shift) {}

KintubaGauge::~KintubaGauge() = default;

void KintubaGauge::loadTextures(veru::platform::VideoDevice* device) {
    iconTexture = loadPicture(device, iconPath);
    redTexture = loadPicture(device, kRedPath);
    blueTexture = loadPicture(device, kBluePath);
}

int KintubaGauge::iconWidth() const {
    return iconTexture ? iconTexture->getWidth() : 0;
}

int KintubaGauge::iconHeight() const {
    return iconTexture ? iconTexture->getHeight() : 0;
}

int KintubaGauge::width() const {
    return iconWidth() + gap + frameWidth();
}

int KintubaGauge::height() const {
    return iconHeight();
}

void KintubaGauge::setPosition(int left, int top) {
    iconX = left + iconWidth() / 2 + iconShift;
    iconY = top + (iconHeight() >> 2);
    IGauge::setPosition(left + iconWidth() + 2 * gap, top);
}

float KintubaGauge::ratio() const {
    if (value > half) {
        return 1.0f;
    }
    if (value <= 0) {
        return 0.0f;
    }
    return static_cast<float>(value) / static_cast<float>(half);
}

void KintubaGauge::drawBar(veru::dxt::DirectGraphics& graphics) {
    if (!iconTexture || !redTexture || !blueTexture) {
        return;
    }
    graphics.queueSprite(iconTexture.get(), iconX, iconY);
    float barRatio;
    veru::dxt::material::Texture* bar;
    if (value > half) {
        graphics.queueSprite(redTexture.get(), x, y);
        barRatio = half > 0 ? static_cast<float>(value - half) / static_cast<float>(half) : 1.0f;
        bar = blueTexture.get();
    } else if (value <= 0) {
        return;
    } else {
        barRatio = static_cast<float>(value) / static_cast<float>(half);
        bar = redTexture.get();
    }
    // A value above the full one would draw past the frame.
    if (barRatio > 1.0f) {
        barRatio = 1.0f;
    }
    int shift = static_cast<int>(static_cast<float>(frameWidth()) * (1.0f - barRatio) / 2.0f);
    graphics.queueSprite(bar, x - shift, y, barRatio, 1.0f);
}

}  // namespace ml::shooting::cmp
