#include "engine/adventure/Background.h"

#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Texture.h"

namespace veru::adv {

void Background::draw(dxt::DirectGraphics& graphics) {
    if (!image)
        return;
    graphics.startSprite();
    graphics.drawSprite(image, x, y);
    graphics.endSprite();
}

}  // namespace veru::adv
