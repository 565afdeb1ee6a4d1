#include "engine/platform/video/EventPump.h"

#include <SDL.h>

#include "engine/platform/QuitSignals.h"
#include "engine/platform/video/VideoDevice.h"

namespace veru::platform {

PumpedEvent pollOneEvent() {
    PumpedEvent result;
    if (quitSignalReceived()) {
        result.kind = PumpedEvent::Kind::quit;
        return result;
    }
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0) {
        return result;
    }
    SDL_Event event;
    if (SDL_PollEvent(&event) == 0) {
        return result;
    }
    switch (event.type) {
        case SDL_QUIT:
            result.kind = PumpedEvent::Kind::quit;
            break;
        case SDL_WINDOWEVENT:
            result.kind = event.window.event == SDL_WINDOWEVENT_CLOSE ? PumpedEvent::Kind::quit
                          : event.window.event == SDL_WINDOWEVENT_FOCUS_LOST
                              ? PumpedEvent::Kind::focusLost
                              : PumpedEvent::Kind::other;
            break;
        case SDL_RENDER_DEVICE_RESET:
            VideoDevice::restoreAllDevices();
            result.kind = PumpedEvent::Kind::other;
            break;
        case SDL_MOUSEBUTTONDOWN:
            result.kind = PumpedEvent::Kind::mouseButton;
            result.x = event.button.x;
            result.y = event.button.y;
            result.button = event.button.button == SDL_BUTTON_LEFT    ? 1
                            : event.button.button == SDL_BUTTON_RIGHT ? 2
                                                                      : 3;
            break;
        case SDL_MOUSEWHEEL:
            result.kind = PumpedEvent::Kind::mouseWheel;
            result.wheel = event.wheel.y;
            break;
        default:
            result.kind = PumpedEvent::Kind::other;
            break;
    }
    return result;
}

bool postQuitEvent() {
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0) {
        return false;
    }
    SDL_Event event{};
    event.type = SDL_QUIT;
    return SDL_PushEvent(&event) == 1;
}

}  // namespace veru::platform
