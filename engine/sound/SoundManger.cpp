#include "engine/sound/SoundManger.h"

#include <algorithm>

#include "engine/platform/StderrMessageSink.h"

#include "engine/core/MessageBox.h"
#include "engine/platform/audio/Mixer.h"
#include "engine/sound/Sound.h"
#include "engine/sound/SoundOgg.h"
#include "engine/sound/StreamingSound.h"
#include "engine/sound/StreamingSoundOgg.h"

namespace veru::sound {

SoundManger::SoundManger() = default;

SoundManger::~SoundManger() {
    stopAll();
    device.release();
}

bool SoundManger::create(platform::Window* window) {
    const bool created = device.create(window);
    output = created && device.getDevice()->getDriverName() != "dummy";
    if (created && !output) {
        // Said once, here: the game then goes on without a sound.
        platform::StderrMessageSink().show(awt::MessageKind::warning, u"SoundManger::create()",
                                           kNoDeviceMessage);
    }
    return created;
}

int SoundManger::scaledPercent(int percent, int level) {
    level = std::clamp(level, 0, kMaxLevel);
    if (level == 0)
        return 0;
    // ISound percent is decibels above -100: one percent is one decibel.
    return std::clamp(percent - (kMaxLevel - level) * kVolumeStepDb, 0, 100);
}

void SoundManger::setLevel(Category category, int level) {
    (category == Category::music ? musicLevel : effectLevel) = std::clamp(level, 0, kMaxLevel);
    for (std::size_t i = 0; i < sounds.size(); ++i) {
        if (soundCategories[i] == category)
            applyLevel(*sounds[i], category);
    }
    if (category == Category::music) {
        for (auto& stream : streams)
            stream->setVolume(scaledPercent(volume, musicLevel));
    }
}

int SoundManger::getLevel(Category category) const {
    return category == Category::music ? musicLevel : effectLevel;
}

void SoundManger::applyLevel(ISound& sound, Category category) const {
    sound.setVolume(scaledPercent(volume, getLevel(category)));
}

SoundManger::Kind SoundManger::kindOf(const YString& path) {
    if (path.hasSuffix("wav"))
        return Kind::wave;
    if (path.hasSuffix("ogg"))
        return Kind::ogg;
    awt::showError(YString(u"対応していないファイルが指定されました。：") + path,
                   u"SoundManger::getSound()");
    return Kind::none;
}

ISound* SoundManger::getSound(const YString& path) {
    return addSound(path, Category::effect,
                    [&](BufferedSound& sound) { sound.read(&device, path, 1); });
}

ISound* SoundManger::getSound(const char* ansiPath) {
    const YString path = ansiPath ? YString::fromAnsi(ansiPath) : YString();
    return addSound(path, Category::effect,
                    [&](BufferedSound& sound) { sound.read(&device, ansiPath, 1); });
}

ISound* SoundManger::getMusic(const YString& path) {
    return addSound(path, Category::music,
                    [&](BufferedSound& sound) { sound.read(&device, path, 1); });
}

IStreamingSound* SoundManger::getStreamingSound(const YString& path) {
    return addStream(path, [&](IStreamingSound& stream) { stream.read(&device, path, 1); });
}

IStreamingSound* SoundManger::getStreamingSound(const char* ansiPath) {
    const YString path = ansiPath ? YString::fromAnsi(ansiPath) : YString();
    return addStream(path, [&](IStreamingSound& stream) { stream.read(&device, ansiPath, 1); });
}

ISound* SoundManger::addSound(const YString& path, Category category,
                              const std::function<void(BufferedSound&)>& read) {
    std::unique_ptr<BufferedSound> sound;
    switch (kindOf(path)) {
        case Kind::wave:
            sound = std::make_unique<Sound>();
            break;
        case Kind::ogg:
            sound = std::make_unique<SoundOgg>();
            break;
        case Kind::none:
            return nullptr;
    }
    if (!shareRead(path, *sound)) {
        read(*sound);
        if (sound->getVoiceCount() > 0)
            readSounds[path] = sound.get();
    }
    applyLevel(*sound, category);
    sound->setPan(pan);
    sounds.push_back(std::move(sound));
    soundCategories.push_back(category);
    return sounds.back().get();
}

bool SoundManger::shareRead(const YString& path, BufferedSound& sound) {
    auto it = readSounds.find(path);
    return it != readSounds.end() && sound.shareSamples(*it->second, 1);
}

IStreamingSound* SoundManger::addStream(const YString& path,
                                        const std::function<void(IStreamingSound&)>& read) {
    std::unique_ptr<IStreamingSound> stream;
    switch (kindOf(path)) {
        case Kind::wave:
            stream = std::make_unique<StreamingSound>();
            break;
        case Kind::ogg:
            stream = std::make_unique<StreamingSoundOgg>();
            break;
        case Kind::none:
            return nullptr;
    }
    read(*stream);
    stream->setVolume(scaledPercent(volume, musicLevel));
    streams.push_back(std::move(stream));
    return streams.back().get();
}

void SoundManger::stopAll() {
    // Sounds that never loaded have nothing to stop; skip their box.
    for (auto& sound : sounds) {
        auto* buffered = dynamic_cast<BufferedSound*>(sound.get());
        if (!buffered || buffered->getVoiceCount() > 0)
            sound->stop();
    }
    readSounds.clear();
    sounds.clear();
    soundCategories.clear();
    for (auto& stream : streams) {
        auto* buffered = dynamic_cast<BufferedSound*>(stream.get());
        if (!buffered || buffered->getVoiceCount() > 0)
            stream->stop();
    }
    streams.clear();
}

std::uint64_t SoundManger::getUnderrunCount() const {
    const platform::Mixer* mixer = device.getMixer();
    return mixer ? mixer->getUnderrunCount() : 0;
}

std::uint64_t SoundManger::getMixedFrames() const {
    const platform::Mixer* mixer = device.getMixer();
    return mixer ? mixer->getMixedFrames() : 0;
}

}  // namespace veru::sound
