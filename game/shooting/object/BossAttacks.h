#pragma once
// Attacks several bosses share. Each makes a new pattern, fires it with
// power 1, launches it and gives it to the boss, which keeps it until all
// its attacks are gone.
//
// Thread: main thread.

#include <initializer_list>

#include "game/shooting/object/BladeTable.h"

namespace veru::dxt::material {
class Texture;
}

namespace ml::shooting::object {

class Boss;

// The sample bosses' first-phase shot from the centre, flying left: one,
// two or three bullets by difficulty.
void fireSampleShot(Boss& boss, veru::dxt::material::Texture* picture);
// The sample bosses' ring from the centre starting at `first_angle`.
void fireSampleRing(Boss& boss, veru::dxt::material::Texture* picture, int first_angle);

// A three-bullet fan from the top-left corner of the boss's hit rectangle.
void fireCornerFan(Boss& boss, veru::dxt::material::Texture* picture, int speed);

// A blade starting at `start` (a field position) in its direction.
void fireBlade(Boss& boss, veru::dxt::material::Texture* picture, const BladeStart& start,
               int speed, int blur);

struct HomingBeams {
    int segments = 10;
    int speed = 0;
    int homing_start = 0;
    int homing_length = 0;
    int turn_limit = 0;
};

// One homing chain from the centre for each start angle, aimed at the target.
void fireHomingBeams(Boss& boss, veru::dxt::material::Texture* picture, const HomingBeams& beams,
                     std::initializer_list<int> angles, int target_x, int target_y);

}  // namespace ml::shooting::object
