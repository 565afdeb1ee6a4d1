#include "engine/sound/RiffReader.h"

#include <algorithm>
#include <cstring>

namespace veru::sound {

namespace {

std::uint32_t le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

bool playable(const WaveFormat& f) {
    return f.formatTag == 1 && f.toAudioFormat().isSupported() &&
           f.blockAlign == f.channels * f.bitsPerSample / 8;
}

}  // namespace

RiffStatus RiffReader::readHeader(RiffSource& source) {
    format = WaveFormat{};
    dataOffset = 0;
    dataSize = 0;
    std::uint8_t head[12];
    if (!source.seek(0))
        return RiffStatus::seekFailed;
    const std::size_t got = source.read(head, sizeof head);
    if (got < 8)
        return RiffStatus::noChunk;
    if (got < 12 || std::memcmp(head, "RIFF", 4) != 0 || std::memcmp(head + 8, "WAVE", 4) != 0 ||
        le32(head + 4) < 4) {
        return RiffStatus::notWave;
    }
    formBegin = 12;
    formEnd =
        std::min<std::uint64_t>(8 + static_cast<std::uint64_t>(le32(head + 4)), source.size());

    std::uint32_t size = 0;
    std::uint64_t body = 0;
    if (RiffStatus s = findChunk(source, "fmt ", &size, &body); s != RiffStatus::ok) {
        return s == RiffStatus::noData ? RiffStatus::noFmt : s;
    }
    if (size < 16)
        return RiffStatus::fmtTooShort;
    std::uint8_t fmt[16];
    if (source.read(fmt, sizeof fmt) != sizeof fmt)
        return RiffStatus::fmtUnreadable;
    format.formatTag = le16(fmt);
    format.channels = le16(fmt + 2);
    format.samplesPerSec = le32(fmt + 4);
    format.avgBytesPerSec = le32(fmt + 8);
    format.blockAlign = le16(fmt + 12);
    format.bitsPerSample = le16(fmt + 14);
    format.cbSize = 0;
    if (!playable(format))
        return RiffStatus::notPcm;
    return RiffStatus::ok;
}

RiffStatus RiffReader::findData(RiffSource& source) {
    std::uint32_t size = 0;
    std::uint64_t body = 0;
    if (RiffStatus s = findChunk(source, "data", &size, &body); s != RiffStatus::ok)
        return s;
    dataOffset = body;
    dataSize = format.blockAlign ? size - size % format.blockAlign : size;
    return RiffStatus::ok;
}

RiffStatus RiffReader::findChunk(RiffSource& source, const char* id, std::uint32_t* size,
                                 std::uint64_t* body) {
    std::uint64_t at = formBegin;
    while (at + 8 <= formEnd) {
        if (!source.seek(at))
            return RiffStatus::seekFailed;
        std::uint8_t head[8];
        if (source.read(head, sizeof head) != sizeof head)
            return RiffStatus::noData;
        const std::uint32_t length = le32(head + 4);
        const std::uint64_t start = at + 8;
        // A chunk must lie inside the file; only the pad byte may be missing.
        if (start + length > formEnd)
            return RiffStatus::noData;
        if (std::memcmp(head, id, 4) == 0) {
            *size = length;
            *body = start;
            return RiffStatus::ok;
        }
        at = start + length + (length & 1u);
    }
    return RiffStatus::noData;
}

}  // namespace veru::sound
