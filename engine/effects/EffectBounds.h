#pragma once
// A box around an effect's position (left, top inclusive; right, bottom exclusive).

namespace veru::dxt::effect2D {

struct EffectBounds {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

}  // namespace veru::dxt::effect2D
