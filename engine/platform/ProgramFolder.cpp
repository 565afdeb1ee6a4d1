#include "engine/platform/ProgramFolder.h"

#include <limits.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "engine/platform/FileSystem.h"
#include "engine/platform/TextCodec.h"

namespace veru::platform {

std::u16string programFolder() {
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return {};
    std::string folder(path, static_cast<std::size_t>(length));
    const std::size_t slash = folder.find_last_of('/');
    if (slash == std::string::npos)
        return {};
    folder.resize(slash == 0 ? 1 : slash);
    return utf8ToUtf16(folder);
}

std::u16string userDataHome() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && dataHome[0] == '/')
        return utf8ToUtf16(dataHome);
    std::string home;
    if (const char* fromEnvironment = std::getenv("HOME"); fromEnvironment && fromEnvironment[0])
        home = fromEnvironment;
    else if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir)
        home = user->pw_dir;
    if (home.empty() || home[0] != '/')
        return {};
    while (home.size() > 1 && home.back() == '/')
        home.pop_back();
    return utf8ToUtf16(home == "/" ? "/.local/share" : home + "/.local/share");
}

bool enterFolder(std::u16string_view folder) {
    return !folder.empty() && ::chdir(osPath(folder).c_str()) == 0;
}

}  // namespace veru::platform
