#include "engine/platform/SdlSubsystem.h"

#include <SDL.h>

#include "engine/exceptions/Exception.h"

namespace veru::platform {

static_assert(SdlSubsystem::video == SDL_INIT_VIDEO && SdlSubsystem::audio == SDL_INIT_AUDIO &&
              SdlSubsystem::joystick == SDL_INIT_JOYSTICK &&
              SdlSubsystem::gamecontroller == SDL_INIT_GAMECONTROLLER &&
              SdlSubsystem::events == SDL_INIT_EVENTS);

SdlSubsystem::SdlSubsystem(std::uint32_t f) : flags(f) {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(flags) != 0) {
        throw excp::Exception(YString(u"SDLを初期化できませんでした：") +
                              YString::fromUtf8(SDL_GetError()));
    }
}

SdlSubsystem::~SdlSubsystem() {
    SDL_QuitSubSystem(flags);
}

}  // namespace veru::platform
