#include "engine/input/InputSwitcher.h"

#include "engine/exceptions/Exception.h"
#include "engine/platform/input/Joystick.h"

namespace veru::dxt::event {

InputSwitcher::InputSwitcher(std::unique_ptr<InputJoystick> p, std::unique_ptr<InputKeyboard> k)
    : pad(std::move(p)), keyboard(std::move(k)) {}

bool InputSwitcher::setup(platform::InputSystem* s, platform::Window* w) {
    system = s;
    window = w;
    return true;
}

void InputSwitcher::lookForPad() {
    if (--framesToRetry > 0)
        return;
    framesToRetry = kRetryFrames;
    if (platform::Joystick::countAttached() == 0)
        return;
    auto candidate = std::make_unique<InputJoystick>();
    try {
        if (candidate->setup(system, window))
            pad = std::move(candidate);
    } catch (const excp::Exception&) {
        // Try again later; the keyboard keeps working meanwhile.
    }
}

int InputSwitcher::poll() {
    if (pad) {
        const int bits = pad->poll();
        if (pad->isConnected())
            return bits;
        pad.reset();  // pulled out: the keyboard takes over
        framesToRetry = kRetryFrames;
    } else {
        lookForPad();
        if (pad)
            return pad->poll();
    }
    // No keyboard to fall back on: report nothing held rather than every bit.
    return keyboard ? keyboard->poll() : 0;
}

}  // namespace veru::dxt::event
