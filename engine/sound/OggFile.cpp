#include "engine/sound/OggFile.h"

#include <algorithm>
#include <cstring>

#include <vector>

#include "engine/core/MessageBox.h"
#include "engine/exceptions/Exception.h"
#include "engine/io/ByteFileReader.h"

namespace veru::sound {

bool OggFile::isAsciiPath(const YString& path) {
    return std::all_of(path.begin(), path.end(), [](char16_t c) { return c > 0 && c < 0x80; });
}

bool OggFile::open(const YString& path) {
    if (!isAsciiPath(path)) {
        close();
        if (path.empty())
            awt::showError(u"ファイル名が指定されていません。", u"OggFile.openOggFile()");
        return false;
    }
    return open(path.toUtf8().c_str());
}

bool OggFile::open(const char* ansiPath) {
    close();
    if (!ansiPath || !*ansiPath) {
        awt::showError(u"ファイル名が指定されていません。", u"OggFile.openOggFile()");
        return false;
    }
    for (const char* c = ansiPath; *c; ++c) {
        if (static_cast<unsigned char>(*c) >= 0x80)
            return false;
    }
    if (!decoder.open(ansiPath))
        return false;
    const YString path = YString::fromUtf8(ansiPath);
    const std::int64_t total = decoder.getPcmTotal();
    const int channels = decoder.getChannels();
    format.formatTag = 1;
    format.channels = static_cast<std::uint16_t>(std::clamp(channels, 0, 0xFFFF));
    format.samplesPerSec = static_cast<std::uint32_t>(decoder.getRate());
    format.bitsPerSample = 16;
    if (!format.toAudioFormat().isSupported() || total < 0) {
        awt::showError(YString(u"ちゃんと読み込めて…ない！？：").append(path));
        close();
        return false;
    }
    // The length comes from one field of the last page: check it against
    // what the file's packets decode to before a buffer is sized from it.
    if (total > kMaxPcmBytes / (channels * 2) || total > decoder.getDecodableSamples()) {
        awt::showError(YString(u"音声の長さが正しくないか、長すぎます（")
                           .append(static_cast<int>(kMaxPcmBytes / (1024 * 1024)))
                           .append(u"MBまで）：")
                           .append(path));
        close();
        return false;
    }
    format.blockAlign = static_cast<std::uint16_t>(channels * 2);
    format.avgBytesPerSec = format.blockAlign * format.samplesPerSec;
    format.cbSize = 0;
    size = static_cast<std::uint32_t>(total * channels * 2);
    opened = true;
    if (!rewind()) {
        awt::showError(YString(u"ちゃんと読み込めて…ない！？：").append(path));
        close();
        return false;
    }
    return true;
}

bool OggFile::rewind() {
    return opened && decoder.seekToStart();
}

bool OggFile::readToBuffer(std::uint8_t* destination, std::uint32_t count, std::uint32_t* read) {
    if (read)
        *read = 0;
    if (!opened || !destination)
        return false;
    std::memset(destination, 0, count);
    std::uint32_t done = 0;
    bool restarted = false;  // a stream that decodes nothing must not loop forever
    while (done < count) {
        const int piece = static_cast<int>(std::min<std::uint32_t>(4096, count - done));
        const long got = decoder.read(destination + done, piece);
        if (got > 0) {
            done += static_cast<std::uint32_t>(got);
            restarted = false;
        } else if (got == 0 && loop && !restarted) {
            if (!decoder.seekToStart())
                break;
            restarted = true;
        } else {
            break;
        }
    }
    if (read)
        *read = done;
    return true;
}

bool OggFile::close() {
    decoder.close();
    format = WaveFormat{};
    opened = false;
    loop = false;
    size = 0;
    return true;
}

}  // namespace veru::sound
