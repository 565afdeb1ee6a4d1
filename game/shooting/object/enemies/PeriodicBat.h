#pragma once
// PeriodicBat: never stops; every period (by difficulty) it makes a new fire
// ball, fires it from its centre and keeps it in its list until it is gone.
//
// Ownership, thread and failures: those of Bat.

#include "game/shooting/object/enemies/Bat.h"

namespace ml::shooting::object {

class PeriodicBat : public Bat {
  public:
    using Bat::Bat;
    void move(int target_x, int target_y) override;

    int getPeriod() const { return row.firePeriod.at(difficulty); }
};

}  // namespace ml::shooting::object
