#pragma once
// AudioDevice: the one sound output of the game, 44100 Hz, 16-bit, stereo,
// fed by a Mixer from SDL's audio callback.
//
// When no sound card can be opened the device falls back to SDL's "dummy"
// driver: the mixer still runs in real time and the game is silent. A manual
// device has no SDL output at all: the owner calls getMixer().mix() itself
// (tests and tools that check the mixed samples).
//
// Ownership: owns the mixer; every buffer made by it must be destroyed first.
// Thread: create and destroy on the main thread; the mixer is thread-safe.

#include <memory>
#include <string>

#include "engine/platform/audio/Mixer.h"

namespace veru::platform {

class SdlSubsystem;

class AudioDevice {
  public:
    // Null with `reason` filled when even the silent fallback cannot start.
    static std::unique_ptr<AudioDevice> open(std::string* reason);
    static std::unique_ptr<AudioDevice> openManual();
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    Mixer& getMixer() { return mixer; }
    // The SDL driver in use ("pulseaudio", "alsa", "dummy", ...); "manual"
    // for a device without output.
    const std::string& getDriverName() const { return driverName; }

  private:
    AudioDevice() = default;
    bool openSdl(std::string* reason);

    // The SDL output, with one close point: closes the device (which waits
    // for a running callback), then stops SDL's audio part if it was started
    // directly for the silent fallback.
    class Output {
      public:
        Output() = default;
        ~Output();
        Output(const Output&) = delete;
        Output& operator=(const Output&) = delete;

        bool ownAudioInit = false;  // SDL_AudioInit called directly, without the subsystem
        unsigned int deviceId = 0;  // SDL_AudioDeviceID; 0 while none is open
    };

    // Destroyed in reverse order: the output first (the callback stops using
    // the mixer), then SDL's audio subsystem, then the mixer.
    Mixer mixer;
    std::unique_ptr<SdlSubsystem> sdl;
    Output output;
    std::string driverName = "manual";
};

}  // namespace veru::platform
