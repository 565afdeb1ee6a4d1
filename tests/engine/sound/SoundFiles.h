#pragma once
// Sound files for the tests, made in code: wave files byte by byte, Ogg
// Vorbis files through the encoder, and the mixer stepped by hand.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "engine/platform/audio/Mixer.h"
#include "engine/platform/audio/VorbisEncoder.h"
#include "engine/sound/OggFile.h"
#include "tests/support/TempDir.h"

namespace mirelune::test {

inline void appendText(Bytes& out, const char* text) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(text[i]));
}

inline void appendInt16(Bytes& out, int value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

// `size` replaces the true size in the header when given.
inline Bytes chunk(const char* id, const Bytes& body, std::int64_t size = -1) {
    Bytes out;
    appendText(out, id);
    appendInt32(
        out, static_cast<std::int32_t>(size < 0 ? static_cast<std::int64_t>(body.size()) : size));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2)
        out.push_back(0);
    return out;
}

inline Bytes fmtBody(int channels, int rate, int bits, int tag = 1) {
    Bytes b;
    appendInt16(b, tag);
    appendInt16(b, channels);
    appendInt32(b, rate);
    appendInt32(b, rate * channels * bits / 8);
    appendInt16(b, channels * bits / 8);
    appendInt16(b, bits);
    return b;
}

inline Bytes riff(const std::vector<Bytes>& chunks, std::int64_t size = -1) {
    Bytes body;
    appendText(body, "WAVE");
    for (const Bytes& c : chunks)
        body.insert(body.end(), c.begin(), c.end());
    return chunk("RIFF", body, size);
}

inline Bytes pcm16(const std::vector<std::int16_t>& samples) {
    Bytes out;
    for (std::int16_t s : samples)
        appendInt16(out, s);
    return out;
}

// A 16-bit stereo 44100 Hz wave file of `samples`.
inline Bytes wave16(const std::vector<std::int16_t>& samples) {
    return riff({chunk("fmt ", fmtBody(2, 44100, 16)), chunk("data", pcm16(samples))});
}

// Stereo frames that never repeat within 23000 frames, are never silent and
// stay under the mixer's limiter knee (-3 dBFS), so that a sound played
// alone comes out of the mixer bit for bit.
inline std::vector<std::int16_t> pattern(int frames, int seed = 1) {
    std::vector<std::int16_t> s;
    for (int i = 0; i < frames; ++i) {
        s.push_back(static_cast<std::int16_t>(((i * 7 + seed) % 23000) + 100));
        s.push_back(static_cast<std::int16_t>(-(((i * 13 + seed) % 23000) + 100)));
    }
    return s;
}

// A music-like stereo tone of `seconds` at 44100 Hz, written as Ogg Vorbis.
inline bool writeOgg(const veru::YString& path, double seconds) {
    std::vector<std::int16_t> pcm;
    const int frames = static_cast<int>(seconds * 44100);
    for (int i = 0; i < frames; ++i) {
        const double t = i / 44100.0;
        pcm.push_back(static_cast<std::int16_t>(8000 * std::sin(2 * 3.14159265 * 440 * t)));
        pcm.push_back(static_cast<std::int16_t>(8000 * std::sin(2 * 3.14159265 * 660 * t)));
    }
    return veru::platform::writeOggVorbis(path.toUtf8(), pcm, 2, 44100);
}

// Every sample of an Ogg file, decoded once (the reference for streams).
inline std::vector<std::int16_t> decodeOgg(const veru::YString& path) {
    veru::sound::OggFile file;
    if (!file.open(path))
        return {};
    std::vector<std::int16_t> out(file.dataSize() / 2);
    std::uint32_t got = 0;
    file.readToBuffer(reinterpret_cast<std::uint8_t*>(out.data()), file.dataSize(), &got);
    out.resize(got / 2);
    return out;
}

// Mixes `frames` frames in steps, pausing after each so a sound's own
// thread (woken by the mixer, or polling) can refill before the next step.
inline std::vector<std::int16_t> mixStepwise(veru::platform::Mixer& mixer, int frames, int step,
                                             std::chrono::milliseconds pause) {
    std::vector<std::int16_t> out(static_cast<std::size_t>(frames) * 2);
    for (int done = 0; done < frames; done += step) {
        const int n = std::min(step, frames - done);
        mixer.mix(out.data() + static_cast<std::size_t>(done) * 2, n);
        std::this_thread::sleep_for(pause);
    }
    return out;
}

}  // namespace mirelune::test
