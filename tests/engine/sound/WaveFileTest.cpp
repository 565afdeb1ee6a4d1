#include "engine/sound/WaveFile.h"

#include <gtest/gtest.h>

#include "engine/sound/Sound.h"
#include "engine/sound/YDirectSound.h"
#include "tests/engine/sound/SoundFiles.h"
#include "tests/support/RecordingMessageSink.h"

using namespace mirelune::test;
using veru::YString;
using veru::sound::WaveFile;

TEST(WaveFile, ReadsTheFormatAndDataPastOtherChunksAndPadBytes) {
    TempDir dir;
    RecordingMessageSink sink;
    const Bytes data = {0x80, 0x90, 0xA0};  // odd length: a pad byte follows
    const YString path = dir.file("a.wav");
    writeBytes(path, riff({chunk("LIST", {1, 2, 3}), chunk("fmt ", fmtBody(1, 8000, 8)),
                           chunk("junk", {9}), chunk("data", data)}));
    WaveFile file;
    ASSERT_TRUE(file.open(path));
    EXPECT_EQ(file.getFormat().channels, 1);
    EXPECT_EQ(file.getFormat().samplesPerSec, 8000u);
    EXPECT_EQ(file.getFormat().bitsPerSample, 8);
    EXPECT_EQ(file.dataSize(), 3u);
    std::uint8_t buffer[8] = {};
    std::uint32_t got = 0;
    ASSERT_TRUE(file.readToBuffer(buffer, 2, &got));
    EXPECT_EQ(got, 2u);
    ASSERT_TRUE(file.readToBuffer(buffer + 2, 8, &got));
    EXPECT_EQ(got, 1u);
    EXPECT_EQ(Bytes(buffer, buffer + 3), data);
    ASSERT_TRUE(file.readToBuffer(buffer, 8, &got));
    EXPECT_EQ(got, 0u);
    ASSERT_TRUE(file.rewind());
    ASSERT_TRUE(file.readToBuffer(buffer, 1, &got));
    EXPECT_EQ(buffer[0], 0x80);
    EXPECT_EQ(sink.count(), 0u);
}

struct BadWave {
    const char* name;
    Bytes bytes;
    const char16_t* message;  // the first box shown
};

void PrintTo(const BadWave& wave, std::ostream* out) {
    *out << wave.name;
}

class BadWaveFile : public testing::TestWithParam<BadWave> {};

TEST_P(BadWaveFile, IsRefusedWithItsBoxAndLeavesASilentSound) {
    TempDir dir;
    RecordingMessageSink sink;
    const YString path = dir.file("bad.wav");
    writeBytes(path, GetParam().bytes);
    veru::sound::YDirectSound device;
    device.createManual();
    veru::sound::Sound sound;
    EXPECT_FALSE(sound.read(&device, path, 1));
    ASSERT_GE(sink.count(), 1u);
    // Every box gives the reason and names the file.
    const YString reason(GetParam().message);
    EXPECT_EQ(sink.messages().front().text, YString(reason).append(u"：").append(path));
    EXPECT_EQ(sink.messages().back().text,
              YString(u"WaveFileを読み込めませんでした：").append(path));
    EXPECT_EQ(sink.messages().back().caption, YString(u"Sound.read()"));
    // The game goes on: the sound just stays silent, with one box at most.
    const std::size_t shown = sink.count();
    EXPECT_FALSE(sound.play(false));
    EXPECT_FALSE(sound.play(false));
    EXPECT_FALSE(sound.isPlaying());
    EXPECT_LE(sink.count(), shown + 1);
    EXPECT_EQ(device.getMixer()->bufferCount(), 0);
}

const Bytes kData = pcm16(pattern(10));

Bytes shortFmt() {
    Bytes fmt = fmtBody(2, 44100, 16);
    fmt.resize(14);
    return fmt;
}

INSTANTIATE_TEST_SUITE_P(
    Wave, BadWaveFile,
    testing::Values(
        BadWave{"Empty", {}, u"チャンク進入エラー"},
        BadWave{"NotRiff", chunk("RIFX", Bytes(20, 0)), u"有効なファイルでありません。"},
        BadWave{"NoFmt", riff({chunk("data", kData)}), u"fmtチャンクが見つかりませんでした。"},
        BadWave{"Fmt14Bytes", riff({chunk("fmt ", shortFmt()), chunk("data", kData)}),
                u"PCM_Waveフォーマットでありません。"},
        BadWave{"FmtPastTheEnd", riff({chunk("fmt ", fmtBody(2, 44100, 16), 4000)}),
                u"fmtチャンクが見つかりませんでした。"},
        BadWave{"Float", riff({chunk("fmt ", fmtBody(2, 44100, 32, 3)), chunk("data", kData)}),
                u"PCMフォーマットじゃないよぉ…"},
        BadWave{"TwentyFourBit", riff({chunk("fmt ", fmtBody(2, 44100, 24)), chunk("data", kData)}),
                u"PCMフォーマットじゃないよぉ…"},
        BadWave{"ZeroChannels", riff({chunk("fmt ", fmtBody(0, 44100, 16)), chunk("data", kData)}),
                u"PCMフォーマットじゃないよぉ…"},
        BadWave{"NoData", riff({chunk("fmt ", fmtBody(2, 44100, 16))}),
                u"チャンクのデータ部に進入できませんでした。"},
        BadWave{"DataCutShort",
                riff({chunk("fmt ", fmtBody(2, 44100, 16)), chunk("data", kData, 100000)}),
                u"チャンクのデータ部に進入できませんでした。"},
        BadWave{"HugeData",
                riff({chunk("fmt ", fmtBody(2, 44100, 16)), chunk("data", kData, 0xFFFFFFF0)}),
                u"チャンクのデータ部に進入できませんでした。"},
        BadWave{"EmptyData", riff({chunk("fmt ", fmtBody(2, 44100, 16)), chunk("data", {})}),
                u"WaveFileを読み込めませんでした"}),
    [](const testing::TestParamInfo<BadWave>& info) { return std::string(info.param.name); });

TEST(WaveFile, ARiffSizeLargerThanTheFileIsCutToTheFile) {
    TempDir dir;
    RecordingMessageSink sink;
    const YString path = dir.file("long.wav");
    writeBytes(path, riff({chunk("fmt ", fmtBody(2, 44100, 16)), chunk("data", kData)}, 1 << 30));
    WaveFile file;
    EXPECT_TRUE(file.open(path));
    EXPECT_EQ(file.dataSize(), kData.size());
}

TEST(WaveFile, MissingFilesAndEmptyPathsShowTheirBoxes) {
    TempDir dir;
    RecordingMessageSink sink;
    WaveFile file;
    EXPECT_FALSE(file.open(dir.file("missing.wav")));
    EXPECT_FALSE(file.open(YString()));
    EXPECT_FALSE(file.open(static_cast<const char*>(nullptr)));
    auto m = sink.messages();
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[0].text, dir.file("missing.wav"));
    EXPECT_EQ(m[0].caption, YString(u"openWaveFile().ファイルが開けません。"));
    EXPECT_EQ(m[1].text, YString(u"ファイル名が指定されていません。"));
    EXPECT_EQ(m[1].caption, YString(u"WaveFile.openWaveFile()"));
    EXPECT_EQ(file.dataSize(), 0u);
}
