#include "game/shooting/cmp/AlphaParts.h"

#include "engine/material/Texture.h"

namespace ml::shooting::cmp {

AlphaParts::AlphaParts(int px, int py, int in, int out, int hold)
    : IParts(px, py),
      fadeInStep(in > 0 ? in : 1),
      fadeOutStep(out > 0 ? out : 1),
      holdFrames(hold) {}

AlphaParts::~AlphaParts() = default;

void AlphaParts::load(veru::platform::VideoDevice* device, const veru::YString& path) {
    auto made = std::make_unique<veru::dxt::material::Texture>();
    made->load(path, device);
    made->setAlpha(0);
    texture = std::move(made);
}

void AlphaParts::setAlpha(int alpha) {
    if (texture) {
        texture->setAlpha(alpha);
    }
}

void AlphaParts::startFadeIn() {
    count = 0;
    phase = kPhaseFadingIn;
}

void AlphaParts::startFadeOut() {
    count = 0;
    phase = kPhaseFadingOut;
}

bool AlphaParts::update() {
    switch (phase) {
        case kPhaseShown:
            return true;
        case kPhaseHolding:
            // A hold of 0 or less ends on its first update.
            if (++count >= holdFrames) {
                count = 0;
                phase = kPhaseShown;
            }
            break;
        case kPhaseFadingIn:
            count += fadeInStep;
            if (count < 256) {
                setAlpha(count);
            } else {
                count = 0;
                phase = kPhaseHolding;
                setAlpha(255);
            }
            break;
        case kPhaseFadingOut:
            count += fadeOutStep;
            if (count >= 256) {
                count = 255;
                phase = kPhaseHidden;
            }
            setAlpha(255 - count);
            break;
        default:
            break;
    }
    return false;
}

}  // namespace ml::shooting::cmp
