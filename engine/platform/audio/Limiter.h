#pragma once
// Limiter: the last stage of the mix, from the 32-bit sum of the voices to
// the 16-bit output, so that the output never reaches full scale.
//
// A sum at or below the knee passes unchanged, bit for bit: the music and
// most effects alone never meet the limiter. Above it the level is turned
// down smoothly instead of being cut off (hard clipping, heard as crackle):
// a peak envelope, shared by both channels so the stereo image stays put,
// rises at once with the sum, holds for a few milliseconds and falls back
// slowly; the gain maps that envelope through a soft curve (tanh) that
// bends away from the knee towards the ceiling and never goes beyond it.
//
// The numbers (one table, at the device's 44100 Hz):
//   knee     -3 dBFS   where turning down starts
//   ceiling  -1 dBFS   never exceeded; leaves headroom for the converter
//   hold      5 ms     longer than a cycle of the lowest tones, so the gain
//                      does not follow the waveform itself
//   release  80 ms     time constant of the return to full gain
//
// Thread: not thread-safe; the mixer calls it under its lock.

#include <cstdint>

namespace veru::platform {

class Limiter {
  public:
    static constexpr double kKnee = 23198.0;     // 32767 * 10^(-3/20)
    static constexpr double kCeiling = 29204.0;  // 32767 * 10^(-1/20)
    static constexpr int kHoldFrames = 220;
    static constexpr double kReleaseSeconds = 0.080;

    Limiter();

    // `frames` interleaved stereo frames of `in` to `out`.
    void process(const std::int32_t* in, std::int16_t* out, int frames);

    // The gain applied to the last frame: 1 when nothing was turned down.
    double getGain() const { return gainFor(envelope); }
    // The output level of a sum whose peak envelope is `level`: the level
    // itself up to the knee, then bending towards the ceiling (at most it).
    static double shape(double level);

  private:
    static double gainFor(double level);

    double releaseFactor;
    double envelope = 0.0;
    int hold = 0;
};

}  // namespace veru::platform
