#include "engine/platform/input/InputSystem.h"

#include "engine/exceptions/Exception.h"
#include "engine/platform/SdlSubsystem.h"

namespace veru::platform {

InputSystem::InputSystem() = default;
InputSystem::~InputSystem() = default;

bool InputSystem::start(std::string* reason) {
    if (sdl)
        return true;
    try {
        sdl = std::make_unique<SdlSubsystem>(SdlSubsystem::events | SdlSubsystem::joystick |
                                             SdlSubsystem::gamecontroller);
    } catch (const excp::Exception& e) {
        if (reason)
            *reason = e.getMessage().toUtf8();
        return false;
    }
    return true;
}

}  // namespace veru::platform
