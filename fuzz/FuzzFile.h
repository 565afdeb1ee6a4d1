#pragma once
// A file of the fuzzers' own in the temporary folder, rewritten with each
// input, so the loaders are driven through their real file reading.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "engine/core/YString.h"

namespace mirelune::fuzz {

class FuzzFile {
  public:
    explicit FuzzFile(const std::string& suffix) {
        const std::string name =
            "mirelune_fuzz_" + std::to_string(std::random_device{}()) + "." + suffix;
        osPath = std::filesystem::temp_directory_path() / name;
        path = veru::YString::fromUtf8(osPath.string());
    }
    ~FuzzFile() {
        std::error_code ignored;
        std::filesystem::remove(osPath, ignored);
    }
    FuzzFile(const FuzzFile&) = delete;
    FuzzFile& operator=(const FuzzFile&) = delete;

    void write(const std::uint8_t* data, std::size_t size) const {
        std::ofstream out(osPath, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    veru::YString path;

  private:
    std::filesystem::path osPath;
};

}  // namespace mirelune::fuzz
