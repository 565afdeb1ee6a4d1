#pragma once
// MultiRandomParticle: a burst emitter throwing particles in the allowed
// diagonal directions: flag 1 right and up, 2 left and up, 4 left and down,
// 8 right and down. Speeds are magnitudes; the direction gives their signs.
//
// Thread: main thread only.

#include <vector>

#include "engine/effects/DrawParticles.h"

namespace veru::dxt::effect2D {

class MultiRandomParticle : public DrawParticles {
  public:
    explicit MultiRandomParticle(int directionFlags);

    void emit() override;
    // "引数の値が不正です。：" + the first failing condition.
    void validate(double vxs0, double vxs1, double vys0, double vys1, float sc0,
                  float sc1) override;

    const std::vector<int>& allowedDirections() const { return directions; }

  private:
    int flags;
    std::vector<int> directions;
};

}  // namespace veru::dxt::effect2D
