#include "engine/platform/video/SdlMessageSink.h"

#include <SDL.h>

#include <cstring>
#include <memory>

#include "engine/exceptions/Exception.h"
#include "engine/platform/SdlSubsystem.h"

namespace veru::platform {

bool SdlMessageSink::hasDisplay() {
    // Asking needs SDL's video part; start it for the question when nothing else has.
    std::unique_ptr<SdlSubsystem> video;
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        try {
            video = std::make_unique<SdlSubsystem>(SdlSubsystem::video);
        } catch (const excp::Exception&) {
            return false;
        }
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::strcmp(driver, "dummy") != 0 && std::strcmp(driver, "offscreen") != 0;
}

void SdlMessageSink::show(awt::MessageKind kind, const YString& caption, const YString& text) {
    if (hasDisplay()) {
        Uint32 flags = kind == awt::MessageKind::error     ? SDL_MESSAGEBOX_ERROR
                       : kind == awt::MessageKind::warning ? SDL_MESSAGEBOX_WARNING
                                                           : SDL_MESSAGEBOX_INFORMATION;
        if (SDL_ShowSimpleMessageBox(flags, caption.toUtf8().c_str(), text.toUtf8().c_str(),
                                     nullptr) == 0) {
            return;
        }
    }
    fallback.show(kind, caption, text);
}

}  // namespace veru::platform
