#include "engine/platform/input/VirtualPad.h"

#include <SDL.h>

#include <memory>
#include <string>
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

bool VirtualPad::plugIn(Layout layout) {
    pullOut();
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    switch (layout) {
        case Layout::controller:
        case Layout::playStation:
            desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
            desc.naxes = SDL_CONTROLLER_AXIS_MAX;
            desc.nbuttons = SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1;
            desc.name = "Virtual Controller";
            if (layout == Layout::playStation) {
                desc.vendor_id = 0x054c;  // a DualShock 4
                desc.product_id = 0x09cc;
                desc.name = "Virtual PlayStation Pad";
            }
            break;
        case Layout::xpad:
            desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;  // no mapping of its own
            desc.naxes = 6;
            desc.nbuttons = 11;
            desc.nhats = 1;
            desc.vendor_id = 0x045e;  // an Xbox 360 pad
            desc.product_id = 0x028e;
            desc.name = "Virtual X-Box 360 Pad";
            break;
        case Layout::unmapped:
            desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
            desc.naxes = 2;
            desc.nbuttons = 10;
            desc.nhats = 1;
            desc.name = "Virtual Stick";
            break;
    }
    const int index = SDL_JoystickAttachVirtualEx(&desc);
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

void VirtualPad::setHat(int value) {
    if (handle) {
        SDL_JoystickSetVirtualHat(handle->joystick.get(), 0, static_cast<Uint8>(value));
    }
}

std::string VirtualPad::guid() const {
    if (!handle)
        return "";
    SDL_JoystickGUID id = SDL_JoystickGetGUID(handle->joystick.get());
    id.data[2] = id.data[3] = 0;  // mapping lines leave out the name's checksum
    char text[33] = {};
    SDL_JoystickGetGUIDString(id, text, sizeof text);
    return text;
}

void VirtualPad::setButton(int button, bool down) {
    if (handle) {
        SDL_JoystickSetVirtualButton(handle->joystick.get(), button, down ? 1 : 0);
    }
}

}  // namespace veru::platform
