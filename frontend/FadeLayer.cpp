#include "frontend/FadeLayer.h"

#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Texture.h"

namespace ml {

void drawFadeLayer(veru::dxt::DirectGraphics& graphics, veru::dxt::material::Texture& layer,
                   int alpha, int width, int height) {
    layer.setAlpha(alpha);
    graphics.drawSprite(&layer, 0, 0, 0, static_cast<float>(width), static_cast<float>(height), 0,
                        0, 0xFFFFFFFFu);
}

}  // namespace ml
