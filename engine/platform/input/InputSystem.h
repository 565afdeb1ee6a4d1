#pragma once
// InputSystem: keeps SDL's event, joystick and game-controller parts started
// for the input devices of the game. Starting them also reads the pad
// mappings SDL_GAMECONTROLLERCONFIG holds (SDL does this itself).
//
// Ownership: made by the input factory and borrowed by every device it sets
// up; must outlive them.
// Thread: main thread.
// Failure: start() returns false with SDL's reason.

#include <memory>
#include <string>

namespace veru::platform {

class SdlSubsystem;

class InputSystem {
  public:
    InputSystem();
    ~InputSystem();
    InputSystem(const InputSystem&) = delete;
    InputSystem& operator=(const InputSystem&) = delete;

    bool start(std::string* reason);
    bool isStarted() const { return sdl != nullptr; }

  private:
    std::unique_ptr<SdlSubsystem> sdl;
};

}  // namespace veru::platform
