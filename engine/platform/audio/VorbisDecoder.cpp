#include "engine/platform/audio/VorbisDecoder.h"

#include <vorbis/vorbisfile.h>

#include <cstdio>
#include <memory>

namespace veru::platform {

namespace {

// The page and packet readers of one walk through a file, released together.
struct OggWalk {
    ogg_sync_state sync{};
    ogg_stream_state stream{};
    bool streamOpen = false;

    OggWalk() { ogg_sync_init(&sync); }
    ~OggWalk() {
        if (streamOpen)
            ogg_stream_clear(&stream);
        ogg_sync_clear(&sync);
    }
    OggWalk(const OggWalk&) = delete;
    OggWalk& operator=(const OggWalk&) = delete;
};

// Samples per channel that the audio packets of the file's first logical
// stream decode to before the end is trimmed to the last page's count: each
// packet after the first adds a quarter of its block and a quarter of the
// one before. Only the packets' mode bits are read, nothing is decoded.
// -1 when the file cannot be read.
std::int64_t countDecodableSamples(const std::string& path, vorbis_info* info) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               &std::fclose);
    if (!file)
        return -1;
    OggWalk walk;
    std::int64_t samples = 0;
    long previousBlock = 0;
    for (;;) {
        char* buffer = ogg_sync_buffer(&walk.sync, 65536);
        const std::size_t got = buffer ? std::fread(buffer, 1, 65536, file.get()) : 0;
        if (got == 0)
            break;
        ogg_sync_wrote(&walk.sync, static_cast<long>(got));
        ogg_page page;
        while (ogg_sync_pageout(&walk.sync, &page) == 1) {
            if (!walk.streamOpen) {
                ogg_stream_init(&walk.stream, ogg_page_serialno(&page));
                walk.streamOpen = true;
            }
            if (ogg_page_serialno(&page) != walk.stream.serialno)
                continue;  // another logical stream: not the one played
            ogg_stream_pagein(&walk.stream, &page);
            ogg_packet packet;
            int result = 0;
            while ((result = ogg_stream_packetout(&walk.stream, &packet)) != 0) {
                if (result < 0)
                    continue;  // a gap in the pages
                const long block = vorbis_packet_blocksize(info, &packet);
                if (block <= 0)
                    continue;  // a header packet
                if (previousBlock > 0)
                    samples += previousBlock / 4 + block / 4;
                previousBlock = block;
            }
        }
    }
    return samples;
}

}  // namespace

// Owns one vorbisfile decoder and the file it opened: clear() is the one
// place that releases them, on close() and on destruction.
struct VorbisDecoder::State {
    OggVorbis_File file{};
    bool open = false;
    int channels = 0;
    int rate = 0;
    std::int64_t total = -1;
    std::int64_t decodable = -1;

    State() = default;
    ~State() { clear(); }
    State(const State&) = delete;
    State& operator=(const State&) = delete;

    void clear() {
        if (open)
            ov_clear(&file);
        file = OggVorbis_File{};
        open = false;
        channels = 0;
        rate = 0;
        total = -1;
        decodable = -1;
    }
};

VorbisDecoder::VorbisDecoder() : state(std::make_unique<State>()) {}

VorbisDecoder::~VorbisDecoder() = default;

bool VorbisDecoder::open(const std::string& path) {
    close();
    if (ov_fopen(path.c_str(), &state->file) != 0)
        return false;
    state->open = true;
    const vorbis_info* info = ov_info(&state->file, -1);
    if (!info || info->channels <= 0 || info->rate <= 0) {
        close();
        return false;
    }
    state->channels = info->channels;
    state->rate = static_cast<int>(info->rate);
    state->total = ov_pcm_total(&state->file, -1);
    state->decodable = countDecodableSamples(path, ov_info(&state->file, -1));
    return true;
}

bool VorbisDecoder::isOpen() const {
    return state->open;
}

void VorbisDecoder::close() {
    state->clear();
}

int VorbisDecoder::getChannels() const {
    return state->channels;
}
int VorbisDecoder::getRate() const {
    return state->rate;
}
std::int64_t VorbisDecoder::getPcmTotal() const {
    return state->total;
}
std::int64_t VorbisDecoder::getDecodableSamples() const {
    return state->decodable;
}

bool VorbisDecoder::seekToStart() {
    return state->open && ov_time_seek(&state->file, 0.0) == 0;
}

long VorbisDecoder::read(void* destination, int bytes) {
    if (!state->open)
        return -1;
    int section = 0;
    return ov_read(&state->file, static_cast<char*>(destination), bytes, 0, 2, 1, &section);
}

}  // namespace veru::platform
