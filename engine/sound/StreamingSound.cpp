#include "engine/sound/StreamingSound.h"

#include "engine/core/MessageBox.h"
#include "engine/platform/audio/Mixer.h"
#include "engine/sound/WaveFile.h"
#include "engine/sound/YDirectSound.h"

namespace veru::sound {

using awt::showError;

namespace {
constexpr const char16_t* kRead = u"StreamingSound::read()";
constexpr const char16_t* kPlay = u"StreamingSound::play()";
constexpr const char16_t* kReset = u"StreamingSound::reset()";
constexpr const char16_t* kNotify = u"handleWaveStreamNotification()";
}  // namespace

StreamingSound::StreamingSound() {
    startThread();
}

StreamingSound::~StreamingSound() {
    release();
}

void StreamingSound::startThread() {
    if (thread.joinable())
        return;
    quit = false;
    thread = std::thread([this] { notificationProc(); });
}

void StreamingSound::endThread() {
    if (!thread.joinable())
        return;
    quit = true;
    notifyEvent.signal();
    thread.join();
    quit = false;
}

void StreamingSound::notificationProc() {
    for (;;) {
        notifyEvent.wait();
        if (quit)
            return;
        std::lock_guard<std::mutex> hold(guard);
        if (quit)
            return;
        handleWaveStreamNotification(looping);
    }
}

bool StreamingSound::read(YDirectSound* device, const char* path, int count) {
    return read(device, path ? YString::fromAnsi(path) : YString(), count);
}

bool StreamingSound::read(YDirectSound* device, const YString& path, int /*voices*/) {
    {
        std::lock_guard<std::mutex> hold(guard);
        releaseVoices();
        emptyReported = false;
        auto wave = std::make_unique<WaveFile>();
        if (!wave->open(path) || wave->dataSize() == 0) {
            showError(YString(u"WaveFileの読み込みに失敗しました：").append(path), kRead);
            emptyReported = true;  // this box has said it: no second one at play
            wave->close();
            return false;
        }
        const WaveFormat format = wave->getFormat();
        const std::uint32_t align = format.blockAlign;
        blockBytes = format.samplesPerSec * align * 3 / 16;
        blockBytes -= blockBytes % align;
        platform::Mixer* mixer = device ? device->getMixer() : nullptr;
        std::unique_ptr<platform::AudioBuffer> ring =
            mixer ? mixer->createBuffer(format.toAudioFormat(), blockBytes * kBlocks) : nullptr;
        if (!ring) {
            showError(u"CreateSoundBuffer()に失敗しました。", kRead);
            return false;
        }
        ring->setStreaming(true);
        std::vector<std::uint32_t> positions;
        for (std::uint32_t k = 1; k <= kBlocks; ++k)
            positions.push_back(k * blockBytes - 1);
        if (!ring->setNotificationPositions(positions, &notifyEvent)) {
            showError(u"SetNotificationPositions()に失敗しました。", kRead);
            return false;
        }
        file = std::move(wave);
        voices.push_back(std::move(ring));
        voiceCount = 1;
        bufferBytes = blockBytes * kBlocks;
        lastPlayCursor = bytesPlayed = writeOffset = 0;
        ending = paused = false;
        fillupBuffer(false, voices.front().get());
        voices.front()->setCurrentPosition(0);
        notifyEvent.clear();
    }
    startThread();
    return true;
}

bool StreamingSound::writeBlock(platform::AudioBuffer* voice, bool loop) {
    platform::LockedRegions regions;
    if (!voice->lock(writeOffset, blockBytes, regions)) {
        showError(u"Lock()に失敗しました。", kNotify);
        return false;
    }
    const WaveFormat& format = file->getFormat();
    std::uint32_t filled = 0;
    bool ok = true;
    if (!ending) {
        if (!file->readToBuffer(regions.first, regions.firstBytes, &filled)) {
            showError(u"readWaveToBuffer()に失敗しました。", kNotify);
            ok = false;
        }
        while (ok && filled < regions.firstBytes) {
            if (!loop) {
                ending = true;
                break;
            }
            if (!file->rewind()) {
                showError(u"rewind()に失敗しました。", kNotify);
                ok = false;
                break;
            }
            std::uint32_t more = 0;
            if (!file->readToBuffer(regions.first + filled, regions.firstBytes - filled, &more)) {
                showError(u"readWaveToBuffer()に失敗しました。", kNotify);
                ok = false;
            }
            if (more == 0)
                break;
            filled += more;
        }
    }
    fillSilence(regions.first + filled, regions.firstBytes - filled, format);
    voice->unlock(regions);
    return ok;
}

bool StreamingSound::handleWaveStreamNotification(bool loop) {
    if (voices.empty() || !file || blockBytes == 0)
        return false;
    platform::AudioBuffer* voice = voices.front().get();
    bool restored = false;
    if (!restoreBuffer(voice, &restored)) {
        showError(u"restoreBuffer()に失敗しました。", kNotify);
        return false;
    }
    if (restored) {
        if (!fillupBuffer(false, voice))
            showError(u"fillupBuffer()に失敗しました。", kNotify);
        return true;
    }
    const std::uint32_t cursor = voice->getPlayCursor();
    // Refill every block the cursor has left since the last refill. After a
    // stop and a fresh play the ring is full again and the cursor still sits
    // in the block at writeOffset, so a late wake-up finds nothing to do.
    const std::uint32_t cursorBlock = std::min<std::uint32_t>(cursor / blockBytes, kBlocks - 1);
    while (writeOffset / blockBytes != cursorBlock) {
        if (!writeBlock(voice, loop))
            return false;
        writeOffset = (writeOffset + blockBytes) % bufferBytes;
    }
    bytesPlayed += (cursor + bufferBytes - lastPlayCursor) % bufferBytes;
    lastPlayCursor = cursor;
    if (ending && bytesPlayed >= file->dataSize())
        voice->stop();
    return true;
}

bool StreamingSound::resetLocked() {
    if (voices.empty() || !file)
        return reportEmpty(u"::reset()");
    lastPlayCursor = bytesPlayed = writeOffset = 0;
    ending = false;
    platform::AudioBuffer* voice = voices.front().get();
    bool restored = false;
    if (!restoreBuffer(voice, &restored)) {
        showError(u"restoreBuffer()に失敗しました。", kReset);
        return false;
    }
    if (restored && !fillupBuffer(false, voice)) {
        showError(u"fillupBuffer()に失敗しました。", kReset);
        return false;
    }
    file->rewind();
    if (!voice->setCurrentPosition(0)) {
        showError(u"SetCurrentPosition()に失敗しました。", kReset);
        return false;
    }
    notifyEvent.clear();
    return true;
}

bool StreamingSound::playLocked(bool loop) {
    if (voices.empty() || !file)
        return reportEmpty(u"::play()");
    if (anyVoicePlaying())
        return false;
    paused = false;
    if (!resetLocked()) {
        showError(u"reset()に失敗しました。", kPlay);
        return false;
    }
    if (!fillupBuffer(loop, voices.front().get())) {
        showError(u"fillupBuffer()に失敗しました。", kPlay);
        return false;
    }
    if (!playVoice(true)) {
        showError(u"Sound::play()に失敗しました。", kPlay);
        return false;
    }
    looping = loop;
    return true;
}

bool StreamingSound::play(bool loop) {
    std::lock_guard<std::mutex> hold(guard);
    return playLocked(loop);
}

bool StreamingSound::pause() {
    std::lock_guard<std::mutex> hold(guard);
    if (anyVoicePlaying()) {
        stopVoices();
        paused = true;
        return true;
    }
    if (paused && !voices.empty()) {
        // Resume where the pause left the ring; the file and the counters
        // still match it.
        paused = false;
        voices.front()->play(true);
        return true;
    }
    return playLocked(looping);
}

bool StreamingSound::stop() {
    std::lock_guard<std::mutex> hold(guard);
    paused = false;
    if (voices.empty())
        return reportEmpty(u"::stop()");
    stopVoices();
    return true;
}

bool StreamingSound::reset() {
    std::lock_guard<std::mutex> hold(guard);
    return resetLocked();
}

bool StreamingSound::isLooping() {
    std::lock_guard<std::mutex> hold(guard);
    return looping;
}

bool StreamingSound::isPlaying() {
    std::lock_guard<std::mutex> hold(guard);
    return BufferedSound::isPlaying();
}

bool StreamingSound::get3DBuffer(int index, platform::AudioBuffer** buffer) {
    std::lock_guard<std::mutex> hold(guard);
    return BufferedSound::get3DBuffer(index, buffer);
}

void StreamingSound::setVolume(int percent) {
    std::lock_guard<std::mutex> hold(guard);
    BufferedSound::setVolume(percent);
}

void StreamingSound::setPan(int value) {
    std::lock_guard<std::mutex> hold(guard);
    BufferedSound::setPan(value);
}

void StreamingSound::release() {
    endThread();
    std::lock_guard<std::mutex> hold(guard);
    releaseVoices();
    paused = ending = false;
}

}  // namespace veru::sound
