#pragma once
// FileRiffSource: a RiffSource over a file on disk, read as it is needed.
//
// Ownership: owns the open file.
// Failure: open() returns false when the file cannot be opened.

#include "engine/core/YString.h"
#include "engine/platform/audio/RandomAccessFile.h"
#include "engine/sound/RiffSource.h"

namespace veru::sound {

class FileRiffSource : public RiffSource {
  public:
    bool open(const YString& path) { return file.open(path); }
    std::size_t read(void* destination, std::size_t count) override {
        return file.read(destination, count);
    }
    bool seek(std::uint64_t offset) override { return file.seek(offset); }
    std::uint64_t size() const override { return file.size(); }

  private:
    platform::RandomAccessFile file;
};

}  // namespace veru::sound
