#include "engine/sound/Sound.h"

#include "engine/sound/WaveFile.h"

namespace veru::sound {

Sound::Sound() : BufferedSound(u"Sound") {}

std::unique_ptr<SoundFile> Sound::createFile() {
    return std::make_unique<WaveFile>();
}

}  // namespace veru::sound
