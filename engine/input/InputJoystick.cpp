#include "engine/input/InputJoystick.h"

#include "engine/exceptions/CanNotConnectException.h"
#include "engine/platform/input/InputSystem.h"

namespace veru::dxt::event {

bool InputJoystick::setup(platform::InputSystem* system, platform::Window* /*window*/) {
    if (!system || !system->isStarted()) {
        throw excp::CanNotConnectException(u"EnumDeviceに失敗しました…");
    }
    return joystick.openFirst();
}

int InputJoystick::buttonsOf(const platform::JoystickState& state) {
    int bits = 0;
    if (state.y < -500)
        bits |= kButtonUp;
    if (state.y > 500)
        bits |= kButtonDown;
    if (state.x < -500)
        bits |= kButtonLeft;
    if (state.x > 500)
        bits |= kButtonRight;
    for (int i = 0; i < 10; ++i) {
        if (state.buttons[static_cast<std::size_t>(i)])
            bits |= kFirstButton << i;
    }
    return bits;
}

int InputJoystick::poll() {
    if (!joystick.isOpen())
        return -1;
    platform::JoystickState state;
    if (!joystick.read(state))
        return 0;
    return buttonsOf(state);
}

}  // namespace veru::dxt::event
