#include "engine/platform/FileHandle.h"

#include <unistd.h>

#include "engine/platform/FileSystem.h"

namespace veru::platform {

FileHandle FileHandle::open(std::u16string_view path, const char* mode) {
    FileHandle handle;
    handle.file.reset(std::fopen(osPath(path).c_str(), mode));
    return handle;
}

std::size_t FileHandle::read(void* destination, std::size_t count) {
    if (!file || count == 0)
        return 0;
    return std::fread(destination, 1, count, file.get());
}

bool FileHandle::write(const void* source, std::size_t count) {
    if (!file)
        return false;
    if (count == 0)
        return true;
    return std::fwrite(source, 1, count, file.get()) == count;
}

bool FileHandle::flush(bool durable) {
    if (!file)
        return false;
    if (std::fflush(file.get()) != 0)
        return false;
    return !durable || ::fsync(::fileno(file.get())) == 0;
}

bool FileHandle::close() {
    if (!file)
        return true;
    std::FILE* f = file.release();
    return std::fclose(f) == 0;
}

bool FileHandle::finish() {
    if (!file)
        return true;
    const bool flushed = flush(true);
    const bool closed = close();
    return flushed && closed;
}

}  // namespace veru::platform
