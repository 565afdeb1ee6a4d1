#include "engine/platform/audio/Mixer.h"

#include <algorithm>
#include <new>

#include "engine/platform/audio/AudioBuffer.h"
#include "engine/platform/audio/AudioEvent.h"
#include "engine/platform/audio/AudioSamples.h"

namespace veru::platform {

namespace {

// The frames a buffer of `bytes` bytes of `format` holds, and as many at the
// device's rate; false for a size or format no buffer is made of.
bool framesOf(const AudioFormat& format, std::uint32_t bytes, std::uint32_t& frames,
              std::uint32_t& deviceFrames) {
    if (!format.isSupported())
        return false;
    frames = bytes / static_cast<std::uint32_t>(format.blockAlign());
    const auto atDevice = static_cast<std::uint64_t>(frames) * kDeviceFormat.rate /
                          static_cast<std::uint64_t>(format.rate);
    if (frames == 0 || atDevice == 0 || atDevice > 0x7FFFFFFFu / 4)
        return false;
    deviceFrames = static_cast<std::uint32_t>(atDevice);
    return true;
}

}  // namespace

std::unique_ptr<AudioBuffer> Mixer::createBuffer(const AudioFormat& format, std::uint32_t bytes) {
    std::uint32_t frames = 0, deviceFrames = 0;
    if (!framesOf(format, bytes, frames, deviceFrames))
        return nullptr;
    try {
        auto samples = std::make_shared<AudioBuffer::Samples>();
        samples->format = format;
        samples->own.assign(static_cast<std::size_t>(frames) * format.blockAlign(),
                            format.bits == 8 ? 0x80 : 0);
        samples->bytes = static_cast<std::uint32_t>(samples->own.size());
        samples->deviceFrames = deviceFrames;
        samples->device.assign(static_cast<std::size_t>(deviceFrames) * 2, 0);
        return std::unique_ptr<AudioBuffer>(new AudioBuffer(this, std::move(samples)));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::optional<ConvertedSamples> Mixer::convertWhole(const AudioFormat& format,
                                                    const std::uint8_t* data, std::uint32_t bytes) {
    std::uint32_t frames = 0, deviceFrames = 0;
    if (!data || !framesOf(format, bytes, frames, deviceFrames))
        return std::nullopt;
    try {
        ConvertedSamples out;
        out.format = format;
        out.bytes = frames * static_cast<std::uint32_t>(format.blockAlign());
        out.deviceFrames = deviceFrames;
        // What AudioBuffer::unlock makes of the whole buffer written at once.
        std::vector<std::int16_t> converted = convertToDevice(format, data, out.bytes);
        out.device.assign(static_cast<std::size_t>(deviceFrames) * 2, 0);
        const std::size_t copied = std::min<std::size_t>(converted.size() / 2, deviceFrames);
        std::copy_n(converted.begin(), copied * 2, out.device.begin());
        return out;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::unique_ptr<AudioBuffer> Mixer::createBuffer(ConvertedSamples converted) {
    if (converted.device.size() != static_cast<std::size_t>(converted.deviceFrames) * 2 ||
        converted.deviceFrames == 0)
        return nullptr;
    try {
        auto samples = std::make_shared<AudioBuffer::Samples>();
        samples->format = converted.format;
        samples->bytes = converted.bytes;
        samples->deviceFrames = converted.deviceFrames;
        samples->device = std::move(converted.device);
        auto buffer = std::unique_ptr<AudioBuffer>(new AudioBuffer(this, std::move(samples)));
        buffer->framesAhead = buffer->samples->deviceFrames;
        return buffer;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void Mixer::attach(AudioBuffer* buffer) {
    std::lock_guard<std::mutex> hold(lock);
    buffers.push_back(buffer);
}

void Mixer::detach(AudioBuffer* buffer) {
    std::lock_guard<std::mutex> hold(lock);
    buffers.erase(std::remove(buffers.begin(), buffers.end(), buffer), buffers.end());
}

int Mixer::playingCount() const {
    std::lock_guard<std::mutex> hold(lock);
    return static_cast<int>(
        std::count_if(buffers.begin(), buffers.end(), [](AudioBuffer* b) { return b->playing; }));
}

int Mixer::bufferCount() const {
    std::lock_guard<std::mutex> hold(lock);
    return static_cast<int>(buffers.size());
}

void Mixer::mix(std::int16_t* out, int frames) {
    if (frames <= 0)
        return;
    std::lock_guard<std::mutex> hold(lock);
    accumulator.assign(static_cast<std::size_t>(frames) * 2, 0);
    for (AudioBuffer* voice : buffers) {
        if (voice->playing)
            mixVoice(*voice, frames);
    }
    limiter.process(accumulator.data(), out, frames);
    mixedFrames.fetch_add(static_cast<std::uint64_t>(frames), std::memory_order_relaxed);
}

void Mixer::mixVoice(AudioBuffer& voice, int frames) {
    const AudioBuffer::Samples& s = *voice.samples;
    const std::int16_t* source = s.device.data();
    const std::int32_t left = voice.gainLeft;
    const std::int32_t right = voice.gainRight;
    std::int32_t* acc = accumulator.data();
    if (voice.streaming) {
        // A stream that cannot cover this call still plays on (its old ring
        // contents), so that its cursor and notifications keep the writer going.
        const auto wanted = static_cast<std::uint32_t>(frames);
        if (wanted > voice.framesAhead) {
            underruns.fetch_add(1, std::memory_order_relaxed);
            voice.framesAhead = 0;
        } else {
            voice.framesAhead -= wanted;
        }
    }
    bool signal = false;
    std::uint32_t remaining = static_cast<std::uint32_t>(frames);
    while (remaining > 0 && voice.playing) {
        const std::uint32_t begin = voice.position;
        const std::uint32_t count = std::min(remaining, s.deviceFrames - begin);
        if (left != 0 || right != 0) {
            const std::int16_t* in = source + static_cast<std::size_t>(begin) * 2;
            for (std::uint32_t i = 0; i < count; ++i) {
                acc[2 * i] += (in[2 * i] * left) >> 15;
                acc[2 * i + 1] += (in[2 * i + 1] * right) >> 15;
            }
        }
        const std::uint32_t end = begin + count;
        if (!signal && voice.event) {
            auto it = std::lower_bound(voice.notifyFrames.begin(), voice.notifyFrames.end(), begin);
            signal = it != voice.notifyFrames.end() && *it < end;
        }
        acc += static_cast<std::size_t>(count) * 2;
        remaining -= count;
        voice.position = end;
        if (voice.position >= s.deviceFrames) {
            voice.position = 0;
            if (!voice.looping)
                voice.playing = false;
        }
    }
    if (signal)
        voice.event->signal();
}

}  // namespace veru::platform
