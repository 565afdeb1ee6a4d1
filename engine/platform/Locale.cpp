#include "engine/platform/Locale.h"

#include <cstdlib>

namespace veru::platform {

Language desktopLanguage() {
    return preferredLanguage(std::getenv("LANGUAGE"), std::getenv("LC_ALL"),
                             std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

}  // namespace veru::platform
