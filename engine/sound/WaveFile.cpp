#include "engine/sound/WaveFile.h"

#include <algorithm>

#include "engine/core/MessageBox.h"

namespace veru::sound {

using awt::showError;

bool WaveFile::open(const char* ansiPath) {
    return open(ansiPath ? YString::fromAnsi(ansiPath) : YString());
}

bool WaveFile::open(const YString& path) {
    close();
    if (path.empty()) {
        showError(u"ファイル名が指定されていません。", u"WaveFile.openWaveFile()");
        return false;
    }
    source = std::make_unique<FileRiffSource>();
    if (!source->open(path)) {
        source.reset();
        showError(path, u"openWaveFile().ファイルが開けません。");
        return false;
    }
    this->path = path;
    if (!readHeader()) {
        close();
        refuse(u"readMMIO()に失敗しました。", u"WaveFile.open()");
        return false;
    }
    opened = true;
    if (!rewind()) {
        refuse(u"ちゃんと読み込めて…ない！？");
        close();
        return false;
    }
    return true;
}

void WaveFile::refuse(const char16_t* why, const char16_t* caption) const {
    showError(YString(why).append(u"：").append(path), caption);
}

bool WaveFile::readHeader() {
    switch (reader.readHeader(*source)) {
        case RiffStatus::ok:
            format = reader.getFormat();
            return true;
        case RiffStatus::noChunk:
        case RiffStatus::seekFailed:
            refuse(u"チャンク進入エラー");
            break;
        case RiffStatus::notWave:
            refuse(u"有効なファイルでありません。");
            break;
        case RiffStatus::noFmt:
        case RiffStatus::noData:
            refuse(u"fmtチャンクが見つかりませんでした。");
            break;
        case RiffStatus::fmtTooShort:
            refuse(u"PCM_Waveフォーマットでありません。");
            break;
        case RiffStatus::fmtUnreadable:
            refuse(u"fmtチャンク読み出しに失敗しました。");
            break;
        case RiffStatus::notPcm:
            refuse(u"PCMフォーマットじゃないよぉ…");
            break;
    }
    return false;
}

bool WaveFile::rewind() {
    if (!opened || !source)
        return false;
    switch (reader.findData(*source)) {
        case RiffStatus::ok:
            bytesLeft = reader.getDataSize();
            if (source->seek(reader.getDataOffset()))
                return true;
            refuse(u"波形データの頭だしに失敗しました…", u"rewindWaveFile()");
            return false;
        case RiffStatus::seekFailed:
            refuse(u"波形データの頭だしに失敗しました…", u"rewindWaveFile()");
            return false;
        default:
            refuse(u"チャンクのデータ部に進入できませんでした。", u"rewindWaveFile()");
            return false;
    }
}

bool WaveFile::readToBuffer(std::uint8_t* destination, std::uint32_t count, std::uint32_t* read) {
    if (read)
        *read = 0;
    if (!opened || !source || !destination)
        return false;
    const std::uint32_t want = std::min(count, bytesLeft);
    const auto got = static_cast<std::uint32_t>(source->read(destination, want));
    bytesLeft -= got;
    if (read)
        *read = got;
    if (got < want) {
        refuse(u"不正なEOFが検出されました", u"WaveFile::readWaveToBuffer()");
        return false;
    }
    return true;
}

bool WaveFile::close() {
    source.reset();
    opened = false;
    bytesLeft = 0;
    format = WaveFormat{};
    return true;
}

}  // namespace veru::sound
