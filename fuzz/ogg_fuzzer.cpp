// The Ogg Vorbis reader: open (with its check of the claimed length against
// the file's pages) and decoding.
#include "engine/sound/OggFile.h"
#include "fuzz/SoundFileFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const mirelune::fuzz::FuzzFile file("ogg");
    return mirelune::fuzz::fuzzSoundFile<veru::sound::OggFile>(
        file, data, size, static_cast<std::uint64_t>(veru::sound::OggFile::kMaxPcmBytes));
}
