#pragma once
// SequenceBat: flies in, stops at move frame 30 and fires its patterns one
// after another, `interval` frames apart, then flies on the frame after the
// last volley. Aim (remembered, current or none) comes from its row.
//
// Ownership, thread and failures: those of Bat.

#include "game/shooting/object/enemies/Bat.h"

namespace ml::shooting::object {

class SequenceBat : public Bat {
  public:
    using Bat::Bat;
    void move(int target_x, int target_y) override;

    static constexpr int stopFrame = 30;
};

}  // namespace ml::shooting::object
