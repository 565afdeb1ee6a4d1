#include "engine/platform/audio/VorbisEncoder.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>

namespace veru::platform {

namespace {

struct Encoder {
    vorbis_info info{};
    vorbis_comment comment{};
    vorbis_dsp_state dsp{};
    vorbis_block block{};
    ogg_stream_state stream{};
    bool dspReady = false;
    Encoder() {
        vorbis_info_init(&info);
        vorbis_comment_init(&comment);
    }
    ~Encoder() {
        if (dspReady) {
            ogg_stream_clear(&stream);
            vorbis_block_clear(&block);
            vorbis_dsp_clear(&dsp);
        }
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
    }
};

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

bool writePage(std::FILE* out, const ogg_page& page) {
    return std::fwrite(page.header, 1, static_cast<std::size_t>(page.header_len), out) ==
               static_cast<std::size_t>(page.header_len) &&
           std::fwrite(page.body, 1, static_cast<std::size_t>(page.body_len), out) ==
               static_cast<std::size_t>(page.body_len);
}

}  // namespace

bool writeOggVorbis(const std::string& path, const std::vector<std::int16_t>& pcm, int channels,
                    int rate, float quality) {
    std::unique_ptr<std::FILE, FileCloser> out(std::fopen(path.c_str(), "wb"));
    if (!out || channels <= 0)
        return false;
    auto e = std::make_unique<Encoder>();
    if (vorbis_encode_init_vbr(&e->info, channels, rate, quality) != 0)
        return false;
    vorbis_analysis_init(&e->dsp, &e->info);
    vorbis_block_init(&e->dsp, &e->block);
    ogg_stream_init(&e->stream, 1);
    e->dspReady = true;

    ogg_packet header, commentPacket, codePacket;
    vorbis_analysis_headerout(&e->dsp, &e->comment, &header, &commentPacket, &codePacket);
    ogg_stream_packetin(&e->stream, &header);
    ogg_stream_packetin(&e->stream, &commentPacket);
    ogg_stream_packetin(&e->stream, &codePacket);
    ogg_page page;
    while (ogg_stream_flush(&e->stream, &page) != 0) {
        if (!writePage(out.get(), page))
            return false;
    }

    const std::size_t frames = pcm.size() / static_cast<std::size_t>(channels);
    std::size_t done = 0;
    bool ended = false;
    while (!ended) {
        const std::size_t chunk = std::min<std::size_t>(4096, frames - done);
        if (chunk == 0) {
            vorbis_analysis_wrote(&e->dsp, 0);
        } else {
            float** buffer = vorbis_analysis_buffer(&e->dsp, static_cast<int>(chunk));
            for (std::size_t i = 0; i < chunk; ++i) {
                for (int c = 0; c < channels; ++c) {
                    buffer[c][i] = pcm[(done + i) * static_cast<std::size_t>(channels) +
                                       static_cast<std::size_t>(c)] /
                                   32768.0f;
                }
            }
            vorbis_analysis_wrote(&e->dsp, static_cast<int>(chunk));
            done += chunk;
        }
        while (vorbis_analysis_blockout(&e->dsp, &e->block) == 1) {
            vorbis_analysis(&e->block, nullptr);
            vorbis_bitrate_addblock(&e->block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&e->dsp, &packet) != 0) {
                ogg_stream_packetin(&e->stream, &packet);
                while (ogg_stream_pageout(&e->stream, &page) != 0) {
                    if (!writePage(out.get(), page))
                        return false;
                    if (ogg_page_eos(&page))
                        ended = true;
                }
            }
        }
        if (chunk == 0)
            ended = true;
    }
    while (ogg_stream_flush(&e->stream, &page) != 0) {
        if (!writePage(out.get(), page))
            return false;
    }
    return std::fclose(out.release()) == 0;
}

}  // namespace veru::platform
