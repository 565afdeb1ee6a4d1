#pragma once
// InputKeyboard: the keyboard as a button word. Cursor keys or numeric-pad
// 8/2/4/6 for the directions; Z X C V A S, right Ctrl, Enter, Space and Esc
// for buttons 1-10.
//
// Ownership: owns its keyboard device.
// Thread: main thread.
// Failure: setup shows a box (caption "InputKeyboard.setup()") and returns
// false.

#include "engine/input/InputInterface.h"
#include "engine/platform/input/Keyboard.h"

namespace veru::dxt::event {

class InputKeyboard : public virtual InputInterface {
  public:
    bool setup(platform::InputSystem* system, platform::Window* window) override;
    int poll() override;

    YString buttonKeyName(int bit) const override { return keyNameOf(bit); }

    // The button word of a set of held keys.
    static int buttonsOf(const platform::KeyStates& keys);
    // The key that sets button `bit` (0x10 ... 0x2000), by the name the
    // keyboard's layout gives it; empty for any other bit.
    static YString keyNameOf(int bit);

  private:
    platform::Keyboard keyboard;
};

}  // namespace veru::dxt::event
