#pragma once
// InputKeyboard: the keyboard as a button word. The cursor keys and
// numeric-pad 8/2/4/6 always give the directions; every other key does what
// the action bindings put it on (by default Z X C V A for the five actions,
// Left Shift slow, Esc pause).
//
// Ownership: owns its keyboard device; borrows the bindings and the action
// table (the global ones unless given), which must outlive it.
// Thread: main thread.
// Failure: setup shows a box (caption "InputKeyboard.setup()") and returns
// false.

#include "engine/input/ActionBindings.h"
#include "engine/input/ButtonMap.h"
#include "engine/input/InputInterface.h"
#include "engine/platform/input/Keyboard.h"

namespace veru::dxt::event {

class InputKeyboard : public virtual InputInterface {
  public:
    explicit InputKeyboard(const ActionBindings* bindings = &ActionBindings::global(),
                           const ButtonMap* map = &ButtonMap::global());

    bool setup(platform::InputSystem* system, platform::Window* window) override;
    int poll() override;

    YString buttonKeyName(int bit) const override { return keyNameOf(bit); }
    FreshPress freshPress() const override { return fresh; }

    // The name(s) of the keys on the action whose mask is `bit` in the
    // global tables ("V / Left Shift"); empty when no action has that mask.
    static YString keyNameOf(int bit);
    // The key that went down between two readings, lowest code first;
    // keys::none when none did.
    static platform::KeyCode firstNewKey(const platform::KeyStates& before,
                                         const platform::KeyStates& now);

  private:
    platform::Keyboard keyboard;
    const ActionBindings* bindings;
    const ButtonMap* map;
    platform::KeyStates previous;
    FreshPress fresh;
};

}  // namespace veru::dxt::event
