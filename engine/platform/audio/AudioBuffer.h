#pragma once
// AudioBuffer: one sound buffer of the mixer (a "voice").
//
// It holds PCM frames in its own format; lock hands out that memory to be
// written, and unlock converts what was written into the device format the
// mixer plays from. The play cursor, the notification positions and all
// offsets are bytes of the buffer's own format. Duplicates share the sample
// memory but keep their own cursor, volume and pan.
//
// Volume is in hundredths of a decibel (0 full, -10000 silent; the gain is
// 10^(v/2000)). Pan attenuates the opposite channel by |pan| hundredths of a
// decibel (positive pans to the right).
//
// Ownership: created by Mixer::createBuffer or duplicate; must be destroyed
// before its mixer. The event given to setNotificationPositions is borrowed
// and must outlive the buffer (or be replaced first).
// Thread: any thread; a region handed out by lock belongs to the caller until
// unlock, and two threads must not lock the same buffer at once.

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/platform/audio/AudioFormat.h"

namespace veru::platform {

class AudioEvent;
class Mixer;

// What lock hands out: one region, or two when the range wraps past the end.
struct LockedRegions {
    std::uint8_t* first = nullptr;
    std::uint32_t firstBytes = 0;
    std::uint8_t* second = nullptr;
    std::uint32_t secondBytes = 0;
};

class AudioBuffer {
  public:
    ~AudioBuffer();
    AudioBuffer(const AudioBuffer&) = delete;
    AudioBuffer& operator=(const AudioBuffer&) = delete;

    // A new voice on the same samples: stopped, at position 0, volume and pan 0.
    std::unique_ptr<AudioBuffer> duplicate() const;

    const AudioFormat& getFormat() const;
    std::uint32_t getBytes() const;

    // `bytes` bytes from `offset` (0 bytes: the whole buffer); false when
    // the offset is outside the buffer or the size larger than it.
    bool lock(std::uint32_t offset, std::uint32_t bytes, LockedRegions& regions);
    // Makes what was written into `regions` audible.
    void unlock(const LockedRegions& regions);
    // Frees the copy in the buffer's own format that lock hands out, for a
    // buffer filled once and never written again: what is audible stays (for
    // the duplicates too), the size is unchanged, lock fails from now on.
    void dropWritableCopy();

    // Starts playing from the current position; a non-looping buffer stops
    // at its end and goes back to position 0.
    void play(bool looping);
    void stop();
    bool isPlaying() const;
    bool isLooping() const;
    std::uint32_t getPlayCursor() const;
    // False when the offset is outside the buffer.
    bool setCurrentPosition(std::uint32_t offset);

    void setVolume(int hundredthsDb);
    int getVolume() const;
    void setPan(int hundredthsDb);
    int getPan() const;

    // Replaces the notification positions: `event` is signalled each time the
    // play cursor passes one of the byte offsets. False for an offset outside
    // the buffer (nothing changes then).
    bool setNotificationPositions(const std::vector<std::uint32_t>& offsets, AudioEvent* event);

    // Marks the buffer as a stream's ring, refilled behind the play cursor
    // while it plays. The mixer then counts an underrun each time the cursor
    // runs into frames that were not written again since they were last
    // played (Mixer::getUnderrunCount). Off for a new buffer.
    void setStreaming(bool on);
    bool isStreaming() const;

  private:
    friend class Mixer;
    struct Samples;

    AudioBuffer(Mixer* mixer, std::shared_ptr<Samples> samples);
    std::uint32_t toDeviceFrame(std::uint32_t offset) const;
    void updateGains();

    Mixer* mixer;
    std::shared_ptr<Samples> samples;
    // Guarded by the mixer's lock.
    std::uint32_t position = 0;  // device frames
    bool playing = false;
    bool looping = false;
    int volume = 0;
    int pan = 0;
    std::int32_t gainLeft = 32768;  // Q15
    std::int32_t gainRight = 32768;
    std::vector<std::uint32_t> notifyFrames;
    AudioEvent* event = nullptr;
    bool streaming = false;
    // Frames written but not yet played (at most the buffer's length).
    std::uint32_t framesAhead = 0;
};

}  // namespace veru::platform
