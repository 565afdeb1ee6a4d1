#include "engine/sound/StreamingSound.h"

#include <gtest/gtest.h>

#include "engine/sound/YDirectSound.h"
#include "tests/engine/sound/SoundFiles.h"
#include "tests/support/RecordingMessageSink.h"

using namespace mirelune::test;
using namespace std::chrono_literals;
using veru::YString;
using veru::sound::StreamingSound;
using veru::sound::YDirectSound;

namespace {

// 3/16 s of 44100 Hz stereo: 8268 frames; the ring holds 16 of them.
constexpr int kBlockFrames = 44100 * 3 / 16;
constexpr int kRingFrames = kBlockFrames * 16;

class StreamingSoundTest : public testing::Test {
  protected:
    void SetUp() override { device.createManual(); }
    veru::platform::Mixer& mixer() { return *device.getMixer(); }
    // Blocks of a quarter of a notification block: the thread has time to
    // refill long before the cursor comes back round.
    std::vector<std::int16_t> mix(int frames) {
        return mixStepwise(mixer(), frames, kBlockFrames / 4, 3ms);
    }
    YString writeWave(const std::vector<std::int16_t>& samples) {
        const YString path = dir.file("music.wav");
        writeBytes(path, wave16(samples));
        return path;
    }

    TempDir dir;
    RecordingMessageSink sink;
    YDirectSound device;
};

}  // namespace

TEST_F(StreamingSoundTest, AShortOneShotWavePlaysOnceThenStopsWithSilenceAfterIt) {
    const auto samples = pattern(kBlockFrames * 3 + 100);
    StreamingSound stream;
    ASSERT_TRUE(stream.read(&device, writeWave(samples), 1));
    EXPECT_EQ(stream.getBlockBytes(), static_cast<std::uint32_t>(kBlockFrames * 4));
    ASSERT_TRUE(stream.play(false));
    const auto out = mix(kRingFrames + kBlockFrames);
    EXPECT_EQ(std::vector<std::int16_t>(out.begin(), out.begin() + samples.size()), samples);
    std::size_t loud = 0;
    for (std::size_t i = samples.size(); i < out.size(); ++i)
        loud += out[i] != 0;
    EXPECT_EQ(loud, 0u);
    EXPECT_FALSE(stream.isPlaying());
    EXPECT_EQ(sink.count(), 0u);
    EXPECT_EQ(mixer().getUnderrunCount(), 0u);  // the silence after it was written
}

TEST_F(StreamingSoundTest, ALongWaveStreamsThroughTheRingWithoutALostSample) {
    const auto samples = pattern(kRingFrames * 2 + 5000);
    StreamingSound stream;
    ASSERT_TRUE(stream.read(&device, writeWave(samples), 1));
    ASSERT_TRUE(stream.play(false));
    const auto out = mix(static_cast<int>(samples.size() / 2));
    EXPECT_TRUE(out == samples);
    EXPECT_EQ(sink.count(), 0u);
    EXPECT_EQ(mixer().getUnderrunCount(), 0u);
}

TEST_F(StreamingSoundTest, AStreamAskedForMoreThanItsRingAtOnceIsAnUnderrun) {
    StreamingSound stream;
    ASSERT_TRUE(stream.read(&device, writeWave(pattern(kRingFrames * 3)), 1));
    ASSERT_TRUE(stream.play(true));
    // No chance for the thread to refill: past the ring's end the mixer
    // plays what it played before.
    std::vector<std::int16_t> out(static_cast<std::size_t>(kRingFrames + kBlockFrames) * 2);
    mixer().mix(out.data(), kRingFrames + kBlockFrames);
    EXPECT_EQ(mixer().getUnderrunCount(), 1u);
}

TEST_F(StreamingSoundTest, ALoopingWaveStartsAgainAfterItsLastSample) {
    const auto samples = pattern(kBlockFrames * 20 + 33);
    StreamingSound stream;
    ASSERT_TRUE(stream.read(&device, writeWave(samples), 1));
    ASSERT_TRUE(stream.play(true));
    const int total = static_cast<int>(samples.size());  // two passes of frames
    const auto out = mix(total);
    for (int i = 0; i < total * 2; ++i) {
        ASSERT_EQ(out[static_cast<std::size_t>(i)],
                  samples[static_cast<std::size_t>(i) % samples.size()])
            << i;
    }
    EXPECT_TRUE(stream.isPlaying());
}

TEST_F(StreamingSoundTest, PauseResumesWhereItStoodAndPlayStartsFromTheTop) {
    const auto samples = pattern(kRingFrames * 2);
    StreamingSound stream;
    ASSERT_TRUE(stream.read(&device, writeWave(samples), 1));
    ASSERT_TRUE(stream.play(true));
    EXPECT_FALSE(stream.play(true));  // never restarted while playing
    mix(kRingFrames + 1000);
    ASSERT_TRUE(stream.pause());
    EXPECT_FALSE(stream.isPlaying());
    ASSERT_TRUE(stream.pause());
    auto out = mix(10);
    EXPECT_EQ(out[0], samples[2 * static_cast<std::size_t>(kRingFrames + 1000)]);
    ASSERT_TRUE(stream.stop());
    ASSERT_TRUE(stream.play(true));
    out = mix(10);
    EXPECT_EQ(out[0], samples[0]);
    EXPECT_EQ(sink.count(), 0u);
}

TEST_F(StreamingSoundTest, AMissingFileShowsItsBoxesAndStaysSilent) {
    StreamingSound stream;
    EXPECT_FALSE(stream.read(&device, dir.file("none.wav"), 1));
    EXPECT_EQ(sink.messages().back().text,
              YString(u"WaveFileの読み込みに失敗しました：").append(dir.file("none.wav")));
    EXPECT_EQ(sink.messages().back().caption, YString(u"StreamingSound::read()"));
    EXPECT_FALSE(stream.play(true));
    EXPECT_FALSE(stream.isPlaying());
    stream.release();
}

TEST_F(StreamingSoundTest, AnEightBitMonoWaveEndsInTrueSilence) {
    // 8-bit silence is 128: filling the ring's tail with 0 would be a loud
    // square edge.
    const int frames = 22050 / 2;
    Bytes data(static_cast<std::size_t>(frames), 0xC0);
    const YString path = dir.file("mono8.wav");
    writeBytes(path, riff({chunk("fmt ", fmtBody(1, 22050, 8)), chunk("data", data)}));
    StreamingSound stream;
    ASSERT_TRUE(stream.read(&device, path, 1));
    ASSERT_TRUE(stream.play(false));
    const auto out = mix(kRingFrames + kBlockFrames);
    EXPECT_NEAR(out[2 * 1000], 16384, 300);
    EXPECT_NEAR(out[2 * 1000 + 1], 16384, 300);
    for (std::size_t i = 2 * (frames * 2 + 100); i < out.size(); ++i)
        ASSERT_EQ(out[i], 0) << i;
    EXPECT_FALSE(stream.isPlaying());
}
