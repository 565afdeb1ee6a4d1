#include "engine/platform/SdlSubsystem.h"

#include <SDL.h>

#include <cstdlib>

#include "engine/exceptions/Exception.h"

namespace veru::platform {

static_assert(SdlSubsystem::video == SDL_INIT_VIDEO && SdlSubsystem::audio == SDL_INIT_AUDIO &&
              SdlSubsystem::joystick == SDL_INIT_JOYSTICK &&
              SdlSubsystem::gamecontroller == SDL_INIT_GAMECONTROLLER &&
              SdlSubsystem::events == SDL_INIT_EVENTS);

namespace {

// Mesa's software OpenGL (llvmpipe) hands each frame to rasteriser threads.
// For an 800 x 600 2D frame the hand-over costs more than the work it takes
// off this thread: rasterising here cut the game's CPU while playing from
// about 45 % to 35 % of a core, at the same pacing. Read when the driver
// starts (the first GL window), so set once before SDL's video starts; a
// value the player set is kept, and other drivers ignore it.
void preferOneThreadSoftwareGl() {
    static const bool set = ::setenv("LP_NUM_THREADS", "0", 0) == 0;
    (void)set;
}

}  // namespace

SdlSubsystem::SdlSubsystem(std::uint32_t f) : flags(f) {
    if ((flags & video) != 0) {
        preferOneThreadSoftwareGl();
    }
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
