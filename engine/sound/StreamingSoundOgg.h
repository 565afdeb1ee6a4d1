#pragma once
// StreamingSoundOgg: an Ogg Vorbis file streamed through a 3-second ring
// buffer. A polling thread looks at the play cursor every 100 ms and decodes
// the next 1.5 s into the half the cursor has just left.
//
// state: 4 stopped (also while loading) -> 1 ready -> play -> 2 playing <->
// 3 paused (pause) -> 4 (stop: the polling thread refills the ring from the
// start, so the next play starts at the beginning; a play before it did
// refills it there); 0 after a failed refill. A tune read ahead by a worker
// (TunePreload.h) is taken over by read instead of opened again. Neither stop nor a play of a
// stream longer than the ring decodes on the caller's thread. A looping
// stream runs on from its end to its start without a gap; a non-looping one
// plays silence after its end. Paths must be ASCII.
//
// Ownership: owns its ring buffer, decoder and thread. The thread is joined
// by release and by destruction before the buffer and decoder are freed.
// Thread: operations are called on the main thread; they and every refill of
// the polling thread are serialised by one lock. On a thread holding a
// dxt::material::PreloadPass, read only opens the tune ahead (TunePreload.h).
// Failure: boxes with the captions "StreamingSound::read()" and
// "StreamingSoundOgg::read()"; false.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "engine/sound/IStreamingSound.h"
#include "engine/sound/SoundOgg.h"
#include "engine/sound/WaveFormat.h"

namespace veru::sound {

class OggFile;
struct PreparedTune;

class StreamingSoundOgg : public SoundOgg, public IStreamingSound {
  public:
    enum : int { kFailed = 0, kReady = 1, kPlaying = 2, kPaused = 3, kStopped = 4 };

    // `pollPeriod` is how often the thread looks at the cursor (tests use a
    // shorter one to run faster).
    explicit StreamingSoundOgg(
        std::chrono::milliseconds pollPeriod = std::chrono::milliseconds(100));
    ~StreamingSoundOgg() override;

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
    // Back to the start of the stream, keeping the state.
    bool reset() override;

    int getState();
    std::uint32_t getHalfBytes() const { return halfBytes; }
    // The ring's size for a stream of `format`: three seconds, whole frames.
    static std::uint32_t ringBytesOf(const WaveFormat& format);

  private:
    OggFile* ogg() const;
    // The box for a file that could not be opened, naming it.
    void reportUnreadable(const YString& path);
    // Fills the ring from the stream's start: with `ready`'s bytes when it
    // holds a fill of this ring's size (its decoder is this stream's), else
    // by decoding.
    bool initializeBuffer(const PreparedTune* ready = nullptr);
    bool playLocked(bool loop);
    void decodeInto(std::uint32_t offset);
    void startThread();
    void stopThread();
    void pollingProc();

    int state = kStopped;
    std::uint32_t halfBytes = 0;
    bool threadRunning = false;
    std::atomic<bool> threadStop{false};
    std::thread thread;
    bool filledFirst = false;    // the first half holds the newer data
    bool filledToEnd = false;    // the last fill from the start reached the stream's end
    bool refillPending = false;  // stopped: the thread refills the ring from the start
    std::chrono::milliseconds pollPeriod;
    std::mutex guard;
    std::condition_variable wake;
};

}  // namespace veru::sound
