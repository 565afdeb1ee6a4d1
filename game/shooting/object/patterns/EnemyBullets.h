#pragma once
// EnemyBullets: a fan of bullets flying left from the origin, its width by
// the difficulty: 3 bullets 30 degrees apart at the easiest level, 5 bullets
// 15 apart at the middle one, 7 bullets 20 apart at the hardest. Any other
// level builds no bullets. With `rotate` the pictures are turned to their
// directions.
//
// Thread: main thread only.

#include <span>

#include "game/shooting/object/patterns/ISkill.h"

namespace ml::shooting::object {

class EnemyBullets : public ISkill {
  public:
    EnemyBullets(int kind, int field_width, int field_height, double speed, bool rotate, int level);

    void prepare(int margin_x, int margin_y) override;

    // The fan's directions for a level (empty for any other value).
    static std::span<const int> directionsFor(int level);

  private:
    double speed;
    bool rotate;
    std::span<const int> directions;
};

}  // namespace ml::shooting::object
