#include "game/shooting/object/patterns/Slush.h"

#include "engine/effects/MotionBlur.h"
#include "engine/graphics/DegreeTable.h"

namespace ml::shooting::object {

using veru::dxt::DegreeTable;

Slush::Slush(int kind_, int width, int height, double blade_speed, int direction, int parameter,
             int length)
    : EffectSkill(kind_, width, height),
      speed(blade_speed),
      angle(direction),
      blur_parameter(parameter),
      blur_length(length) {}

Slush::~Slush() = default;

void Slush::fire(Texture* picture, int origin_x, int origin_y, int aim_x, int aim_y, int margin_x,
                 int margin_y) {
    blade = std::make_unique<veru::dxt::effect2D::MotionBlur>(blur_length, COPY_INTERVAL);
    blade->createCopies(picture, blur_parameter, angle);
    blade->launchAll(origin_x, origin_y, speed * DegreeTable::cosine(angle),
                     speed * DegreeTable::sine(angle), 0, 0);
    ISkill::fire(picture, origin_x, origin_y, aim_x, aim_y, margin_x, margin_y);
}

void Slush::prepare(int margin_x, int margin_y) {
    blade->setBoundsFromTexture(texture, margin_x, margin_y);
    state = STATE_ACTIVE;
}

HitRect Slush::getHitRect() const {
    if (!blade) {
        return HitRect{};
    }
    auto box = blade->headBounds();
    return HitRect{box.left, box.top, box.right, box.bottom};
}

bool Slush::update(int, int) {
    if (state == STATE_ACTIVE && blade->update()) {
        state = STATE_GONE;
    }
    return state == STATE_GONE;
}

void Slush::draw(Graphics& graphics) {
    if (state == STATE_ACTIVE) {
        blade->draw(graphics);
    }
}

}  // namespace ml::shooting::object
