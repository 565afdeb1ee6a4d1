#include "game/shooting/cmp/IGauge.h"

#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Texture.h"

namespace ml::shooting::cmp {

using veru::dxt::material::Texture;

IGauge::IGauge(int max) : value(max), maxValue(max) {}

IGauge::~IGauge() = default;

std::unique_ptr<Texture> IGauge::loadPicture(veru::platform::VideoDevice* device,
                                             const veru::YString& path) {
    auto texture = std::make_unique<Texture>();
    texture->load(path, device);
    return texture;
}

void IGauge::load(veru::platform::VideoDevice* device) {
    frameTexture = loadPicture(device, kFramePath);
    surroundTexture = loadPicture(device, kSurroundPath);
    loadTextures(device);
}

void IGauge::draw(veru::dxt::DirectGraphics& graphics) {
    if (!frameTexture || !surroundTexture) {
        return;
    }
    graphics.queueSprite(frameTexture.get(), x, y);
    drawBar(graphics);
    graphics.queueSprite(surroundTexture.get(), x, y);
}

int IGauge::frameWidth() const {
    return frameTexture ? frameTexture->getWidth() : 0;
}

int IGauge::frameHeight() const {
    return frameTexture ? frameTexture->getHeight() : 0;
}

int IGauge::width() const {
    return frameWidth();
}

int IGauge::height() const {
    return frameHeight();
}

void IGauge::setPosition(int left, int top) {
    x = left + (frameWidth() >> 1);
    y = top + (frameHeight() >> 1);
}

}  // namespace ml::shooting::cmp
