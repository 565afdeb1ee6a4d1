#pragma once
// VolleyBat: flies in, stops at move frame 50 and fires every pattern at
// once, flies on at move frame 100.
//
// Ownership, thread and failures: those of Bat.

#include "game/shooting/object/enemies/Bat.h"

namespace ml::shooting::object {

class VolleyBat : public Bat {
  public:
    using Bat::Bat;
    void move(int target_x, int target_y) override;

    static constexpr int stopFrame = 50;
    static constexpr int leaveFrame = 100;
};

}  // namespace ml::shooting::object
