#include "engine/platform/FileSystem.h"

#include <dirent.h>
#include <sys/stat.h>
#include <cerrno>
#include <cstdio>
#include <memory>

#include "engine/platform/TextCodec.h"

namespace veru::platform {

std::string osPath(std::u16string_view path) {
    std::string utf8 = utf16ToUtf8(path);
    for (char& c : utf8) {
        if (c == '\\')
            c = '/';
    }
    return utf8;
}

FileStatus statPath(std::u16string_view path) {
    FileStatus status;
    std::string p = osPath(path);
    struct stat st {};
    if (p.empty() || ::stat(p.c_str(), &st) != 0)
        return status;
    status.exists = true;
    status.isDirectory = S_ISDIR(st.st_mode);
    status.isRegular = S_ISREG(st.st_mode);
    status.readOnly = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    status.size = static_cast<std::uint64_t>(st.st_size);
    std::size_t slash = p.find_last_of('/');
    std::string name = slash == std::string::npos ? p : p.substr(slash + 1);
    status.hidden = !name.empty() && name[0] == '.' && name != "." && name != "..";
    return status;
}

ListResult listDirectory(std::u16string_view directory, std::vector<std::u16string>& names) {
    struct DirCloser {
        void operator()(DIR* d) const { ::closedir(d); }
    };
    std::unique_ptr<DIR, DirCloser> dir(::opendir(osPath(directory).c_str()));
    if (!dir)
        return ListResult::cannotOpen;
    for (;;) {
        errno = 0;
        dirent* entry = ::readdir(dir.get());
        if (!entry)
            return errno == 0 ? ListResult::ok : ListResult::failed;
        std::string_view name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        names.push_back(utf8ToUtf16(name));
    }
}

bool replaceFile(std::u16string_view from, std::u16string_view to) {
    return std::rename(osPath(from).c_str(), osPath(to).c_str()) == 0;
}

bool removeFile(std::u16string_view path) {
    return std::remove(osPath(path).c_str()) == 0;
}

}  // namespace veru::platform
