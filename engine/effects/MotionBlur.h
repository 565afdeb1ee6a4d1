#pragma once
// MotionBlur: a motion trail whose copies are each 255 / count opaque.
//
// Thread: main thread only.

#include "engine/effects/MotionEffect.h"

namespace veru::dxt::effect2D {

class MotionBlur : public MotionEffect {
  public:
    MotionBlur(int count, int interval) : MotionEffect(count, interval) {}
    void setCopyAlpha(int, int alpha, Particle& copy) override { copy.alpha = alpha; }
};

}  // namespace veru::dxt::effect2D
