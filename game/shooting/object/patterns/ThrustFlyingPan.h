#pragma once
// ThrustFlyingPan: one pan thrown from the origin along `angle` at a whole
// number of pixels a frame (speed x cos, speed x sin, each truncated); it
// vanishes after `lifetime` frames.
//
// Thread: main thread only.

#include "game/shooting/object/patterns/ISkill.h"

namespace ml::shooting::object {

class ThrustFlyingPan : public ISkill {
  public:
    ThrustFlyingPan(int kind, int field_width, int field_height, double speed, int angle,
                    int lifetime);

    void prepare(int margin_x, int margin_y) override;

  private:
    double speed;
    int angle;
};

}  // namespace ml::shooting::object
