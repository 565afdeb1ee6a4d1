#include "engine/platform/audio/VorbisDecoder.h"

#include <vorbis/vorbisfile.h>

namespace veru::platform {

// Owns one vorbisfile decoder and the file it opened: clear() is the one
// place that releases them, on close() and on destruction.
struct VorbisDecoder::State {
    OggVorbis_File file{};
    bool open = false;
    int channels = 0;
    int rate = 0;
    std::int64_t total = -1;

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
