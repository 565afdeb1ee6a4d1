#pragma once
// WaveFile: reads the PCM samples of a RIFF wave file from disk, a piece at
// a time (streaming music never holds the whole file).
//
// Ownership: owns the open file until close() or destruction.
// Thread: one thread at a time.
// Failure: every failure shows its error box and returns false; the file is
// then closed.

#include <cstdint>
#include <memory>

#include "engine/sound/FileRiffSource.h"
#include "engine/sound/RiffReader.h"
#include "engine/sound/SoundFile.h"

namespace veru::sound {

class WaveFile : public SoundFile {
  public:
    std::uint32_t dataSize() const override { return opened ? reader.getDataSize() : 0; }
    bool open(const YString& path) override;
    bool open(const char* ansiPath) override;
    bool rewind() override;
    bool readToBuffer(std::uint8_t* destination, std::uint32_t count, std::uint32_t* read) override;
    bool close() override;
    const WaveFormat& getFormat() const override { return format; }

  private:
    // Shows the reason a file is refused, naming it.
    void refuse(const char16_t* why, const char16_t* caption = u"エラー") const;
    bool readHeader();

    WaveFormat format;
    std::unique_ptr<FileRiffSource> source;
    RiffReader reader;
    std::uint32_t bytesLeft = 0;
    bool opened = false;
    YString path;  // of the open file, for the boxes
};

}  // namespace veru::sound
