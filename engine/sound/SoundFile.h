#pragma once
// SoundFile: a source of PCM data a sound reads into its buffers (a wave
// file or a decoded Ogg Vorbis file).
//
// Ownership: owned by the sound that reads it.
// Thread: one thread at a time; streaming sounds guard it with their lock.
// Failure: operations show their error box and return false.

#include <cstdint>

#include "engine/core/YString.h"
#include "engine/sound/WaveFormat.h"

namespace veru::sound {

class SoundFile {
  public:
    virtual ~SoundFile() = default;
    // Bytes of PCM data in the file; 0 when nothing is open.
    virtual std::uint32_t dataSize() const = 0;
    // An empty path counts as no path.
    virtual bool open(const YString& path) = 0;
    // A path in the Japanese ANSI code page; null counts as no path.
    virtual bool open(const char* ansiPath) = 0;
    // Back to the first byte of the PCM data.
    virtual bool rewind() = 0;
    // Reads up to `count` bytes into `destination`; `read` gets how many came.
    virtual bool readToBuffer(std::uint8_t* destination, std::uint32_t count,
                              std::uint32_t* read) = 0;
    virtual bool close() = 0;
    virtual const WaveFormat& getFormat() const = 0;
};

}  // namespace veru::sound
