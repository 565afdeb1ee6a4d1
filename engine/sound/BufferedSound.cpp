#include "engine/sound/BufferedSound.h"

#include <cstdlib>
#include <cstring>

#include "engine/core/MessageBox.h"
#include "engine/material/PicturePreload.h"
#include "engine/platform/audio/Mixer.h"
#include "engine/sound/SoundPreload.h"
#include "engine/sound/YDirectSound.h"

namespace veru::sound {

using awt::showError;

BufferedSound::BufferedSound(const char16_t* n) : name(n) {}

BufferedSound::~BufferedSound() {
    releaseVoices();
}

YString BufferedSound::caption(const char16_t* operation) const {
    return YString(name) + operation;
}

void BufferedSound::fillSilence(std::uint8_t* data, std::uint32_t bytes, const WaveFormat& format) {
    if (data && bytes > 0)
        std::memset(data, format.silenceByte(), bytes);
}

bool BufferedSound::checkPath(const YString& path) {
    if (!path.empty())
        return true;
    showError(u"ファイル名が指定されていません。", caption(u".read()"));
    return false;
}

bool BufferedSound::read(YDirectSound* device, const char* path, int count) {
    return read(device, path ? YString::fromAnsi(path) : YString(), count);
}

bool BufferedSound::read(YDirectSound* device, const YString& path, int count) {
    if (!checkPath(path))
        return false;
    if (dxt::material::PreloadPass::active()) {
        // Read ahead for the create that reads it again (SoundPreload.h).
        preloadSound(path, *createFile());
        return false;
    }
    releaseVoices();
    emptyReported = false;
    platform::Mixer* mixer = device ? device->getMixer() : nullptr;
    if (std::optional<platform::ConvertedSamples> ready =
            mixer ? takePreloadedSound(path) : std::nullopt) {
        if (std::unique_ptr<platform::AudioBuffer> first = mixer->createBuffer(std::move(*ready))) {
            file.reset();
            makeVoices(std::move(first), count);
            return true;
        }
    }
    file = createFile();
    file->open(path);
    if (file->dataSize() == 0) {
        showError(YString(fileKind()) + u"を読み込めませんでした：" + path, caption(u".read()"));
        releaseVoices();
        emptyReported = true;  // this box has said it: no second one at play
        return false;
    }
    std::unique_ptr<platform::AudioBuffer> first =
        mixer ? mixer->createBuffer(file->getFormat().toAudioFormat(), file->dataSize()) : nullptr;
    if (!first) {
        showError(u"CreateSoundBuffer()に失敗しました。", caption(u".read()"));
        releaseVoices();
        return false;
    }
    makeVoices(std::move(first), count);
    fillupBuffer(false, voices.front().get());
    // The mixer never loses a buffer, so nothing is written again: keep only
    // what plays.
    voices.front()->dropWritableCopy();
    return true;
}

void BufferedSound::makeVoices(std::unique_ptr<platform::AudioBuffer> first, int count) {
    std::vector<std::unique_ptr<platform::AudioBuffer>> table;
    table.push_back(std::move(first));
    for (int i = 1; i < count; ++i)
        table.push_back(table.front()->duplicate());
    voices = std::move(table);
    bufferBytes = voices.front()->getBytes();
    voiceCount = static_cast<int>(voices.size());
}

bool BufferedSound::shareSamples(const BufferedSound& source, int count) {
    if (source.voices.empty() || &source == this)
        return false;
    std::vector<std::unique_ptr<platform::AudioBuffer>> table;
    table.push_back(source.voices.front()->duplicate());
    for (int i = 1; i < count; ++i)
        table.push_back(table.front()->duplicate());
    releaseVoices();
    emptyReported = false;
    voices = std::move(table);
    bufferBytes = voices.front()->getBytes();
    voiceCount = static_cast<int>(voices.size());
    return true;
}

bool BufferedSound::restoreBuffer(platform::AudioBuffer* voice, bool* restored) {
    if (restored)
        *restored = false;
    if (!voice) {
        showError(u"NULL指定しないでよ(///)！！", caption(u"::restoreBuffer()"));
        return false;
    }
    return true;
}

bool BufferedSound::fillupBuffer(bool repeat, platform::AudioBuffer* voice) {
    if (!voice) {
        showError(u"バッファーないよ？");
        return false;
    }
    if (!restoreBuffer(voice, nullptr)) {
        showError(u"restoreBuffer()に失敗しました。", caption(u".fillupBuffer()"));
        return false;
    }
    platform::LockedRegions regions;
    if (!file || !voice->lock(0, 0, regions)) {
        showError(u"バッファのロック失敗しました。", caption(u".fillupBuffer()"));
        return false;
    }
    const WaveFormat& format = file->getFormat();
    std::uint32_t got = 0;
    file->rewind();
    if (!file->readToBuffer(regions.first, regions.firstBytes, &got)) {
        showError(u"readWaveToBuffer()失敗しました。", caption(u".fillupBuffer()"));
        fillSilence(regions.first + got, regions.firstBytes - got, format);
        voice->unlock(regions);
        return false;
    }
    std::uint32_t filled = got;
    while (repeat && filled > 0 && filled < regions.firstBytes) {
        std::uint32_t more = 0;
        if (!file->rewind() ||
            !file->readToBuffer(regions.first + filled, regions.firstBytes - filled, &more) ||
            more == 0) {
            break;
        }
        filled += more;
    }
    fillSilence(regions.first + filled, regions.firstBytes - filled, format);
    voice->unlock(regions);
    return true;
}

platform::AudioBuffer* BufferedSound::pickVoice() {
    if (voices.empty())
        return nullptr;
    for (auto& voice : voices) {
        if (!voice->isPlaying())
            return voice.get();
    }
    return voices[static_cast<std::size_t>(std::rand() % voiceCount)].get();
}

bool BufferedSound::reportEmpty(const char16_t* operation) {
    if (!emptyReported) {
        emptyReported = true;
        showError(u"バッファーにデータがありません。", caption(operation));
    }
    return false;
}

bool BufferedSound::anyVoicePlaying() const {
    for (const auto& voice : voices) {
        if (voice->isPlaying())
            return true;
    }
    return false;
}

void BufferedSound::stopVoices() {
    for (auto& voice : voices)
        voice->stop();
}

bool BufferedSound::isPlaying() {
    if (voices.empty())
        return reportEmpty(u"::isPlaying()");
    return anyVoicePlaying();
}

bool BufferedSound::get3DBuffer(int index, platform::AudioBuffer** buffer) {
    if (buffer)
        *buffer = nullptr;
    if (!buffer || index < 0 || index >= voiceCount)
        return false;
    *buffer = voices[static_cast<std::size_t>(index)].get();
    return true;
}

void BufferedSound::setVolume(int percent) {
    volume = percent * 100 - 10000;
    for (auto& voice : voices)
        voice->setVolume(volume);
}

void BufferedSound::setPan(int value) {
    pan = value * 100;
    for (auto& voice : voices)
        voice->setPan(pan);
}

bool BufferedSound::playVoice(bool loop) {
    looping = loop;
    if (anyVoicePlaying())
        return false;
    if (voices.empty())
        return reportEmpty(u"::play()");
    platform::AudioBuffer* voice = pickVoice();
    if (!voice) {
        showError(u"フリーなバッファーがありません。", caption(u"::play()"));
        return false;
    }
    bool restored = false;
    if (!restoreBuffer(voice, &restored)) {
        showError(u"restoreBuffer()に失敗しました。", caption(u"::play()"));
        return false;
    }
    if (restored && !fillupBuffer(false, voice)) {
        showError(u"fillupBuffer()に失敗しました。", caption(u"::play()"));
        return false;
    }
    voice->setVolume(volume);
    voice->setPan(pan);
    voice->play(loop);
    return true;
}

bool BufferedSound::play(bool loop) {
    return playVoice(loop);
}

bool BufferedSound::pause() {
    if (anyVoicePlaying()) {
        stopVoices();
        return true;
    }
    return play(looping);
}

bool BufferedSound::stop() {
    if (voices.empty())
        return reportEmpty(u"::stop()");
    stopVoices();
    return true;
}

bool BufferedSound::reset() {
    if (voices.empty())
        return reportEmpty(u"::reset()");
    for (auto& voice : voices)
        voice->setCurrentPosition(0);
    return true;
}

void BufferedSound::releaseVoices() {
    for (auto& voice : voices)
        voice->stop();
    voices.clear();
    voiceCount = 0;
    bufferBytes = 0;
    if (file)
        file->close();
    file.reset();
}

void BufferedSound::release() {
    releaseVoices();
}

}  // namespace veru::sound
