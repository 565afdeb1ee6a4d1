#pragma once
// LeadBeam: a homing chain of `count` beam segments. The head flies from the
// origin along its start angle; between the frames homing_start and
// homing_start + homing_length it turns towards the target, at most
// `turn_limit` degrees a frame, the short way round. The other segments
// follow the head's path one frame apart. The chain is gone as soon as its
// last segment is a picture beyond the field.
//
// The head flies on an exact (double) position; the segments are placed,
// drawn and tested at its nearest whole pixel. (Whole pixels every frame
// would lose any motion under a pixel a frame: a chain turning slowly
// towards a target below would never come down to it.)
//
// Thread: main thread only.

#include <vector>

#include "game/shooting/object/patterns/ISkill.h"

namespace ml::shooting::object {

class BeamObject;

class LeadBeam : public ISkill {
  public:
    LeadBeam(int kind, int field_width, int field_height, int count, double speed, double accel,
             int angle, int homing_start, int homing_length, int turn_limit);

    void prepare(int margin_x, int margin_y) override;
    // One frame of the chain; true when it is finished.
    bool update(int target_x, int target_y) override;

    int getAngle() const { return angle; }
    int getStepCount() const { return step_count; }

    // The new heading from `from` towards `wanted` (both 0..359) turning by
    // at most `limit` degrees (0 or less: no limit), the short way round.
    static int turnTowards(int from, int wanted, int limit);

  private:
    struct TrailEntry {
        int x = 0;
        int y = 0;
        int angle = 0;
    };
    void setHeading(int degrees);
    bool lastSegmentOutOfField() const;

    double speed;
    int accel;
    int start_angle;
    int homing_start;
    int homing_length;
    int turn_limit;
    int angle = 0;
    int step_count = 0;
    double head_x = 0;
    double head_y = 0;
    double vx = 0;
    double vy = 0;
    double ax = 0;
    double ay = 0;
    std::vector<TrailEntry> trail;
};

}  // namespace ml::shooting::object
