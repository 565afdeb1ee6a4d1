#pragma once
// AudioFormat: the layout of PCM frames in a sound buffer.
//
// The mixer accepts 8-bit unsigned or 16-bit signed little-endian samples,
// one or two channels, at any rate from 1000 to 192000 Hz. The output device
// always runs at 44100 Hz, 16-bit, stereo (kDeviceFormat).

#include <cstdint>

namespace veru::platform {

struct AudioFormat {
    int rate = 44100;
    int channels = 2;
    int bits = 16;

    int blockAlign() const { return channels * bits / 8; }
    int bytesPerSecond() const { return rate * blockAlign(); }
    bool isSupported() const {
        return (channels == 1 || channels == 2) && (bits == 8 || bits == 16) && rate >= 1000 &&
               rate <= 192000;
    }
    bool operator==(const AudioFormat&) const = default;
};

inline constexpr AudioFormat kDeviceFormat{44100, 2, 16};

}  // namespace veru::platform
