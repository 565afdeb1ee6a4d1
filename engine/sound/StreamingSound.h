#pragma once
// StreamingSound: a wave file streamed through a 3-second ring buffer of 16
// blocks (3/16 s each). A notification thread, woken each time the play
// cursor leaves a block, refills the blocks already played from the file.
//
// A non-looping file that ends leaves silence behind it, and the sound stops
// itself once all its data has been heard. pause on a playing stream holds
// it; pause again resumes where it stood. play restarts from the beginning.
//
// Ownership: owns its ring buffer, file and thread. The thread is started by
// construction (and by read after a release) and is joined by release and by
// destruction, before the buffer and the file are freed.
// Thread: operations are called on the main thread; they and the refills of
// the sound's thread are serialised by one lock, so no refill runs between a
// stop and the refill that play performs.
// Failure: boxes with the captions "StreamingSound::read()", "...::play()",
// "...::reset()", "handleWaveStreamNotification()"; false.

#include <atomic>
#include <mutex>
#include <thread>

#include "engine/platform/audio/AudioEvent.h"
#include "engine/sound/IStreamingSound.h"
#include "engine/sound/Sound.h"

namespace veru::sound {

class StreamingSound : public Sound, public IStreamingSound {
  public:
    static constexpr int kBlocks = 16;

    StreamingSound();
    ~StreamingSound() override;

    bool read(YDirectSound* device, const YString& path, int voices) override;
    bool read(YDirectSound* device, const char* path, int voices) override;
    bool isLooping() override;
    bool isPlaying() override;
    bool get3DBuffer(int index, platform::AudioBuffer** buffer) override;
    void setVolume(int percent) override;
    void setPan(int value) override;
    bool play(bool loop) override;
    bool pause() override;
    bool stop() override;
    void release() override;
    bool reset() override;

    std::uint32_t getBlockBytes() const { return blockBytes; }

  private:
    void startThread();
    void endThread();
    void notificationProc();
    // Refills the blocks the cursor has left; the caller holds `guard`.
    bool handleWaveStreamNotification(bool loop);
    bool writeBlock(platform::AudioBuffer* voice, bool loop);
    bool resetLocked();
    bool playLocked(bool loop);

    std::uint32_t lastPlayCursor = 0;
    std::uint32_t bytesPlayed = 0;
    std::uint32_t blockBytes = 0;
    std::uint32_t writeOffset = 0;
    bool ending = false;
    bool paused = false;
    std::thread thread;
    platform::AudioEvent notifyEvent;
    std::atomic<bool> quit{false};
    std::mutex guard;
};

}  // namespace veru::sound
