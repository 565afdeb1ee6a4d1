#pragma once
// Sound: a wave file held whole in one buffer, for short effects.
//
// Ownership, thread and failures: see BufferedSound.

#include "engine/sound/BufferedSound.h"

namespace veru::sound {

class Sound : public BufferedSound {
  public:
    Sound();

  protected:
    explicit Sound(const char16_t* name) : BufferedSound(name) {}
    std::unique_ptr<SoundFile> createFile() override;
    const char16_t* fileKind() const override { return u"WaveFile"; }
};

}  // namespace veru::sound
