#include "engine/platform/input/GamePad.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <utility>

#include "engine/platform/FileSystem.h"

namespace veru::platform {

static_assert(static_cast<int>(PadButton::a) == SDL_CONTROLLER_BUTTON_A &&
              static_cast<int>(PadButton::start) == SDL_CONTROLLER_BUTTON_START &&
              static_cast<int>(PadButton::rightShoulder) == SDL_CONTROLLER_BUTTON_RIGHTSHOULDER &&
              static_cast<int>(PadButton::dpadRight) == SDL_CONTROLLER_BUTTON_DPAD_RIGHT &&
              static_cast<int>(PadButton::leftTrigger) == SDL_CONTROLLER_BUTTON_MAX);
static_assert(kRawHatUp + 4 <= kPadButtonCount);

namespace {

struct JoystickCloser {
    void operator()(SDL_Joystick* joystick) const { SDL_JoystickClose(joystick); }
};
struct ControllerCloser {
    void operator()(SDL_GameController* controller) const { SDL_GameControllerClose(controller); }
};

// A trigger counts as a button once pulled this far (of 32767).
constexpr Sint16 kTriggerPress = 32767 / 3;

int scaleAxis(Sint16 value) {
    const int v = value;
    return std::clamp(v >= 0 ? v * 1000 / 32767 : v * 1000 / 32768, -1000, 1000);
}

using NameTable = std::array<const char*, kPadButtonCount>;

// Names by PadButton, as printed on each maker's pads.
constexpr NameTable kXboxNames = {"A",  "B",  "X",  "Y",  "Back",     "Guide", "Start", "LS",
                                  "RS", "LB", "RB", "Up", "Down",     "Left",  "Right", "Share",
                                  "P1", "P2", "P3", "P4", "Touchpad", "LT",    "RT"};
constexpr NameTable kPlayStationNames = {"Cross",   "Circle", "Square",   "Triangle", "Share", "PS",
                                         "Options", "L3",     "R3",       "L1",       "R1",    "Up",
                                         "Down",    "Left",   "Right",    "Mute",     "P1",    "P2",
                                         "P3",      "P4",     "Touchpad", "L2",       "R2"};
constexpr NameTable kNintendoNames = {
    "A",    "B",    "X",     "Y",       "-",  "Home", "+",  "LS", "RS",       "L",  "R", "Up",
    "Down", "Left", "Right", "Capture", "P1", "P2",   "P3", "P4", "Touchpad", "ZL", "ZR"};

PadStyle styleOf(SDL_GameControllerType type) {
    switch (type) {
        case SDL_CONTROLLER_TYPE_PS3:
        case SDL_CONTROLLER_TYPE_PS4:
        case SDL_CONTROLLER_TYPE_PS5:
            return PadStyle::playstation;
        case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_PRO:
        case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_JOYCON_LEFT:
        case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_JOYCON_RIGHT:
        case SDL_CONTROLLER_TYPE_NINTENDO_SWITCH_JOYCON_PAIR:
            return PadStyle::nintendo;
        default:
            return PadStyle::xbox;  // the layout most pads follow
    }
}

}  // namespace

// The open pad: a controller for a mapped pad, else the bare joystick.
struct GamePad::Handle {
    std::unique_ptr<SDL_GameController, ControllerCloser> controller;
    std::unique_ptr<SDL_Joystick, JoystickCloser> joystick;
    SDL_Joystick* device() const {
        return controller ? SDL_GameControllerGetJoystick(controller.get()) : joystick.get();
    }
};

GamePad::GamePad() = default;
GamePad::~GamePad() = default;

std::vector<int> GamePad::attachedIds() {
    std::vector<int> ids;
    if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0)
        return ids;
    SDL_JoystickUpdate();  // also notices pads plugged in or pulled out
    const int count = SDL_NumJoysticks();
    for (int i = 0; i < count; ++i) {
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(i);
        if (id >= 0)
            ids.push_back(id);
    }
    return ids;
}

int GamePad::addMappingsFromFile(const std::u16string& path) {
    if (!statPath(path).exists)
        return 0;
    return SDL_GameControllerAddMappingsFromFile(osPath(path).c_str());
}

std::string GamePad::buttonName(PadButton button, PadStyle style) {
    if (button == PadButton::none || button == PadButton::count)
        return "";
    const auto i = static_cast<std::size_t>(button);
    switch (style) {
        case PadStyle::playstation:
            return kPlayStationNames[i];
        case PadStyle::nintendo:
            return kNintendoNames[i];
        case PadStyle::unmapped:
            return rawButtonName(static_cast<int>(i));
        default:
            return kXboxNames[i];
    }
}

std::string GamePad::rawButtonName(int index) {
    return "Button-" + std::to_string(index + 1);
}

std::string GamePad::buttonId(PadButton button) {
    const char* id = nullptr;
    if (button == PadButton::leftTrigger)
        id = SDL_GameControllerGetStringForAxis(SDL_CONTROLLER_AXIS_TRIGGERLEFT);
    else if (button == PadButton::rightTrigger)
        id = SDL_GameControllerGetStringForAxis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
    else if (button != PadButton::none && button != PadButton::count)
        id = SDL_GameControllerGetStringForButton(
            static_cast<SDL_GameControllerButton>(static_cast<int>(button)));
    return id ? id : "";
}

PadButton GamePad::buttonFromId(const std::string& id) {
    for (int i = 0; i < kPadButtonCount; ++i) {
        const auto button = static_cast<PadButton>(i);
        if (!id.empty() && buttonId(button) == id)
            return button;
    }
    return PadButton::none;
}

bool GamePad::open(int id) {
    close();
    const int count = SDL_NumJoysticks();
    for (int i = 0; i < count; ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) != id)
            continue;
        auto opened = std::make_unique<Handle>();
        if (SDL_IsGameController(i))
            opened->controller.reset(SDL_GameControllerOpen(i));
        if (!opened->controller)  // not mappable, or the mapping failed: read it raw
            opened->joystick.reset(SDL_JoystickOpen(i));
        if (!opened->device())
            return false;
        handle = std::move(opened);
        return true;
    }
    return false;
}

void GamePad::close() {
    handle.reset();
}

bool GamePad::isOpen() const {
    return handle != nullptr;
}

bool GamePad::isAttached() const {
    return handle && SDL_JoystickGetAttached(handle->device()) == SDL_TRUE;
}

int GamePad::instanceId() const {
    return handle ? SDL_JoystickInstanceID(handle->device()) : -1;
}

std::string GamePad::name() const {
    const char* text = nullptr;
    if (handle)
        text = handle->controller ? SDL_GameControllerName(handle->controller.get())
                                  : SDL_JoystickName(handle->joystick.get());
    return text ? text : "";
}

PadStyle GamePad::style() const {
    if (!handle || !handle->controller)
        return PadStyle::unmapped;
    return styleOf(SDL_GameControllerGetType(handle->controller.get()));
}

bool GamePad::read(PadState& state) {
    state = PadState{};
    if (!handle)
        return false;
    SDL_JoystickUpdate();
    if (!isAttached())
        return false;
    if (SDL_GameController* c = handle->controller.get()) {
        state.mapped = true;
        state.x = scaleAxis(SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX));
        state.y = scaleAxis(SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY));
        for (int i = 0; i < SDL_CONTROLLER_BUTTON_MAX; ++i) {
            if (SDL_GameControllerGetButton(c, static_cast<SDL_GameControllerButton>(i)))
                state.buttons.set(static_cast<std::size_t>(i));
        }
        if (SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_TRIGGERLEFT) >= kTriggerPress)
            state.buttons.set(PadState::index(PadButton::leftTrigger));
        if (SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_TRIGGERRIGHT) >= kTriggerPress)
            state.buttons.set(PadState::index(PadButton::rightTrigger));
        return true;
    }
    SDL_Joystick* j = handle->joystick.get();
    if (SDL_JoystickNumAxes(j) > 0)
        state.x = scaleAxis(SDL_JoystickGetAxis(j, 0));
    if (SDL_JoystickNumAxes(j) > 1)
        state.y = scaleAxis(SDL_JoystickGetAxis(j, 1));
    const int buttons = std::min(SDL_JoystickNumButtons(j), kRawButtonCount);
    for (int i = 0; i < buttons; ++i) {
        if (SDL_JoystickGetButton(j, i))
            state.buttons.set(static_cast<std::size_t>(i));
    }
    if (SDL_JoystickNumHats(j) > 0) {
        const Uint8 hat = SDL_JoystickGetHat(j, 0);
        const Uint8 directions[] = {SDL_HAT_UP, SDL_HAT_DOWN, SDL_HAT_LEFT, SDL_HAT_RIGHT};
        for (std::size_t d = 0; d < 4; ++d) {
            if (hat & directions[d])
                state.buttons.set(kRawHatUp + d);
        }
    }
    return true;
}

}  // namespace veru::platform
