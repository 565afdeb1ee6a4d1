#pragma once
// Mixer: adds every playing sound buffer into the device's output.
//
// The voices are summed in 32 bits, so any number of them adds without
// overflow, and the sum goes through a Limiter to the 16-bit output: a sum
// up to -3 dBFS comes out unchanged, a louder one is turned down smoothly
// and never reaches full scale.
//
// The audio device calls mix() from its callback thread; a test may call it
// directly ("mix N frames now") to step the play cursors and notifications
// exactly, with no device at all. Buffers are made by createBuffer and stay
// attached to this mixer until they are destroyed.
//
// Ownership: the mixer borrows its buffers; every buffer must be destroyed
// before the mixer.
// Thread: every operation, here and on the buffers, may be called from any
// thread; one internal lock serialises them with mix().

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "engine/platform/audio/AudioFormat.h"
#include "engine/platform/audio/Limiter.h"

namespace veru::platform {

class AudioBuffer;

// A whole sound already in the device's format, made without a mixer on any
// thread (a worker reading a scene ahead): what a buffer holds once the same
// data was written into it whole and its writable copy dropped.
struct ConvertedSamples {
    AudioFormat format;
    std::uint32_t bytes = 0;  // the buffer's size in `format`
    std::uint32_t deviceFrames = 0;
    std::vector<std::int16_t> device;  // deviceFrames stereo frames
};

class Mixer {
  public:
    Mixer() = default;
    ~Mixer() = default;
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    // A silent, stopped buffer of `bytes` bytes (rounded down to whole frames)
    // in `format`. Null when the format is not supported, the size is 0 or
    // memory is short.
    std::unique_ptr<AudioBuffer> createBuffer(const AudioFormat& format, std::uint32_t bytes);
    // `bytes` bytes of `format` (rounded down to whole frames) converted as a
    // buffer made by createBuffer holds them once written; nullopt where
    // createBuffer would give null. Any thread, no mixer needed.
    static std::optional<ConvertedSamples> convertWhole(const AudioFormat& format,
                                                        const std::uint8_t* data,
                                                        std::uint32_t bytes);
    // A stopped buffer on samples made by convertWhole, with no writable copy
    // (lock fails, as after AudioBuffer::dropWritableCopy); null when memory is short.
    std::unique_ptr<AudioBuffer> createBuffer(ConvertedSamples samples);

    // Writes `frames` frames of 44100 Hz 16-bit stereo (interleaved) into
    // `out`, advancing the cursor of every playing buffer and signalling each
    // notification position it passes.
    void mix(std::int16_t* out, int frames);

    // Buffers currently playing.
    int playingCount() const;
    // Buffers attached (playing or not).
    int bufferCount() const;

    // How often a playing stream (AudioBuffer::setStreaming) was asked for
    // more frames than its writer had put ahead of the cursor: once per
    // stream per mix call that starves it. Such a stream replays its old
    // ring contents. Silence of nothing playing, and sounds reaching their
    // end, are not underruns. Readable from any thread without the lock.
    std::uint64_t getUnderrunCount() const { return underruns.load(std::memory_order_relaxed); }
    // Frames mixed so far (the output written, silent or not).
    std::uint64_t getMixedFrames() const { return mixedFrames.load(std::memory_order_relaxed); }

  private:
    friend class AudioBuffer;
    void attach(AudioBuffer* buffer);
    void detach(AudioBuffer* buffer);
    void mixVoice(AudioBuffer& voice, int frames);

    mutable std::mutex lock;
    std::vector<AudioBuffer*> buffers;
    std::vector<std::int32_t> accumulator;
    Limiter limiter;
    std::atomic<std::uint64_t> underruns{0};
    std::atomic<std::uint64_t> mixedFrames{0};
};

}  // namespace veru::platform
