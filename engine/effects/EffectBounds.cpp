#include "engine/effects/EffectBounds.h"

#include "engine/exceptions/NullPointerException.h"
#include "engine/material/Texture.h"

namespace veru::dxt::effect2D {

HalfExtents halfExtentsFromTexture(const material::Texture* texture, int marginX, int marginY) {
    if (!texture) {
        throw excp::NullPointerException(
            u"NullPointerException::テクスチャがセットされていません。");
    }
    return HalfExtents{(texture->getCellWidth() >> 1) - marginX,
                       (texture->getCellHeight() >> 1) - marginY};
}

}  // namespace veru::dxt::effect2D
