#include "engine/platform/SecureRandom.h"

#include <sys/random.h>

#include <cerrno>

namespace veru::platform {

bool secureRandom32(std::uint32_t& value) {
    for (;;) {
        ssize_t got = getrandom(&value, sizeof value, 0);
        if (got == static_cast<ssize_t>(sizeof value)) {
            return true;
        }
        if (got < 0 && errno == EINTR) {
            continue;
        }
        return false;
    }
}

}  // namespace veru::platform
