#include "engine/platform/audio/AudioBuffer.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>

#include "engine/platform/audio/AudioSamples.h"
#include "engine/platform/audio/Mixer.h"

namespace veru::platform {

namespace {

std::int32_t gainOf(int hundredthsDb) {
    if (hundredthsDb <= -10000)
        return 0;
    if (hundredthsDb >= 0)
        return 32768;
    return static_cast<std::int32_t>(std::lround(32768.0 * std::pow(10.0, hundredthsDb / 2000.0)));
}

}  // namespace

std::vector<std::int16_t> convertToDevice(const AudioFormat& format, const std::uint8_t* data,
                                          std::uint32_t bytes) {
    std::vector<std::int16_t> out;
    if (bytes == 0)
        return out;
    SDL_AudioCVT cvt;
    const SDL_AudioFormat source = format.bits == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    if (SDL_BuildAudioCVT(&cvt, source, static_cast<Uint8>(format.channels), format.rate,
                          AUDIO_S16SYS, 2, kDeviceFormat.rate) < 0) {
        return out;
    }
    if (!cvt.needed) {
        out.resize(bytes / 2);
        std::memcpy(out.data(), data, out.size() * 2);
        return out;
    }
    std::vector<std::uint8_t> work(static_cast<std::size_t>(bytes) * cvt.len_mult + 16);
    std::memcpy(work.data(), data, bytes);
    cvt.buf = work.data();
    cvt.len = static_cast<int>(bytes);
    if (SDL_ConvertAudio(&cvt) != 0)
        return out;
    out.resize(static_cast<std::size_t>(cvt.len_cvt) / 4 * 2);
    std::memcpy(out.data(), work.data(), out.size() * 2);
    return out;
}

AudioBuffer::AudioBuffer(Mixer* m, std::shared_ptr<Samples> s) : mixer(m), samples(std::move(s)) {
    mixer->attach(this);
}

AudioBuffer::~AudioBuffer() {
    mixer->detach(this);
}

std::unique_ptr<AudioBuffer> AudioBuffer::duplicate() const {
    return std::unique_ptr<AudioBuffer>(new AudioBuffer(mixer, samples));
}

const AudioFormat& AudioBuffer::getFormat() const {
    return samples->format;
}

std::uint32_t AudioBuffer::getBytes() const {
    return samples->bytes;
}

std::uint32_t AudioBuffer::toDeviceFrame(std::uint32_t offset) const {
    const auto frame = static_cast<std::uint64_t>(offset / samples->format.blockAlign());
    return static_cast<std::uint32_t>(frame * kDeviceFormat.rate / samples->format.rate);
}

bool AudioBuffer::lock(std::uint32_t offset, std::uint32_t bytes, LockedRegions& regions) {
    regions = LockedRegions{};
    const std::uint32_t size = getBytes();
    if (bytes == 0)
        bytes = size;
    if (offset >= size || bytes > size || samples->own.empty())
        return false;
    std::uint8_t* base = samples->own.data();
    regions.first = base + offset;
    regions.firstBytes = std::min(bytes, size - offset);
    if (regions.firstBytes < bytes) {
        regions.second = base;
        regions.secondBytes = bytes - regions.firstBytes;
    }
    return true;
}

void AudioBuffer::unlock(const LockedRegions& regions) {
    const std::uint8_t* base = samples->own.data();
    const int align = samples->format.blockAlign();
    for (auto [data, bytes] : {std::pair{regions.first, regions.firstBytes},
                               std::pair{regions.second, regions.secondBytes}}) {
        if (!data || bytes == 0)
            continue;
        // Whole frames only: a region that starts or ends inside a frame is
        // widened to the frames it touches.
        std::uint32_t begin = static_cast<std::uint32_t>(data - base);
        std::uint32_t end = begin + bytes;
        begin -= begin % align;
        end = std::min<std::uint32_t>(getBytes(), (end + align - 1) / align * align);
        std::vector<std::int16_t> converted =
            convertToDevice(samples->format, base + begin, end - begin);
        const std::uint32_t target = toDeviceFrame(begin);
        std::lock_guard<std::mutex> hold(mixer->lock);
        const std::size_t frames =
            std::min<std::size_t>(converted.size() / 2, samples->deviceFrames - target);
        std::copy_n(converted.begin(), frames * 2, samples->device.begin() + target * 2);
        framesAhead = static_cast<std::uint32_t>(
            std::min<std::size_t>(samples->deviceFrames, framesAhead + frames));
    }
}

void AudioBuffer::dropWritableCopy() {
    std::vector<std::uint8_t>().swap(samples->own);
}

void AudioBuffer::play(bool loop) {
    std::lock_guard<std::mutex> hold(mixer->lock);
    playing = true;
    looping = loop;
}

void AudioBuffer::stop() {
    std::lock_guard<std::mutex> hold(mixer->lock);
    playing = false;
}

bool AudioBuffer::isPlaying() const {
    std::lock_guard<std::mutex> hold(mixer->lock);
    return playing;
}

bool AudioBuffer::isLooping() const {
    std::lock_guard<std::mutex> hold(mixer->lock);
    return looping;
}

std::uint32_t AudioBuffer::getPlayCursor() const {
    std::uint32_t frame;
    {
        std::lock_guard<std::mutex> hold(mixer->lock);
        frame = position;
    }
    const auto own = static_cast<std::uint64_t>(frame) * samples->format.rate / kDeviceFormat.rate;
    return static_cast<std::uint32_t>(own * samples->format.blockAlign());
}

bool AudioBuffer::setCurrentPosition(std::uint32_t offset) {
    if (offset >= getBytes())
        return false;
    const std::uint32_t frame = toDeviceFrame(offset);
    std::lock_guard<std::mutex> hold(mixer->lock);
    position = std::min(frame, samples->deviceFrames - 1);
    return true;
}

void AudioBuffer::setVolume(int hundredthsDb) {
    std::lock_guard<std::mutex> hold(mixer->lock);
    volume = std::clamp(hundredthsDb, -10000, 0);
    updateGains();
}

int AudioBuffer::getVolume() const {
    std::lock_guard<std::mutex> hold(mixer->lock);
    return volume;
}

void AudioBuffer::setPan(int hundredthsDb) {
    std::lock_guard<std::mutex> hold(mixer->lock);
    pan = std::clamp(hundredthsDb, -10000, 10000);
    updateGains();
}

int AudioBuffer::getPan() const {
    std::lock_guard<std::mutex> hold(mixer->lock);
    return pan;
}

void AudioBuffer::updateGains() {
    gainLeft = gainOf(volume - std::max(pan, 0));
    gainRight = gainOf(volume + std::min(pan, 0));
}

bool AudioBuffer::setNotificationPositions(const std::vector<std::uint32_t>& offsets,
                                           AudioEvent* e) {
    std::vector<std::uint32_t> frames;
    for (std::uint32_t offset : offsets) {
        if (offset >= getBytes())
            return false;
        frames.push_back(toDeviceFrame(offset));
    }
    std::sort(frames.begin(), frames.end());
    std::lock_guard<std::mutex> hold(mixer->lock);
    notifyFrames = std::move(frames);
    event = e;
    return true;
}

void AudioBuffer::setStreaming(bool on) {
    std::lock_guard<std::mutex> hold(mixer->lock);
    streaming = on;
}

bool AudioBuffer::isStreaming() const {
    std::lock_guard<std::mutex> hold(mixer->lock);
    return streaming;
}

}  // namespace veru::platform
