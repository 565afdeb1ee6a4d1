#pragma once
// Scrambling of the game's data files ("ytx", "ysf", "dat"): each byte is
// XOR'd with the low 8 bits of a key registered for the file's suffix. The
// same operation scrambles and unscrambles; a key of 0 changes nothing.
//
// Thread: the registry is filled at start-up on the main thread and only
// read afterwards.

#include <cstdint>
#include <span>

namespace veru::io {

// Stores `key` for `suffix` (no dot, "ytx"), replacing an earlier key.
void registerFileKey(const char* suffix, int key);
// The key registered for `suffix`; 0 (and entered with 0) when none was.
int fileKeyFor(const char* suffix);

// XORs every byte with the low 8 bits of `key`.
void scramble(std::span<std::uint8_t> bytes, int key);

// The key every data file of the game is scrambled with.
constexpr int kDataFileKey = 0x4C93;
// Registers kDataFileKey for "ytx", "ysf" and "dat", in that order, as the
// program does at start-up (the packer does the same).
void registerGameFileKeys();

}  // namespace veru::io
