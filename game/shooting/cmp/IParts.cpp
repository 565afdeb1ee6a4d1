#include "game/shooting/cmp/IParts.h"

#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Texture.h"

namespace ml::shooting::cmp {

IParts::IParts(int px, int py) : x(px), y(py) {}

IParts::~IParts() = default;

void IParts::draw(veru::dxt::DirectGraphics& graphics) {
    if (phase == kPhaseHidden || !texture) {
        return;
    }
    graphics.queueSprite(texture.get(), x, y);
}

}  // namespace ml::shooting::cmp
