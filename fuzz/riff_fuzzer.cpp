// Feeds arbitrary bytes to the wave file's RIFF reader: the header, the
// format checks and the walk to the "data" chunk, then reads the samples it
// promises, checking they lie inside the input.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/sound/MemoryRiffSource.h"
#include "engine/sound/RiffReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    veru::sound::MemoryRiffSource source(data, size);
    veru::sound::RiffReader reader;
    if (reader.readHeader(source) != veru::sound::RiffStatus::ok)
        return 0;
    const veru::sound::WaveFormat& format = reader.getFormat();
    if (format.blockAlign == 0 || format.blockAlign != format.channels * format.bitsPerSample / 8) {
        std::abort();  // the reader promised a playable format
    }
    if (reader.findData(source) != veru::sound::RiffStatus::ok)
        return 0;
    if (reader.getDataOffset() + reader.getDataSize() > size ||
        reader.getDataSize() % format.blockAlign != 0) {
        std::abort();  // the samples must be inside the file, whole frames
    }
    std::vector<std::uint8_t> samples(reader.getDataSize());
    if (source.read(samples.data(), samples.size()) != samples.size())
        std::abort();
    return 0;
}
