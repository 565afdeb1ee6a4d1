#pragma once
// RiffReader: finds the "fmt " and "data" chunks of a RIFF wave file.
//
// readHeader checks the "RIFF"/"WAVE" header and reads the PCM format;
// findData then places the source at the first byte of the samples. Chunks
// are walked by their sizes (padded to even lengths); a chunk that claims to
// run past the end of the file is not accepted, except that a RIFF size
// larger than the file is cut to the file. Only 8- or 16-bit PCM with one or
// two channels at 1000-192000 Hz is accepted.
//
// Thread: one thread at a time.
// Failure: the result names the step that failed; nothing is thrown.

#include <cstdint>

#include "engine/sound/RiffSource.h"
#include "engine/sound/WaveFormat.h"

namespace veru::sound {

enum class RiffStatus {
    ok,
    noChunk,        // not even one chunk header
    notWave,        // not "RIFF" with the form type "WAVE"
    noFmt,          // no complete "fmt " chunk
    fmtTooShort,    // "fmt " smaller than 16 bytes
    fmtUnreadable,  // the 16 bytes could not be read
    notPcm,         // not a PCM format this game plays
    noData,         // no complete "data" chunk
    seekFailed,     // the source refused to seek
};

class RiffReader {
  public:
    RiffStatus readHeader(RiffSource& source);
    RiffStatus findData(RiffSource& source);

    const WaveFormat& getFormat() const { return format; }
    std::uint64_t getDataOffset() const { return dataOffset; }
    // Whole frames only.
    std::uint32_t getDataSize() const { return dataSize; }

  private:
    // Looks for chunk `id` among the chunks of the form; on success the
    // source stands at its body.
    RiffStatus findChunk(RiffSource& source, const char* id, std::uint32_t* size,
                         std::uint64_t* body);

    WaveFormat format;
    std::uint64_t formBegin = 0;  // first chunk inside the RIFF form
    std::uint64_t formEnd = 0;
    std::uint64_t dataOffset = 0;
    std::uint32_t dataSize = 0;
};

}  // namespace veru::sound
