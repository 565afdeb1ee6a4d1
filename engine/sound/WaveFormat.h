#pragma once
// WaveFormat: the PCM format of a sound file, as a wave file's "fmt " chunk
// stores it (the extra-size field is always 0).

#include <cstdint>

#include "engine/platform/audio/AudioFormat.h"

namespace veru::sound {

struct WaveFormat {
    std::uint16_t formatTag = 0;  // 1: PCM
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSec = 0;
    std::uint32_t avgBytesPerSec = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint16_t cbSize = 0;

    platform::AudioFormat toAudioFormat() const {
        return platform::AudioFormat{static_cast<int>(samplesPerSec), channels, bitsPerSample};
    }
    // What silent samples of this format hold.
    std::uint8_t silenceByte() const { return bitsPerSample == 8 ? 0x80 : 0; }
};

}  // namespace veru::sound
