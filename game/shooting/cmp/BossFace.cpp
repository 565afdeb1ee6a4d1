#include "game/shooting/cmp/BossFace.h"

#include <algorithm>

#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Texture.h"

namespace ml::shooting::cmp {

BossFace::BossFace(int screenWidth, int fieldHeight) : x(screenWidth), y(fieldHeight) {}

BossFace::~BossFace() = default;

void BossFace::load(veru::platform::VideoDevice* device, const veru::YString& path) {
    auto made = std::make_unique<veru::dxt::material::Texture>();
    made->load(path, device);
    faceTexture = std::move(made);
    x += faceTexture->getWidth() / 2;
    y += faceTexture->getHeight() / 2;
}

int BossFace::width() const {
    return faceTexture ? faceTexture->getWidth() : 0;
}

bool BossFace::hasArrived() const {
    return moved >= width();
}

bool BossFace::update() {
    if (hasArrived()) {
        return true;
    }
    int move = std::min(step, width() - moved);
    x -= move;
    moved += move;
    return false;
}

void BossFace::draw(veru::dxt::DirectGraphics& graphics) {
    if (faceTexture) {
        graphics.queueSprite(faceTexture.get(), x, y);
    }
}

}  // namespace ml::shooting::cmp
