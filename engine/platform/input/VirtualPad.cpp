#include "engine/platform/input/VirtualPad.h"

#include <SDL.h>

namespace veru::platform {

VirtualPad::~VirtualPad() {
    pullOut();
}

bool VirtualPad::plugIn() {
    pullOut();
    index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 10, 0);
    if (index < 0)
        return false;
    joystick = SDL_JoystickOpen(index);
    if (!joystick) {
        pullOut();
        return false;
    }
    return true;
}

void VirtualPad::pullOut() {
    if (index < 0)
        return;
    auto* j = static_cast<SDL_Joystick*>(joystick);
    const SDL_JoystickID id = j ? SDL_JoystickInstanceID(j) : -1;
    // The virtual device's index may have moved while others came and went.
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) == id && SDL_JoystickIsVirtual(i)) {
            SDL_JoystickDetachVirtual(i);
            break;
        }
    }
    if (j)
        SDL_JoystickClose(j);
    joystick = nullptr;
    index = -1;
}

void VirtualPad::setAxis(int axis, int value) {
    if (joystick) {
        SDL_JoystickSetVirtualAxis(static_cast<SDL_Joystick*>(joystick), axis,
                                   static_cast<Sint16>(value));
    }
}

void VirtualPad::setButton(int button, bool down) {
    if (joystick) {
        SDL_JoystickSetVirtualButton(static_cast<SDL_Joystick*>(joystick), button, down ? 1 : 0);
    }
}

}  // namespace veru::platform
