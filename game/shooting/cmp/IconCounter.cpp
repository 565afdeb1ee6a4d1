#include "game/shooting/cmp/IconCounter.h"

#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Texture.h"

namespace ml::shooting::cmp {

IconCounter::IconCounter() = default;

IconCounter::~IconCounter() = default;

void IconCounter::load(veru::platform::VideoDevice* device, const veru::YString& path, int refX,
                       int refY) {
    auto made = std::make_unique<veru::dxt::material::Texture>();
    made->load(path, device);
    iconTexture = std::move(made);
    x = refX - iconTexture->getWidth() / 2;
    y = refY + iconTexture->getHeight() / 2;
}

int IconCounter::getIconWidth() const {
    return iconTexture ? iconTexture->getWidth() : 0;
}

int IconCounter::getIconHeight() const {
    return iconTexture ? iconTexture->getHeight() : 0;
}

void IconCounter::draw(veru::dxt::DirectGraphics& graphics, int count) {
    if (!iconTexture) {
        return;
    }
    int w = iconTexture->getWidth();
    for (int i = 0; i < count; ++i) {
        graphics.queueSprite(iconTexture.get(), x - i * w, y);
    }
}

}  // namespace ml::shooting::cmp
