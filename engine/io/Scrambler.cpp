#include "engine/io/Scrambler.h"

#include <map>
#include <string>

namespace veru::io {

namespace {
std::map<std::string, int>& registry() {
    static std::map<std::string, int> keys;
    return keys;
}
}  // namespace

void registerFileKey(const char* suffix, int key) {
    registry()[suffix ? suffix : ""] = key;
}

int fileKeyFor(const char* suffix) {
    return registry()[suffix ? suffix : ""];
}

void scramble(std::span<std::uint8_t> bytes, int key) {
    const auto k = static_cast<std::uint8_t>(key & 0xFF);
    if (k == 0)
        return;
    for (std::uint8_t& b : bytes)
        b ^= k;
}

void registerGameFileKeys() {
    registerFileKey("ytx", kDataFileKey);
    registerFileKey("ysf", kDataFileKey);
    registerFileKey("dat", kDataFileKey);
}

}  // namespace veru::io
