#pragma once
// OggFile: decodes an Ogg Vorbis file to 16-bit PCM in its own channel count
// and rate.
//
// Paths must be ASCII: a path with any other character is not opened.
// With `loop` set, decoding goes on from the start of the stream when it
// reaches the end, inside the same read, so a looping stream has no gap.
//
// Ownership: owns the decoder.
// Thread: one thread at a time (streams guard it with their lock).
// Failure: a file that cannot be opened as Ogg Vorbis makes open() return
// false without a box; other failures show their box, naming the file. The
// length the stream claims (one field of its last page) is checked before
// anything is sized from it: a claim beyond what the file's packets decode
// to, or above kMaxPcmBytes of samples, is refused. So is a format the mixer
// cannot play (more than two channels, a rate outside 1000-192000 Hz).

#include <memory>

#include "engine/platform/audio/VorbisDecoder.h"
#include "engine/sound/SoundFile.h"

namespace veru::sound {

class OggFile : public SoundFile {
  public:
    std::uint32_t dataSize() const override { return size; }
    bool open(const YString& path) override;
    bool open(const char* ansiPath) override;
    bool rewind() override;
    bool readToBuffer(std::uint8_t* destination, std::uint32_t count, std::uint32_t* read) override;
    bool close() override;
    const WaveFormat& getFormat() const override { return format; }

    void setLoop(bool value) { loop = value; }
    bool isLoop() const { return loop; }
    bool isOpened() const { return opened; }
    // True when every character of `path` is ASCII.
    static bool isAsciiPath(const YString& path);

    // The most decoded bytes a sound may hold (about 25 minutes of
    // 44.1 kHz stereo).
    static constexpr std::int64_t kMaxPcmBytes = 256LL * 1024 * 1024;

  private:
    WaveFormat format;
    bool opened = false;
    bool loop = false;
    std::uint32_t size = 0;
    platform::VorbisDecoder decoder;
};

}  // namespace veru::sound
