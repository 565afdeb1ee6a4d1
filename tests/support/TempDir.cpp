#include "tests/support/TempDir.h"

#include <unistd.h>
#include <atomic>
#include <fstream>
#include <iterator>

namespace mirelune::test {

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    root = std::filesystem::temp_directory_path() /
           ("mirelune_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(root, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(root, ignored);
}

veru::YString TempDir::file(const std::string& name) const {
    return enginePath(root / name);
}

veru::YString enginePath(const std::filesystem::path& path) {
    return veru::YString::fromUtf8(path.string());
}

void writeBytes(const veru::YString& path, const Bytes& bytes) {
    std::ofstream out(path.toUtf8(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

Bytes readBytes(const veru::YString& path) {
    std::ifstream in(path.toUtf8(), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool fileExists(const veru::YString& path) {
    return std::filesystem::exists(path.toUtf8());
}

void appendInt32(Bytes& out, std::int32_t value) {
    auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void appendStringRecord(Bytes& out, std::u16string_view text, int key) {
    appendInt32(out, static_cast<std::int32_t>(text.size()));
    const auto k = static_cast<std::uint8_t>(key & 0xFF);
    for (char16_t c : text) {
        out.push_back(static_cast<std::uint8_t>(c & 0xFF) ^ k);
        out.push_back(static_cast<std::uint8_t>(c >> 8) ^ k);
    }
}

}  // namespace mirelune::test
