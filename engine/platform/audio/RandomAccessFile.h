#pragma once
// RandomAccessFile: a file opened for reading with seeking, for readers that
// stream from disk (wave files).
//
// Ownership: owns the open file; closes it on destruction.
// Thread: one thread at a time.
// Failure: open() returns false; read() reports short counts; seek() false.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>

namespace veru::platform {

class RandomAccessFile {
  public:
    bool open(std::u16string_view path);
    bool isOpen() const { return file != nullptr; }
    void close() { file.reset(); }
    std::size_t read(void* destination, std::size_t count);
    bool seek(std::uint64_t offset);
    std::uint64_t size() const { return length; }

  private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file;
    std::uint64_t length = 0;
};

}  // namespace veru::platform
