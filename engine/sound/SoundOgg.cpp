#include "engine/sound/SoundOgg.h"

#include "engine/core/MessageBox.h"
#include "engine/sound/OggFile.h"

namespace veru::sound {

SoundOgg::SoundOgg() : BufferedSound(u"SoundOgg") {}

std::unique_ptr<SoundFile> SoundOgg::createFile() {
    return std::make_unique<OggFile>();
}

bool SoundOgg::checkPath(const YString& path) {
    if (!path.empty() && OggFile::isAsciiPath(path))
        return true;
    awt::showError(YString(u"ファイル名が不正です。(全角は指定できません。)：").append(path),
                   u"SoundOgg.read()");
    return false;
}

}  // namespace veru::sound
