#include "engine/platform/ProgramFolder.h"

#include <limits.h>
#include <unistd.h>

namespace veru::platform {

bool enterProgramFolder() {
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return false;
    std::string folder(path, static_cast<std::size_t>(length));
    const std::size_t slash = folder.find_last_of('/');
    if (slash == std::string::npos)
        return false;
    folder.resize(slash == 0 ? 1 : slash);
    return ::chdir(folder.c_str()) == 0;
}

}  // namespace veru::platform
