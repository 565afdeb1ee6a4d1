#include "engine/platform/audio/RandomAccessFile.h"

#include <sys/stat.h>

#include "engine/platform/FileSystem.h"

namespace veru::platform {

bool RandomAccessFile::open(std::u16string_view path) {
    file.reset(std::fopen(osPath(path).c_str(), "rb"));
    length = 0;
    if (!file)
        return false;
    struct stat info {};
    if (::fstat(::fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode)) {
        file.reset();
        return false;
    }
    length = static_cast<std::uint64_t>(info.st_size);
    return true;
}

std::size_t RandomAccessFile::read(void* destination, std::size_t count) {
    if (!file || count == 0)
        return 0;
    return std::fread(destination, 1, count, file.get());
}

bool RandomAccessFile::seek(std::uint64_t offset) {
    if (!file || offset > length)
        return false;
    return ::fseeko(file.get(), static_cast<off_t>(offset), SEEK_SET) == 0;
}

}  // namespace veru::platform
