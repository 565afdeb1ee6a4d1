#include "engine/platform/input/Keyboard.h"

#include <SDL.h>

namespace veru::platform {

namespace {

constexpr SDL_Scancode kScancodes[] = {
    SDL_SCANCODE_UP,    SDL_SCANCODE_DOWN,   SDL_SCANCODE_LEFT,  SDL_SCANCODE_RIGHT,
    SDL_SCANCODE_KP_8,  SDL_SCANCODE_KP_2,   SDL_SCANCODE_KP_4,  SDL_SCANCODE_KP_6,
    SDL_SCANCODE_Z,     SDL_SCANCODE_X,      SDL_SCANCODE_C,     SDL_SCANCODE_V,
    SDL_SCANCODE_A,     SDL_SCANCODE_S,      SDL_SCANCODE_RCTRL, SDL_SCANCODE_RETURN,
    SDL_SCANCODE_SPACE, SDL_SCANCODE_ESCAPE,
};
static_assert(sizeof kScancodes / sizeof kScancodes[0] == static_cast<int>(Key::count));

}  // namespace

std::string Keyboard::keyName(Key key) {
    const SDL_Scancode code = kScancodes[static_cast<int>(key)];
    const SDL_Keycode symbol = SDL_GetKeyFromScancode(code);
    const char* name = symbol != SDLK_UNKNOWN ? SDL_GetKeyName(symbol) : nullptr;
    if (!name || !*name)
        name = SDL_GetScancodeName(code);
    return name ? name : "";
}

bool Keyboard::open() {
    opened = SDL_WasInit(SDL_INIT_EVENTS) != 0 && SDL_GetKeyboardState(nullptr) != nullptr;
    return opened;
}

bool Keyboard::read(KeyStates& states) {
    states.fill(false);
    if (!opened)
        return false;
    SDL_PumpEvents();
    int count = 0;
    const Uint8* keys = SDL_GetKeyboardState(&count);
    if (!keys)
        return false;
    for (int i = 0; i < static_cast<int>(Key::count); ++i) {
        const int code = kScancodes[i];
        states[static_cast<std::size_t>(i)] = code < count && keys[code] != 0;
    }
    return true;
}

}  // namespace veru::platform
