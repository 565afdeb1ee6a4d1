#pragma once
// LaserBat: flies in fast, stops at move frame 10 and fires every pattern
// at once (the laser from its left hit edge), then waits: Bat20 and Bat21
// back away to the right once the laser is gone, Bat22 and Bat23 fly on
// once the laser is gone, Bat24 (no laser) flies on at move frame 100.
//
// Ownership, thread and failures: those of Bat.

#include "game/shooting/object/enemies/Bat.h"

namespace ml::shooting::object {

class LaserBat : public Bat {
  public:
    using Bat::Bat;
    void move(int target_x, int target_y) override;

    static constexpr int stopFrame = 10;
    static constexpr int leaveFrame = 100;

  private:
    bool backsAway() const { return number == 20 || number == 21; }
};

}  // namespace ml::shooting::object
