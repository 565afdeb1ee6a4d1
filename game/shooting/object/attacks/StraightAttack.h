#pragma once
// StraightAttack: the ordinary bullet. It flies with a constant
// acceleration on an exact (double) position and shows the truncated
// integer part; it is gone one texture cell beyond any edge of the field.
//
// Thread: main thread only.

#include "game/shooting/object/attacks/AttackObject.h"

namespace ml::shooting::object {

class StraightAttack : public AttackObject {
  public:
    StraightAttack(int kind, int field_width, int field_height);

    // Every motion field back to 0.
    void reset() override;
    bool update(int target_x, int target_y) override;

    // Start, velocity and acceleration; a velocity of exactly (0, 0) becomes
    // (1, 1) so that a bullet never stands still.
    void setMotion(int px, int py, double vx, double vy, double ax, double ay);
    // Along a whole-degree direction, with the degree tables.
    void launchByAngle(int px, int py, int direction, double speed, double accel);
    // Towards (tx, ty), the direction computed exactly with atan2.
    void aimAt(int px, int py, int tx, int ty, double speed, double accel);

    int getStartX() const { return start_x; }
    int getStartY() const { return start_y; }
    double getVx() const { return vx; }
    double getVy() const { return vy; }
    double getAx() const { return ax; }
    double getAy() const { return ay; }

  private:
    int start_x = 0;
    int start_y = 0;
    double pos_x = 0;
    double pos_y = 0;
    double vx = 0;
    double vy = 0;
    double ax = 0;
    double ay = 0;
};

}  // namespace ml::shooting::object
