#pragma once
// Lazer: one laser beam (LazerObject) from the origin. Firing places it,
// sets its hit area from the picture and keeps that as the beam's unscaled
// area; firing again starts the beam over.
//
// Thread: main thread only.

#include "game/shooting/object/patterns/ISkill.h"

namespace ml::shooting::object {

class LazerObject;

class Lazer : public ISkill {
  public:
    Lazer(int kind, int field_width, int field_height, int direction, float grow_step,
          int thickness_max, int lifetime);

    void prepare(int margin_x, int margin_y) override;

    LazerObject& beam() const;
};

}  // namespace ml::shooting::object
