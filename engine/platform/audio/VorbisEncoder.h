#pragma once
// Writes 16-bit PCM as an Ogg Vorbis file. Not part of the game: tests and
// benchmarks use it to make their music files.
//
// Failure: false when the encoder refuses the format or the file cannot be
// written.

#include <cstdint>
#include <string>
#include <vector>

namespace veru::platform {

bool writeOggVorbis(const std::string& path, const std::vector<std::int16_t>& interleaved,
                    int channels, int rate, float quality = 0.4f);

}  // namespace veru::platform
