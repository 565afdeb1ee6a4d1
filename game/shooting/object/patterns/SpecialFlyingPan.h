#pragma once
// SpecialFlyingPan: a pan that rises up and to the left until it is above
// the field, drops at 5 pixels a frame until its lower edge passes the
// floor line, then sways left and right, 50 frames each way, for as long as
// its owner lives (the pattern never reports itself finished).
//
// Thread: main thread only.

#include "game/shooting/object/patterns/ISkill.h"

namespace ml::shooting::object {

class ManualFlyingPan;

class SpecialFlyingPan : public ISkill {
  public:
    SpecialFlyingPan(int kind, int field_width, int field_height, int floor_line);

    void prepare(int margin_x, int margin_y) override;
    // Moves the pan one frame; always false.
    bool update(int target_x, int target_y) override;

    int getPhase() const { return phase; }
    ManualFlyingPan& pan() const;

  private:
    int floor_line;
    int phase = 0;
    int sway_count = 0;
    bool sway_back = false;
};

}  // namespace ml::shooting::object
