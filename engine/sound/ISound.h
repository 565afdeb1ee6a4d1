#pragma once
// ISound: a sound the game can play, stop and pause.
//
// Volume is given in percent (0-100) and kept in hundredths of a decibel
// (percent x 100 - 10000); pan from -100 (left) to 100 (right), kept x 100.
// A sound never overlaps itself: play on a playing sound returns false.
//
// Ownership: the sound manager owns every sound; others borrow it.
// Thread: main thread (streaming sounds also accept their own thread).
// Failure: operations show an error box and return false; a sound that
// failed to load stays silent.

#include "engine/core/YString.h"

namespace veru::platform {
class AudioBuffer;
}

namespace veru::sound {

class YDirectSound;

class ISound {
  public:
    virtual ~ISound() = default;
    // Loads `path` into `voices` voices (duplicates sharing one buffer).
    virtual bool read(YDirectSound* device, const YString& path, int voices) = 0;
    // `path` in the Japanese ANSI code page.
    virtual bool read(YDirectSound* device, const char* path, int voices) = 0;
    virtual bool isLooping() = 0;
    virtual bool isPlaying() = 0;
    // The buffer of voice `index`; false for a bad index or no voices.
    virtual bool get3DBuffer(int index, platform::AudioBuffer** buffer) = 0;
    virtual void setVolume(int percent) = 0;
    virtual void setPan(int value) = 0;
    virtual bool play(bool loop) = 0;
    // Stops a playing sound; otherwise plays it with the last loop flag.
    virtual bool pause() = 0;
    virtual bool stop() = 0;
    // Frees the voices and the file.
    virtual void release() = 0;
    // Rewinds to the start.
    virtual bool reset() = 0;
};

}  // namespace veru::sound
