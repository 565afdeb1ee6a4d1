#include "engine/platform/input/Joystick.h"

#include <SDL.h>

#include <algorithm>
#include <memory>
#include <utility>

namespace veru::platform {

namespace {

struct JoystickCloser {
    void operator()(SDL_Joystick* joystick) const { SDL_JoystickClose(joystick); }
};

}  // namespace

// The open pad; closed when the handle goes (close() or destruction).
struct Joystick::Handle {
    std::unique_ptr<SDL_Joystick, JoystickCloser> joystick;
};

namespace {

int scaleAxis(Sint16 value) {
    const int v = value;
    return std::clamp(v >= 0 ? v * 1000 / 32767 : v * 1000 / 32768, -1000, 1000);
}

}  // namespace

Joystick::Joystick() = default;
Joystick::~Joystick() = default;

int Joystick::countAttached() {
    if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0)
        return 0;
    SDL_JoystickUpdate();  // also notices pads plugged in or pulled out
    return std::max(0, SDL_NumJoysticks());
}

bool Joystick::openFirst() {
    close();
    const int count = countAttached();
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<SDL_Joystick, JoystickCloser> joystick(SDL_JoystickOpen(i));
        if (joystick) {
            handle = std::make_unique<Handle>();
            handle->joystick = std::move(joystick);
            return true;
        }
    }
    return false;
}

void Joystick::close() {
    handle.reset();
}

bool Joystick::isOpen() const {
    return handle != nullptr;
}

bool Joystick::isAttached() const {
    return handle && SDL_JoystickGetAttached(handle->joystick.get()) == SDL_TRUE;
}

bool Joystick::read(JoystickState& state) {
    state = JoystickState{};
    if (!handle)
        return false;
    SDL_JoystickUpdate();
    if (!isAttached())
        return false;
    SDL_Joystick* j = handle->joystick.get();
    if (SDL_JoystickNumAxes(j) > 0)
        state.x = scaleAxis(SDL_JoystickGetAxis(j, 0));
    if (SDL_JoystickNumAxes(j) > 1)
        state.y = scaleAxis(SDL_JoystickGetAxis(j, 1));
    const int buttons = std::min<int>(SDL_JoystickNumButtons(j), 10);
    for (int i = 0; i < buttons; ++i) {
        state.buttons[static_cast<std::size_t>(i)] = SDL_JoystickGetButton(j, i) != 0;
    }
    return true;
}

}  // namespace veru::platform
