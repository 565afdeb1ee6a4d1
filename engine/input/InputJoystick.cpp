#include "engine/input/InputJoystick.h"

#include "engine/exceptions/CanNotConnectException.h"
#include "engine/platform/input/InputSystem.h"

namespace veru::dxt::event {

InputJoystick::InputJoystick(const ActionBindings* b, const ButtonMap* m) : bindings(b), map(m) {}

bool InputJoystick::setup(platform::InputSystem* system, platform::Window* /*window*/) {
    if (!system || !system->isStarted()) {
        throw excp::CanNotConnectException(u"EnumDeviceに失敗しました…");
    }
    for (int id : platform::GamePad::attachedIds()) {
        if (open(id))
            return true;
    }
    return false;
}

bool InputJoystick::open(int id) {
    previous = {};
    fresh = {};
    return pad.open(id);
}

PadInUse InputJoystick::padInUse() const {
    PadInUse info;
    if (pad.isAttached()) {
        info.present = true;
        info.name = pad.name();
        info.style = pad.style();
    }
    return info;
}

FreshPress InputJoystick::firstNewButton(const platform::PadState& before,
                                         const platform::PadState& now) {
    FreshPress press;
    const auto fresh = now.buttons & ~before.buttons;
    if (before.mapped != now.mapped)
        return press;
    for (int i = 0; i < platform::kPadButtonCount; ++i) {
        if (!fresh.test(static_cast<std::size_t>(i)))
            continue;
        if (now.mapped) {
            press.padButton = static_cast<platform::PadButton>(i);
        } else if (i < platform::kRawButtonCount) {
            press.rawButton = i;
        } else {
            continue;  // the hat of an unmapped pad
        }
        break;
    }
    return press;
}

int InputJoystick::poll() {
    fresh = {};
    if (!pad.isOpen())
        return -1;
    platform::PadState state;
    const bool read = pad.read(state);
    fresh = firstNewButton(previous, state);
    previous = state;
    return read ? bindings->padWord(state, *map) : 0;
}

}  // namespace veru::dxt::event
