#pragma once
// SdlSubsystem: keeps parts of SDL started while the object lives.
//
// Any number of these may exist at once (SDL counts them): the video device,
// the audio device and the input devices each hold one for what they use.
// The first one also sets the hints every part of the game relies on (no
// signal handlers of SDL's own; pads report while the window has no focus).
//
// Thread: create and destroy on the main thread.
// Failure: the constructor throws veru::excp::Exception with SDL's reason.

#include <cstdint>

namespace veru::platform {

class SdlSubsystem {
  public:
    enum : std::uint32_t {
        video = 0x20u,             // SDL_INIT_VIDEO
        audio = 0x10u,             // SDL_INIT_AUDIO
        joystick = 0x200u,         // SDL_INIT_JOYSTICK
        gamecontroller = 0x2000u,  // SDL_INIT_GAMECONTROLLER
        events = 0x4000u,          // SDL_INIT_EVENTS
    };

    explicit SdlSubsystem(std::uint32_t flags);
    ~SdlSubsystem();
    SdlSubsystem(const SdlSubsystem&) = delete;
    SdlSubsystem& operator=(const SdlSubsystem&) = delete;

    std::uint32_t getFlags() const { return flags; }

  private:
    std::uint32_t flags;
};

}  // namespace veru::platform
