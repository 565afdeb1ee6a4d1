#pragma once
// MovePlanner: chooses where the player flies next. Every frame it tries
// short plans — one direction (fast or slow) for a few frames, then another
// at full speed — plays each against the threats' paths for a fixed number
// of frames ahead and keeps the cheapest: a plan that is hit costs more the
// sooner the hit comes; among safe plans the one ending lined up with the
// nearest target (or on an item), near the left of the field and away from
// the walls wins. When every such plan is hit, it looks further ahead with
// three legs (the way out of a corner, or through a ring's gap further on).
// Only the first frame of the best plan is used; the next frame plans again.
//
// Deterministic: the same view gives the same move (candidates in a fixed
// order, ties keep the first). Ownership: a plain value. Thread: any.

#include "engine/input/InputInterface.h"
#include "tools/playtest/FieldView.h"

namespace ml::playtest {

// Direction bits of the button word.
using veru::dxt::event::kButtonDown;
using veru::dxt::event::kButtonLeft;
using veru::dxt::event::kButtonRight;
using veru::dxt::event::kButtonUp;

struct Move {
    int directions = 0;  // kButton* bits
    bool slow = false;
    // Every plan is hit within `doomFrames`: only a bomb saves the player.
    bool doomed = false;
    // Frames until the best plan is hit; 0 when it is safe.
    int firstHit = 0;
};

class MovePlanner {
  public:
    struct Tuning {
        int horizon = 28;  // frames looked ahead
        int firstLeg = 6;  // frames of the first direction
        // When every short plan is hit: a longer look with a third leg.
        int deepHorizon = 44;
        int secondLeg = 12;   // frames of the second direction in the long look
        int margin = 3;       // pixels added around the player's hit area
        int doomFrames = 3;   // a hit this soon in the best plan means doomed
        int homeX = 150;      // where the player likes to stay
        int wallMargin = 50;  // closer than this to the top or bottom costs
        int leftMargin = 60;  // closer than this to the left edge costs
        double wallCost = 3;  // per pixel inside those margins
    };

    MovePlanner() = default;
    explicit MovePlanner(const Tuning& tuning) : tuning(tuning) {}

    Move plan(const FieldView& view) const;

    // The player's centre after `frames` frames flying `directions` at
    // `speed` from (x, y), kept inside the field by its hit rectangle.
    static void fly(const FieldView& view, int directions, int speed, int frames, int& x, int& y);
    // Where a threat is after `frames` updates.
    static void predict(const Threat& t, int frames, double& x, double& y);

    const Tuning& getTuning() const { return tuning; }

  private:
    Move search(const FieldView& view, int horizon, bool threeLegs) const;

    Tuning tuning;
};

}  // namespace ml::playtest
