#pragma once
// RAII owner of one open file of the operating system.
//
// Ownership: the handle owns the open file and closes it on destruction
// (errors on that implicit close are ignored; call close() to see them).
// Thread: one handle is used by one thread at a time.
// Failure: open() returns an empty handle; reads report short counts; writes,
// flushes and close report false.

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string_view>

namespace veru::platform {

class FileHandle {
  public:
    FileHandle() = default;
    // Opens `path` (UTF-16, '/' or '\' separators) with a C stdio mode such as
    // "rb" or "wb". The result is not open() when the file cannot be opened.
    static FileHandle open(std::u16string_view path, const char* mode);

    bool isOpen() const { return file != nullptr; }
    // Reads up to `count` bytes; returns how many arrived.
    std::size_t read(void* destination, std::size_t count);
    // Writes all `count` bytes; false when the system refused any of them.
    bool write(const void* source, std::size_t count);
    // Pushes buffered data to the system and, with `durable`, to the disk.
    bool flush(bool durable = false);
    // Closes the file; false when buffered data could not be written.
    bool close();
    // Flushes to the disk and closes: true when everything written is safely
    // stored (also when nothing is open).
    bool finish();

  private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file;
};

}  // namespace veru::platform
