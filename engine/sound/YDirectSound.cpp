#include "engine/sound/YDirectSound.h"

#include <string>

#include "engine/core/MessageBox.h"

namespace veru::sound {

YDirectSound::YDirectSound() = default;
YDirectSound::~YDirectSound() {
    release();
}

bool YDirectSound::create(platform::Window* /*window*/) {
    release();
    std::string reason;
    device = platform::AudioDevice::open(&reason);
    if (!device) {
        awt::showError(u"DirectSoundインターフェースの生成に失敗しました。",
                       u"YDirectSound::create()");
        return false;
    }
    if (!setPrimaryBuffer()) {
        awt::showError(u"プライマリの設定に失敗しました。", u"YDirectSound::create()");
        release();
        return false;
    }
    return true;
}

bool YDirectSound::createManual() {
    release();
    device = platform::AudioDevice::openManual();
    return true;
}

bool YDirectSound::setPrimaryBuffer() {
    // The device always runs at 44100 Hz, 16-bit stereo; SDL converts to
    // whatever the hardware wants, so there is nothing to refuse here.
    return device != nullptr;
}

void YDirectSound::release() {
    device.reset();
}

platform::Mixer* YDirectSound::getMixer() const {
    return device ? &device->getMixer() : nullptr;
}

}  // namespace veru::sound
