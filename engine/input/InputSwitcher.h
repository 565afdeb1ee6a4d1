#pragma once
// InputSwitcher: the pad when one is plugged in, else the keyboard.
//
// While a pad is in use the keyboard is not read. When that pad is pulled
// out the keyboard takes over from the next frame; a pad plugged in later is
// picked up within half a second (30 frames) and takes over again. Nothing
// is shown to the player on these changes.
//
// Ownership: owns both devices; borrows the input system.
// Thread: main thread.

#include <memory>

#include "engine/input/InputJoystick.h"
#include "engine/input/InputKeyboard.h"

namespace veru::dxt::event {

class InputSwitcher : public virtual InputInterface {
  public:
    static constexpr int kRetryFrames = 30;

    // `pad` may be null (no pad attached at start) or a set-up pad.
    InputSwitcher(std::unique_ptr<InputJoystick> pad, std::unique_ptr<InputKeyboard> keyboard);

    // The devices are set up already; this only remembers the system.
    bool setup(platform::InputSystem* system, platform::Window* window) override;
    int poll() override;
    // The keyboard's key names while the keyboard is the input; none for a pad.
    YString buttonKeyName(int bit) const override {
        return !pad && keyboard ? keyboard->buttonKeyName(bit) : YString();
    }

    bool isUsingPad() const { return pad != nullptr; }

  private:
    void lookForPad();

    std::unique_ptr<InputJoystick> pad;
    std::unique_ptr<InputKeyboard> keyboard;
    platform::InputSystem* system = nullptr;
    platform::Window* window = nullptr;
    int framesToRetry = 0;
};

}  // namespace veru::dxt::event
