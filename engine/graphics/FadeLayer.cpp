#include "engine/graphics/FadeLayer.h"

#include <algorithm>

#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Texture.h"

namespace veru::dxt {

FadeLayer::FadeLayer() = default;

FadeLayer::~FadeLayer() = default;

void FadeLayer::create(platform::VideoDevice* device) {
    auto layer = std::make_unique<material::Texture>();
    layer->createBlank(device, 1, 1);
    texture = std::move(layer);
}

void FadeLayer::release() {
    texture.reset();
}

void FadeLayer::start(bool in, int newStep) {
    fadingIn = in;
    step = newStep;
    count = 0;
    fixedAlpha = -1;
}

bool FadeLayer::advance() {
    count += step;
    if (count < 256)
        return false;
    count = kOpaque;
    return true;
}

int FadeLayer::getAlpha() const {
    if (fixedAlpha >= 0)
        return fixedAlpha;
    return fadingIn ? kOpaque - count : count;
}

void FadeLayer::setAlpha(int alpha) {
    fixedAlpha = std::clamp(alpha, 0, kOpaque);
}

void FadeLayer::draw(DirectGraphics& graphics, int width, int height) {
    if (!texture)
        return;
    texture->setAlpha(getAlpha());
    graphics.drawSprite(texture.get(), 0, 0, 0, static_cast<float>(width),
                        static_cast<float>(height), 0, 0, 0xFFFFFFFFu);
}

void FadeLayer::queue(DirectGraphics& graphics, int width, int height) {
    if (!texture)
        return;
    texture->setAlpha(getAlpha());
    graphics.queueSprite(texture.get(), 0, 0, static_cast<float>(width), static_cast<float>(height),
                         0, 0, 0);
}

}  // namespace veru::dxt
