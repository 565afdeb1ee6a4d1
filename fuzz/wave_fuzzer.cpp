// The wave file reader from disk: open (the RIFF walk) and the samples.
#include "engine/sound/WaveFile.h"
#include "fuzz/SoundFileFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const mirelune::fuzz::FuzzFile file("wav");
    // The samples must be inside the file.
    return mirelune::fuzz::fuzzSoundFile<veru::sound::WaveFile>(file, data, size, size);
}
