#include "engine/platform/input/VirtualPad.h"

#include <SDL.h>

#include <memory>
#include <utility>

namespace veru::platform {

namespace {

struct JoystickCloser {
    void operator()(SDL_Joystick* joystick) const { SDL_JoystickClose(joystick); }
};

}  // namespace

// The attached virtual device and the joystick opened on it so that values
// can be set. Destruction detaches the device, then closes the joystick.
struct VirtualPad::Handle {
    std::unique_ptr<SDL_Joystick, JoystickCloser> joystick;

    Handle() = default;
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        const SDL_JoystickID id = SDL_JoystickInstanceID(joystick.get());
        // The virtual device's index may have moved while others came and went.
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            if (SDL_JoystickGetDeviceInstanceID(i) == id && SDL_JoystickIsVirtual(i)) {
                SDL_JoystickDetachVirtual(i);
                break;
            }
        }
        joystick.reset();
    }
};

VirtualPad::VirtualPad() = default;
VirtualPad::~VirtualPad() = default;

bool VirtualPad::plugIn() {
    pullOut();
    const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 10, 0);
    if (index < 0)
        return false;
    std::unique_ptr<SDL_Joystick, JoystickCloser> joystick(SDL_JoystickOpen(index));
    if (!joystick) {
        // Not opened, so it cannot be found by instance id: detach it by the
        // index it was just given.
        SDL_JoystickDetachVirtual(index);
        return false;
    }
    handle = std::make_unique<Handle>();
    handle->joystick = std::move(joystick);
    return true;
}

void VirtualPad::pullOut() {
    handle.reset();
}

void VirtualPad::setAxis(int axis, int value) {
    if (handle) {
        SDL_JoystickSetVirtualAxis(handle->joystick.get(), axis, static_cast<Sint16>(value));
    }
}

void VirtualPad::setButton(int button, bool down) {
    if (handle) {
        SDL_JoystickSetVirtualButton(handle->joystick.get(), button, down ? 1 : 0);
    }
}

}  // namespace veru::platform
