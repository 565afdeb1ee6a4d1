#include "game/shooting/object/BigBoss.h"

#include <algorithm>

#include "game/shooting/object/ObjectCodes.h"

namespace ml::shooting::object {

namespace {

constexpr int fadeStep = 17;
constexpr int pauseFrames = 30;
constexpr int riseStep = 50;
constexpr int descentFrames = 60;

}  // namespace

BigBoss::BigBoss(int field_width, int field_height, int hp, double pinch_ratio, int descent_)
    : Boss(field_width, field_height, hp, pinch_ratio), descent(descent_) {
    transforms_on_arrival = true;
}

BigBoss::~BigBoss() = default;

const Texture* BigBoss::shapePicture() const {
    return transformed ? texture : big_texture.get();
}

int BigBoss::bigHeight() const {
    if (transformed) {
        return big_height;
    }
    return big_texture ? big_texture->getHeight() : 0;
}

void BigBoss::arrivedStep() {
    switch (move_frame) {
        case 0:
            countFrame(fadeStep);
            if (frame > 255) {
                frame = 255;
            }
            if (texture) {
                texture->setAlpha(255 - frame);
            }
            if (frame == 255) {
                if (big_texture) {
                    big_height = big_texture->getHeight();
                    adoptTexture(std::move(big_texture));
                    transformed = true;
                }
                y = 2 * big_height;
                move_frame = 1;
                clearFrame();
            }
            break;
        case 1:
            countFrame();
            if (frame >= pauseFrames) {
                move_frame = 2;
            }
            break;
        case 2:
            y -= riseStep;
            if (y - big_height / 2 < 0) {
                move_frame = 3;
            }
            break;
        default:
            // At least a pixel a frame, so that a shallow descent still ends.
            y += std::max(1, descent / descentFrames);
            if (y - big_height / 2 >= descent) {
                state = STATE_READY;
                clearFrame();
                clearMoveFrame();
            }
            break;
    }
}

void BigBoss::changeStep() {
    fadeMove(field_width - stop_distance, bigHeight() / 2 + descent, fadeStep);
}

}  // namespace ml::shooting::object
