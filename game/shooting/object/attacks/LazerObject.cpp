#include "game/shooting/object/attacks/LazerObject.h"

#include <algorithm>

#include "engine/graphics/DirectGraphics.h"
#include "engine/material/Texture.h"

namespace ml::shooting::object {

LazerObject::LazerObject(int kind_, int width, int height, int dir, float step, int maximum,
                         int life)
    : AttackObject(kind_, width, height),
      lifetime(life),
      direction(dir),
      grow_step(step),
      thickness_max(maximum) {}

void LazerObject::reset() {
    phase = 0;
    scale_x = scale_y = 1;
    step_count = 0;
    growing = false;
}

void LazerObject::saveHitArea() {
    saved_left = hit_left;
    saved_right = hit_right;
    saved_top = hit_top;
    saved_bottom = hit_bottom;
}

bool LazerObject::update(int, int) {
    if (state == STATE_ACTIVE) {
        if (phase == 0) {
            extend();
        } else {
            pulse();
        }
    }
    applyScaledHitArea();
    return state == STATE_GONE;
}

void LazerObject::extend() {
    countFrame();
    int cell = texture != nullptr ? texture->getCellWidth() : 0;
    int step = cell * direction;
    scale_x = frame * direction;
    x -= step >> 1;
    if (x < 0 || x + (step >> 1) > field_width) {
        phase = 1;
        growing = true;
        clearFrame();
    }
}

void LazerObject::pulse() {
    countFrame();
    int low = thickness_max / 2;
    if (step_count == 1) {
        step_count = 0;
        if (growing) {
            scale_y =
                std::min(static_cast<int>(static_cast<float>(scale_y) + grow_step), thickness_max);
        } else {
            scale_y = std::max(static_cast<int>(static_cast<float>(scale_y) - grow_step), low);
        }
    } else {
        step_count = 1;
    }
    if (growing && scale_y >= thickness_max) {
        growing = false;
    } else if (!growing && scale_y <= low) {
        growing = true;
    }
    if (frame >= lifetime) {
        kill();
    }
}

void LazerObject::applyScaledHitArea() {
    if (state == STATE_GONE) {
        setHitArea(0, 0, 0, 0);
    } else if (direction < 1) {
        setHitArea(saved_right * scale_x, saved_top * scale_y, saved_left * scale_x,
                   saved_bottom * scale_y);
    } else {
        setHitArea(saved_left * scale_x, saved_top * scale_y, saved_right * scale_x,
                   saved_bottom * scale_y);
    }
}

void LazerObject::draw(Graphics& graphics) {
    if (state == STATE_ACTIVE && texture != nullptr) {
        graphics.queueSprite(texture, x, y, static_cast<float>(scale_x),
                             static_cast<float>(scale_y));
    }
}

}  // namespace ml::shooting::object
