#pragma once
// LazerObject: the beam of the Lazer pattern. It first stretches away from
// its origin (`direction` picture widths a frame; positive: leftwards,
// negative: rightwards and mirrored) until it reaches past the field's edge,
// then pulses its thickness between thickness_max / 2 and thickness_max,
// changing by grow_step every second frame, for `lifetime` frames.
//
// Its hit area is the saved unscaled area (saveHitArea, after the pattern
// set it from the picture) times the current scales, left < right for both
// directions; once gone it is empty.
//
// Thread: main thread only.

#include "game/shooting/object/attacks/AttackObject.h"

namespace ml::shooting::object {

class LazerObject : public AttackObject {
  public:
    LazerObject(int kind, int field_width, int field_height, int direction, float grow_step,
                int thickness_max, int lifetime);

    // Phase 0, scales 1 and 1, step count 0, not growing.
    void reset() override;
    bool update(int target_x, int target_y) override;
    void draw(Graphics& graphics) override;
    // Keeps the current hit area as the unscaled area.
    void saveHitArea();

    int getPhase() const { return phase; }
    int getScaleX() const { return scale_x; }
    int getScaleY() const { return scale_y; }
    bool isGrowing() const { return growing; }
    int getDirection() const { return direction; }
    int getThicknessMax() const { return thickness_max; }
    // The unscaled hit area kept by saveHitArea.
    int getSavedTop() const { return saved_top; }
    int getSavedBottom() const { return saved_bottom; }

  private:
    void extend();
    void pulse();
    void applyScaledHitArea();

    int lifetime;
    int direction;
    float grow_step;
    int thickness_max;
    bool growing = false;
    int phase = 0;
    int scale_x = 1;
    int scale_y = 1;
    int saved_left = 0;
    int saved_right = 0;
    int saved_top = 0;
    int saved_bottom = 0;
    int step_count = 0;
};

}  // namespace ml::shooting::object
