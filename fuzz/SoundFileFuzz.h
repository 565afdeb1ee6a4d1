#pragma once
// One sound file reader driven as the game's sounds drive it: bytes → file
// → open → read the samples it promises, piece by piece. A file may claim
// any length: what it promises must stay within the game's limit, and
// reading must end.

#include <cstdint>
#include <vector>

#include "fuzz/FuzzFile.h"
#include "fuzz/SilentBoxes.h"

namespace mirelune::fuzz {

template <typename SoundFile>
int fuzzSoundFile(const FuzzFile& file, const std::uint8_t* data, std::size_t size,
                  std::uint64_t mostBytes) {
    silenceBoxes();
    file.write(data, size);
    SoundFile sound;
    if (!sound.open(file.path))
        return 0;
    if (sound.dataSize() > mostBytes)
        __builtin_trap();  // a claim the reader should have refused
    std::vector<std::uint8_t> piece(16384);
    std::uint64_t total = 0;
    // A bounded number of pieces: a few megabytes is enough to find faults.
    for (int i = 0; i < 256 && total < sound.dataSize(); ++i) {
        std::uint32_t read = 0;
        if (!sound.readToBuffer(piece.data(), static_cast<std::uint32_t>(piece.size()), &read))
            break;
        if (read > piece.size())
            __builtin_trap();
        if (read == 0)
            break;
        total += read;
    }
    sound.rewind();
    sound.close();
    return 0;
}

}  // namespace mirelune::fuzz
