#include "engine/platform/input/Keyboard.h"

#include <SDL.h>

#include <string>

namespace veru::platform {

static_assert(keys::a == SDL_SCANCODE_A && keys::c == SDL_SCANCODE_C && keys::s == SDL_SCANCODE_S &&
              keys::v == SDL_SCANCODE_V && keys::x == SDL_SCANCODE_X && keys::z == SDL_SCANCODE_Z);
static_assert(keys::enter == SDL_SCANCODE_RETURN && keys::escape == SDL_SCANCODE_ESCAPE &&
              keys::space == SDL_SCANCODE_SPACE && keys::leftShift == SDL_SCANCODE_LSHIFT &&
              keys::rightCtrl == SDL_SCANCODE_RCTRL);
static_assert(keys::up == SDL_SCANCODE_UP && keys::down == SDL_SCANCODE_DOWN &&
              keys::left == SDL_SCANCODE_LEFT && keys::right == SDL_SCANCODE_RIGHT);
static_assert(keys::pad2 == SDL_SCANCODE_KP_2 && keys::pad4 == SDL_SCANCODE_KP_4 &&
              keys::pad6 == SDL_SCANCODE_KP_6 && keys::pad8 == SDL_SCANCODE_KP_8);
static_assert(kKeyCodeCount == SDL_NUM_SCANCODES);

namespace {

bool isKey(KeyCode key) {
    return key > 0 && key < kKeyCodeCount;
}

}  // namespace

std::string Keyboard::keyName(KeyCode key) {
    if (!isKey(key))
        return "";
    const auto code = static_cast<SDL_Scancode>(key);
    if (code == SDL_SCANCODE_ESCAPE)
        return "Esc";  // the label on the key itself
    const SDL_Keycode symbol = SDL_GetKeyFromScancode(code);
    const char* name = symbol != SDLK_UNKNOWN ? SDL_GetKeyName(symbol) : nullptr;
    if (!name || !*name)
        name = SDL_GetScancodeName(code);
    return name ? name : "";
}

std::string Keyboard::keyId(KeyCode key) {
    const char* name = isKey(key) ? SDL_GetScancodeName(static_cast<SDL_Scancode>(key)) : nullptr;
    return name ? name : "";
}

KeyCode Keyboard::keyFromId(std::string_view id) {
    if (id.empty())
        return keys::none;
    const std::string text(id);
    const SDL_Scancode code = SDL_GetScancodeFromName(text.c_str());
    return code == SDL_SCANCODE_UNKNOWN ? keys::none : static_cast<KeyCode>(code);
}

bool Keyboard::open() {
    opened = SDL_WasInit(SDL_INIT_EVENTS) != 0 && SDL_GetKeyboardState(nullptr) != nullptr;
    return opened;
}

bool Keyboard::read(KeyStates& states) {
    states.reset();
    if (!opened)
        return false;
    SDL_PumpEvents();
    int count = 0;
    const Uint8* held = SDL_GetKeyboardState(&count);
    if (!held)
        return false;
    for (int i = 1; i < count && i < kKeyCodeCount; ++i) {
        if (held[i])
            states.set(static_cast<std::size_t>(i));
    }
    return true;
}

}  // namespace veru::platform
