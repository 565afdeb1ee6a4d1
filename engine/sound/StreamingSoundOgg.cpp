#include "engine/sound/StreamingSoundOgg.h"

#include <algorithm>
#include <optional>

#include "engine/core/MessageBox.h"
#include "engine/material/PicturePreload.h"
#include "engine/platform/audio/Mixer.h"
#include "engine/sound/OggFile.h"
#include "engine/sound/TunePreload.h"
#include "engine/sound/YDirectSound.h"

namespace veru::sound {

using awt::showError;

StreamingSoundOgg::StreamingSoundOgg(std::chrono::milliseconds period) : pollPeriod(period) {}

StreamingSoundOgg::~StreamingSoundOgg() {
    release();
}

void StreamingSoundOgg::reportUnreadable(const YString& path) {
    showError(YString(u"OggFileの読み込みに失敗しました：").append(path),
              u"StreamingSound::read()");
    emptyReported = true;  // this box has said it: no second one at play
}

OggFile* StreamingSoundOgg::ogg() const {
    return static_cast<OggFile*>(file.get());
}

bool StreamingSoundOgg::read(YDirectSound* device, const YString& path, int count) {
    // Only ASCII paths can be opened; others fail in OggFile::open below.
    std::string narrow;
    for (char16_t c : path)
        narrow.push_back(static_cast<char>(c < 0x80 ? c : 0x80));
    if (!OggFile::isAsciiPath(path) && !path.empty()) {
        std::lock_guard<std::mutex> hold(guard);
        releaseVoices();
        state = kStopped;
        reportUnreadable(path);
        return false;
    }
    return read(device, path.empty() ? nullptr : narrow.c_str(), count);
}

bool StreamingSoundOgg::read(YDirectSound* device, const char* path, int /*voices*/) {
    if (dxt::material::PreloadPass::active()) {
        // A worker reading ahead opens and begins the tune for the main thread's read.
        if (path)
            preloadTune(YString::fromUtf8(path));
        return false;
    }
    // Opened and begun ahead by a worker (TunePreload.h), or now.
    std::optional<PreparedTune> ready;
    if (path)
        ready = takePreloadedTune(YString::fromUtf8(path));
    {
        std::lock_guard<std::mutex> hold(guard);
        state = kStopped;
        releaseVoices();
        emptyReported = false;
        std::unique_ptr<OggFile> decoder =
            ready ? std::move(ready->decoder) : std::make_unique<OggFile>();
        if (!ready && !decoder->open(path)) {
            reportUnreadable(path ? YString::fromUtf8(path) : YString());
            decoder->close();
            return false;
        }
        const WaveFormat format = decoder->getFormat();
        halfBytes = ringBytesOf(format) / 2;
        platform::Mixer* mixer = device ? device->getMixer() : nullptr;
        std::unique_ptr<platform::AudioBuffer> ring =
            mixer ? mixer->createBuffer(format.toAudioFormat(), halfBytes * 2) : nullptr;
        if (!ring) {
            showError(u"CreateSoundBuffer()に失敗しました。", u"StreamingSoundOgg::read()");
            return false;
        }
        ring->setStreaming(true);
        file = std::move(decoder);
        voices.push_back(std::move(ring));
        voiceCount = 1;
        bufferBytes = halfBytes * 2;
        if (!initializeBuffer(ready ? &*ready : nullptr)) {
            showError(u"initializeBuffer()に失敗しました。", u"StreamingSoundOgg::read()");
            return false;
        }
        state = kReady;
    }
    startThread();
    return true;
}

std::uint32_t StreamingSoundOgg::ringBytesOf(const WaveFormat& format) {
    std::uint32_t half = format.avgBytesPerSec * 3 / 2;
    if (format.blockAlign > 0)
        half -= half % format.blockAlign;
    return half * 2;
}

bool StreamingSoundOgg::initializeBuffer(const PreparedTune* ready) {
    if (voices.empty() || !file)
        return false;
    platform::AudioBuffer* voice = voices.front().get();
    voice->setCurrentPosition(0);
    filledFirst = false;
    platform::LockedRegions regions;
    if (!voice->lock(0, 0, regions)) {
        state = kFailed;
        threadStop = true;  // the thread ends by itself; release joins it
        return false;
    }
    std::uint32_t got = 0;
    if (ready && ready->firstFill.size() == regions.firstBytes) {
        // The decoder stands just after these bytes.
        std::copy(ready->firstFill.begin(), ready->firstFill.end(), regions.first);
        got = ready->decoded;
    } else {
        file->rewind();
        file->readToBuffer(regions.first, regions.firstBytes, &got);
    }
    voice->unlock(regions);
    refillPending = false;
    // A fill that ran out of stream holds silence (or the start again) after
    // its end, which depends on the loop flag it was made with.
    filledToEnd = got < regions.firstBytes || file->dataSize() <= regions.firstBytes;
    return true;
}

void StreamingSoundOgg::decodeInto(std::uint32_t offset) {
    platform::AudioBuffer* voice = voices.front().get();
    platform::LockedRegions regions;
    if (!voice->lock(offset, halfBytes, regions))
        return;
    std::uint32_t got = 0;
    file->readToBuffer(regions.first, regions.firstBytes, &got);
    voice->unlock(regions);
}

void StreamingSoundOgg::pollingProc() {
    std::unique_lock<std::mutex> hold(guard);
    while (!threadStop) {
        if (state == kPlaying && !voices.empty() && file) {
            const std::uint32_t cursor = voices.front()->getPlayCursor();
            if (!filledFirst && cursor >= halfBytes) {
                decodeInto(0);
                filledFirst = true;
            } else if (filledFirst && cursor < halfBytes) {
                decodeInto(halfBytes);
                filledFirst = false;
            }
        } else if (state == kStopped) {
            filledFirst = false;
            if (refillPending && !voices.empty() && file)
                initializeBuffer();
        }
        wake.wait_for(hold, pollPeriod,
                      [this] { return threadStop.load() || (refillPending && state == kStopped); });
    }
}

void StreamingSoundOgg::startThread() {
    std::lock_guard<std::mutex> hold(guard);
    if (threadRunning)
        return;
    threadStop = false;
    threadRunning = true;
    thread = std::thread([this] { pollingProc(); });
}

void StreamingSoundOgg::stopThread() {
    {
        std::lock_guard<std::mutex> hold(guard);
        if (!threadRunning)
            return;
        state = kFailed;
        threadStop = true;
    }
    wake.notify_all();
    thread.join();
    std::lock_guard<std::mutex> hold(guard);
    threadStop = false;
    threadRunning = false;
}

bool StreamingSoundOgg::playLocked(bool loop) {
    if (state == kPlaying)
        return false;
    if (voices.empty() || !file)
        return reportEmpty(u"::play()");
    if ((state == kReady || state == kStopped) && ogg()->isLoop() != loop && filledToEnd) {
        // The ring was filled from the start with the other loop flag and
        // holds the stream's end: it would carry silence (or its start) past
        // the end. Fill it again for this play. A longer stream fills the
        // ring the same either way.
        ogg()->setLoop(loop);
        initializeBuffer();
    }
    if (refillPending)
        initializeBuffer();  // played again before the thread refilled it
    ogg()->setLoop(loop);
    looping = loop;
    state = kPlaying;
    platform::AudioBuffer* voice = voices.front().get();
    voice->setVolume(volume);
    voice->setPan(pan);
    voice->play(true);
    return true;
}

bool StreamingSoundOgg::play(bool loop) {
    std::lock_guard<std::mutex> hold(guard);
    return playLocked(loop);
}

bool StreamingSoundOgg::pause() {
    std::lock_guard<std::mutex> hold(guard);
    if (state == kPlaying) {
        stopVoices();
        state = kPaused;
        return true;
    }
    return playLocked(looping);
}

bool StreamingSoundOgg::stop() {
    std::lock_guard<std::mutex> hold(guard);
    if (state == kStopped)
        return false;
    if (voices.empty())
        return reportEmpty(u"::stop()");
    state = kStopped;
    stopVoices();
    // The thread fills the ring from the start again, so that stopping one
    // tune to start another never decodes on the caller's thread.
    refillPending = true;
    wake.notify_all();
    return true;
}

bool StreamingSoundOgg::reset() {
    std::lock_guard<std::mutex> hold(guard);
    if (voices.empty())
        return reportEmpty(u"::reset()");
    return initializeBuffer();
}

bool StreamingSoundOgg::isPlaying() {
    std::lock_guard<std::mutex> hold(guard);
    return state == kPlaying;
}

bool StreamingSoundOgg::isLooping() {
    std::lock_guard<std::mutex> hold(guard);
    return looping;
}

int StreamingSoundOgg::getState() {
    std::lock_guard<std::mutex> hold(guard);
    return state;
}

bool StreamingSoundOgg::get3DBuffer(int index, platform::AudioBuffer** buffer) {
    std::lock_guard<std::mutex> hold(guard);
    return BufferedSound::get3DBuffer(index, buffer);
}

void StreamingSoundOgg::setVolume(int percent) {
    std::lock_guard<std::mutex> hold(guard);
    BufferedSound::setVolume(percent);
}

void StreamingSoundOgg::setPan(int value) {
    std::lock_guard<std::mutex> hold(guard);
    BufferedSound::setPan(value);
}

void StreamingSoundOgg::release() {
    // The thread goes first: it reads the buffer and the decoder.
    stopThread();
    std::lock_guard<std::mutex> hold(guard);
    releaseVoices();
}

}  // namespace veru::sound
