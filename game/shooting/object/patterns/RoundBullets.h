#pragma once
// RoundBullets: a ring of `count` bullets from the origin, the first along
// `first_angle`, the others 360 / count degrees (truncated) apart; with
// `rotate` each picture is turned to its bullet's direction. A count of 0
// or less builds no bullets and the pattern does nothing.
//
// Thread: main thread only.

#include "game/shooting/object/patterns/ISkill.h"

namespace ml::shooting::object {

class RoundBullets : public ISkill {
  public:
    RoundBullets(int kind, int field_width, int field_height, double speed, int first_angle,
                 int count, bool rotate);

    void prepare(int margin_x, int margin_y) override;

    // The direction of bullet i.
    int directionOf(int i) const;

  private:
    double speed;
    int first_angle;
    int step;
    bool rotate;
};

}  // namespace ml::shooting::object
