#pragma once
// A fresh folder for one test, removed with everything in it at the end, and
// helpers to put bytes in files and read them back.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/core/YString.h"

namespace mirelune::test {

using Bytes = std::vector<std::uint8_t>;

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return root; }
    // The path of `name` inside the folder, as the engine takes paths.
    veru::YString file(const std::string& name) const;

  private:
    std::filesystem::path root;
};

// A path as the engine takes paths.
veru::YString enginePath(const std::filesystem::path& path);

void writeBytes(const veru::YString& path, const Bytes& bytes);
Bytes readBytes(const veru::YString& path);
bool fileExists(const veru::YString& path);

// Building expected file contents by hand, little-endian.
void appendInt32(Bytes& out, std::int32_t value);
// "N" then the UTF-16LE text, each text byte XOR the low byte of `key`.
void appendStringRecord(Bytes& out, std::u16string_view text, int key = 0);

}  // namespace mirelune::test
