#pragma once
// YDirectSound: the sound device of the game. Its output is 44100 Hz,
// signed 16-bit, stereo; every sound buffer is made by its mixer.
//
// With no sound card the device runs on SDL's silent driver and the game
// goes on without sound (no error box). createManual() makes a device with
// no output at all, whose mixer the caller steps itself (tests, tools).
//
// Ownership: owns the platform device. Every sound read with this device
// must be released before the device is released or destroyed.
// Thread: main thread.
// Failure: create shows an error box (caption "YDirectSound::create()") and
// returns false.

#include <memory>

#include "engine/platform/audio/AudioDevice.h"

namespace veru::platform {
class Window;
}

namespace veru::sound {

class YDirectSound {
  public:
    YDirectSound();
    ~YDirectSound();
    YDirectSound(const YDirectSound&) = delete;
    YDirectSound& operator=(const YDirectSound&) = delete;

    // `window` is accepted for symmetry with the other devices; sound does
    // not depend on it.
    bool create(platform::Window* window);
    bool createManual();
    void release();

    // Null until create succeeds.
    platform::Mixer* getMixer() const;
    bool isCreated() const { return device != nullptr; }
    platform::AudioDevice* getDevice() const { return device.get(); }

  private:
    bool setPrimaryBuffer();

    std::unique_ptr<platform::AudioDevice> device;
};

}  // namespace veru::sound
