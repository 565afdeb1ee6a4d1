#pragma once
// SoundOgg: an Ogg Vorbis file decoded whole into one buffer (effects).
// Paths must be ASCII.
//
// Ownership, thread and failures: see BufferedSound; captions start with
// "SoundOgg".

#include "engine/sound/BufferedSound.h"

namespace veru::sound {

class SoundOgg : public BufferedSound {
  public:
    SoundOgg();

  protected:
    std::unique_ptr<SoundFile> createFile() override;
    const char16_t* fileKind() const override { return u"OggFile"; }
    bool checkPath(const YString& path) override;
};

}  // namespace veru::sound
