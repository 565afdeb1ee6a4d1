#pragma once
// InputJoystick: the first attached game pad as a button word. The stick's
// axes run from -1000 to 1000; beyond +-500 (501 and more) they count as a
// direction. Buttons 1-10 of the pad are buttons 1-10 of the word.
//
// Ownership: owns its pad.
// Thread: main thread.
// Failure: setup returns false when no pad is attached and throws
// CanNotConnectException when the pads cannot be looked at. poll returns -1
// without a pad and 0 for the frame in which the pad went away.

#include "engine/input/InputInterface.h"
#include "engine/platform/input/Joystick.h"

namespace veru::dxt::event {

class InputJoystick : public virtual InputInterface {
  public:
    bool setup(platform::InputSystem* system, platform::Window* window) override;
    int poll() override;

    // False once the pad has been pulled out.
    bool isConnected() const { return joystick.isAttached(); }
    // The button word of a pad state.
    static int buttonsOf(const platform::JoystickState& state);

  private:
    platform::Joystick joystick;
};

}  // namespace veru::dxt::event
