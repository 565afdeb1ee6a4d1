#include "engine/platform/FileSystem.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <system_error>

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
    status.modifiedNs =
        static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    status.device = static_cast<std::uint64_t>(st.st_dev);
    status.inode = static_cast<std::uint64_t>(st.st_ino);
    std::size_t slash = p.find_last_of('/');
    std::string name = slash == std::string::npos ? p : p.substr(slash + 1);
    status.hidden = !name.empty() && name[0] == '.' && name != "." && name != "..";
    return status;
}

namespace {
thread_local StatMemo* currentMemo = nullptr;
}  // namespace

StatMemo::StatMemo() : previous(currentMemo) {
    currentMemo = this;
}

StatMemo::~StatMemo() {
    currentMemo = previous;
}

FileStatus rememberedStatus(std::u16string_view path) {
    if (!currentMemo)
        return statPath(path);
    auto [entry, added] = currentMemo->known.try_emplace(std::u16string(path));
    if (added)
        entry->second = statPath(path);
    return entry->second;
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

std::u16string linkTarget(std::u16string_view path) {
    std::filesystem::path current(osPath(path));
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(current, error)))
            break;
        const std::filesystem::path target = std::filesystem::read_symlink(current, error);
        if (error)
            break;
        current = target.is_absolute() ? target : current.parent_path() / target;
    }
    return utf8ToUtf16(current.string());
}

bool removeFile(std::u16string_view path) {
    return std::remove(osPath(path).c_str()) == 0;
}

bool makeFolders(std::u16string_view folder) {
    const std::string path = osPath(folder);
    if (path.empty())
        return false;
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            break;
    }
    return statPath(folder).isDirectory;
}

bool isWritableFolder(std::u16string_view folder) {
    const std::string path = osPath(folder);
    return statPath(folder).isDirectory && ::access(path.c_str(), W_OK | X_OK) == 0;
}

bool copyFile(std::u16string_view from, std::u16string_view to) {
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    const std::string target = osPath(to);
    const std::string temporary = target + ".tmp";
    const std::string source = osPath(from);
    struct stat st {};
    // Only a regular file: opening a named pipe would wait for a writer.
    if (::stat(source.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    std::unique_ptr<std::FILE, Closer> in(std::fopen(source.c_str(), "rb"));
    if (!in)
        return false;
    std::unique_ptr<std::FILE, Closer> out(std::fopen(temporary.c_str(), "wb"));
    if (!out)
        return false;
    char buffer[8192];
    bool ok = true;
    for (;;) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, in.get());
        if (n > 0 && std::fwrite(buffer, 1, n, out.get()) != n) {
            ok = false;
            break;
        }
        if (n < sizeof buffer) {
            ok = std::ferror(in.get()) == 0;
            break;
        }
    }
    ok = std::fflush(out.get()) == 0 && ok;
    ok = ::fsync(::fileno(out.get())) == 0 && ok;
    ok = std::fclose(out.release()) == 0 && ok;
    if (!ok || std::rename(temporary.c_str(), target.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

TemporaryFolder::TemporaryFolder(std::string_view prefix) {
    std::error_code error;
    std::string pattern = (std::filesystem::temp_directory_path(error) / prefix).string();
    if (error)
        pattern = "/tmp/" + std::string(prefix);
    pattern += "XXXXXX";
    if (::mkdtemp(pattern.data()))
        folder = utf8ToUtf16(pattern);
}

TemporaryFolder::~TemporaryFolder() {
    if (folder.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(osPath(folder), ignored);
}

}  // namespace veru::platform
