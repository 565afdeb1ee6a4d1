#pragma once
// Drawing the 1 x 1 black fade layer stretched over the whole back buffer,
// as every front-end and talk scene does for its fades.

namespace veru::dxt {
class DirectGraphics;
}
namespace veru::dxt::material {
class Texture;
}

namespace ml {

// Draws `layer` with `alpha` (0 clear - 255 black) over width x height.
// Must be called between startSprite and endSprite.
void drawFadeLayer(veru::dxt::DirectGraphics& graphics, veru::dxt::material::Texture& layer,
                   int alpha, int width, int height);

}  // namespace ml
