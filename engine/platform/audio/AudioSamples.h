#pragma once
// The sample memory one buffer and its duplicates share: the frames in the
// buffer's own format (what lock hands out) and the same frames converted to
// the device format (what the mixer reads). Internal to the mixer.

#include <cstdint>
#include <vector>

#include "engine/platform/audio/AudioBuffer.h"

namespace veru::platform {

// `bytes` bytes of `format` as device frames (SDL's converter); empty when
// the converter refuses the format.
std::vector<std::int16_t> convertToDevice(const AudioFormat& format, const std::uint8_t* data,
                                          std::uint32_t bytes);

struct AudioBuffer::Samples {
    AudioFormat format;
    std::vector<std::uint8_t> own;     // written by the lock holder; empty once dropped
    std::uint32_t bytes = 0;           // the size of `own` as made
    std::vector<std::int16_t> device;  // stereo frames, guarded by the mixer's lock
    std::uint32_t deviceFrames = 0;
};

}  // namespace veru::platform
