#pragma once
// IStreamingSound: a sound streamed from its file through a small ring
// buffer by a thread of its own (music). The operations are those of ISound;
// the streaming classes implement both interfaces.
//
// Ownership: the sound manager owns every stream; others borrow it.
// Thread: called on the main thread; the sound's own thread refills its
// buffer. Every operation here is safe against that thread.

#include "engine/core/YString.h"

namespace veru::platform {
class AudioBuffer;
}

namespace veru::sound {

class YDirectSound;

class IStreamingSound {
  public:
    virtual ~IStreamingSound() = default;
    virtual bool read(YDirectSound* device, const YString& path, int voices) = 0;
    virtual bool read(YDirectSound* device, const char* path, int voices) = 0;
    virtual bool isLooping() = 0;
    virtual bool isPlaying() = 0;
    virtual bool get3DBuffer(int index, platform::AudioBuffer** buffer) = 0;
    virtual void setVolume(int percent) = 0;
    virtual void setPan(int value) = 0;
    virtual bool play(bool loop) = 0;
    virtual bool pause() = 0;
    virtual bool stop() = 0;
    virtual void release() = 0;
    virtual bool reset() = 0;
};

}  // namespace veru::sound
