#include "engine/platform/audio/Limiter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/platform/audio/AudioFormat.h"

namespace veru::platform {

Limiter::Limiter() : releaseFactor(std::exp(-1.0 / (kReleaseSeconds * kDeviceFormat.rate))) {}

double Limiter::shape(double level) {
    if (level <= kKnee)
        return level;
    const double range = kCeiling - kKnee;
    return kKnee + range * std::tanh((level - kKnee) / range);
}

double Limiter::gainFor(double level) {
    return level <= kKnee ? 1.0 : shape(level) / level;
}

void Limiter::process(const std::int32_t* in, std::int16_t* out, int frames) {
    for (int i = 0; i < 2 * frames; i += 2) {
        const std::int32_t left = in[i];
        const std::int32_t right = in[i + 1];
        const auto peak = static_cast<double>(
            std::max(std::abs(std::int64_t{left}), std::abs(std::int64_t{right})));
        if (peak >= envelope) {
            envelope = peak;
            hold = kHoldFrames;
        } else if (hold > 0) {
            --hold;
        } else {
            envelope = std::max(peak, envelope * releaseFactor);
            if (envelope < 1.0)
                envelope = 0.0;  // long silence: no denormals
        }
        if (envelope <= kKnee) {
            // |left|, |right| <= peak <= envelope <= knee: no clamp needed.
            out[i] = static_cast<std::int16_t>(left);
            out[i + 1] = static_cast<std::int16_t>(right);
            continue;
        }
        // peak <= envelope, so |sample * gain| <= shape(envelope) <= ceiling.
        const double gain = gainFor(envelope);
        out[i] = static_cast<std::int16_t>(std::lround(left * gain));
        out[i + 1] = static_cast<std::int16_t>(std::lround(right * gain));
    }
}

}  // namespace veru::platform
