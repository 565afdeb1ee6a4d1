#pragma once
// A box around an effect's position (left, top inclusive; right, bottom
// exclusive), and the half extents an effect's picture gives it.
//
// Thread: any thread.

namespace veru::dxt::material {
class Texture;
}

namespace veru::dxt::effect2D {

struct EffectBounds {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct HalfExtents {
    int halfWidth = 0;
    int halfHeight = 0;
};

// Half of one cell of `texture` less the margins on each axis (halves by
// arithmetic shift), as game objects take their hit areas from their
// pictures. A null texture throws NullPointerException
// "NullPointerException::テクスチャがセットされていません。".
HalfExtents halfExtentsFromTexture(const material::Texture* texture, int marginX, int marginY);

}  // namespace veru::dxt::effect2D
