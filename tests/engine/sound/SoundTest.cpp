#include "engine/sound/Sound.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "engine/core/MessageBox.h"
#include "engine/material/PicturePreload.h"
#include "engine/sound/SoundOgg.h"
#include "engine/sound/SoundPreload.h"
#include "engine/sound/YDirectSound.h"
#include "tests/engine/sound/SoundFiles.h"
#include "tests/support/RecordingMessageSink.h"

using namespace mirelune::test;
using veru::YString;
using veru::sound::Sound;
using veru::sound::SoundOgg;
using veru::sound::YDirectSound;

namespace {

class BufferedSoundTest : public testing::Test {
  protected:
    void SetUp() override {
        device.createManual();
        samples = pattern(1000);
        path = dir.file("shot.wav");
        writeBytes(path, wave16(samples));
    }
    veru::platform::Mixer& mixer() { return *device.getMixer(); }
    std::vector<std::int16_t> mix(int frames) {
        std::vector<std::int16_t> out(static_cast<std::size_t>(frames) * 2);
        mixer().mix(out.data(), frames);
        return out;
    }

    TempDir dir;
    RecordingMessageSink sink;
    YDirectSound device;
    std::vector<std::int16_t> samples;
    YString path;
};

}  // namespace

TEST_F(BufferedSoundTest, PlaysTheWholeWaveOnceAndThenIsSilent) {
    Sound sound;
    ASSERT_TRUE(sound.read(&device, path, 1));
    EXPECT_EQ(sound.getBufferBytes(), 4000u);
    ASSERT_TRUE(sound.play(false));
    auto out = mix(1200);
    EXPECT_EQ(std::vector<std::int16_t>(out.begin(), out.begin() + 2000), samples);
    for (std::size_t i = 2000; i < out.size(); ++i)
        ASSERT_EQ(out[i], 0);
    EXPECT_FALSE(sound.isPlaying());
    EXPECT_EQ(sink.count(), 0u);
}

TEST_F(BufferedSoundTest, VolumeAndPanAreStoredInHundredthsOfADecibel) {
    Sound sound;
    ASSERT_TRUE(sound.read(&device, path, 1));
    sound.setVolume(50);
    EXPECT_EQ(sound.getVolume(), -5000);
    sound.setVolume(100);
    EXPECT_EQ(sound.getVolume(), 0);
    sound.setVolume(0);
    EXPECT_EQ(sound.getVolume(), -10000);
    sound.play(false);
    EXPECT_EQ(mix(10), std::vector<std::int16_t>(20, 0));
    sound.setPan(-30);
    EXPECT_EQ(sound.getPan(), -3000);
}

TEST_F(BufferedSoundTest, NeverOverlapsItself) {
    Sound sound;
    ASSERT_TRUE(sound.read(&device, path, 2));
    ASSERT_TRUE(sound.play(false));
    mix(500);
    EXPECT_FALSE(sound.play(false));  // still playing: not restarted, no second voice
    EXPECT_EQ(mixer().playingCount(), 1);
    auto out = mix(10);
    EXPECT_EQ(out[0], samples[2 * 500]);
}

TEST_F(BufferedSoundTest, PauseHoldsAndResumesAndRestartsAStoppedLoopingSound) {
    Sound sound;
    ASSERT_TRUE(sound.read(&device, path, 1));
    ASSERT_TRUE(sound.play(true));
    mix(1500);
    ASSERT_TRUE(sound.pause());
    EXPECT_FALSE(sound.isPlaying());
    ASSERT_TRUE(sound.pause());
    EXPECT_EQ(mix(1)[0], samples[2 * 500]);  // resumed where it was
    ASSERT_TRUE(sound.stop());
    ASSERT_TRUE(sound.reset());
    ASSERT_TRUE(sound.pause());  // stopped and looping: plays again, looping
    EXPECT_TRUE(sound.isLooping());
    mix(2500);
    EXPECT_TRUE(sound.isPlaying());
}

TEST_F(BufferedSoundTest, ReleaseFreesTheVoicesAndLaterCallsShowOneBoxOnly) {
    Sound sound;
    ASSERT_TRUE(sound.read(&device, path, 3));
    EXPECT_EQ(mixer().bufferCount(), 3);
    sound.release();
    EXPECT_EQ(mixer().bufferCount(), 0);
    EXPECT_FALSE(sound.play(false));
    EXPECT_FALSE(sound.stop());
    EXPECT_FALSE(sound.isPlaying());
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_EQ(sink.messages()[0].text, YString(u"バッファーにデータがありません。"));
    EXPECT_EQ(sink.messages()[0].caption, YString(u"Sound::play()"));
}

TEST_F(BufferedSoundTest, AnOggEffectIsDecodedWholeAndPlaysLikeAWave) {
    const YString ogg = dir.file("hit.ogg");
    ASSERT_TRUE(writeOgg(ogg, 0.5));
    const auto reference = decodeOgg(ogg);
    ASSERT_FALSE(reference.empty());
    SoundOgg sound;
    ASSERT_TRUE(sound.read(&device, ogg, 1));
    EXPECT_EQ(sound.getBufferBytes(), reference.size() * 2);
    sound.play(false);
    auto out = mix(static_cast<int>(reference.size() / 2));
    EXPECT_EQ(out, reference);
    EXPECT_EQ(sink.count(), 0u);
}

TEST_F(BufferedSoundTest, OggEffectsRefuseNonAsciiPathsAndFilesThatAreNotVorbis) {
    SoundOgg sound;
    const YString wide = dir.file("ｂｇｍ.ogg");
    EXPECT_FALSE(sound.read(&device, wide, 1));
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_EQ(sink.messages()[0].text,
              YString(u"ファイル名が不正です。(全角は指定できません。)：").append(wide));
    EXPECT_EQ(sink.messages()[0].caption, YString(u"SoundOgg.read()"));
    EXPECT_FALSE(sound.read(&device, path, 1));  // a wave file is no Ogg
    EXPECT_EQ(sink.messages().back().text,
              YString(u"OggFileを読み込めませんでした：").append(path));
    const std::size_t shown = sink.count();
    EXPECT_FALSE(sound.play(false));
    EXPECT_EQ(sink.count(), shown) << "the read's box was enough";
}

// A sound read ahead on a worker (its file read and converted for the mixer)
// sounds exactly as one read when the scene loads: a wave in the device's
// format, one the mixer converts (8-bit mono at 22050 Hz) and an Ogg effect.
// A missing file is not kept, and the read then shows its box as always.
TEST_F(BufferedSoundTest, AnEffectReadAheadOnAWorkerPlaysAsOneReadOnTheSpot) {
    using namespace veru::sound;
    const YString narrow = dir.file("narrow.wav");
    Bytes eightBit;
    for (int i = 0; i < 3001; ++i)
        eightBit.push_back(static_cast<std::uint8_t>(0x80 + (i * 37 % 101) - 50));
    writeBytes(narrow, riff({chunk("fmt ", fmtBody(1, 22050, 8)), chunk("data", eightBit)}));
    const YString ogg = dir.file("hit.ogg");
    ASSERT_TRUE(writeOgg(ogg, 0.3));
    const YString missing = dir.file("missing.wav");

    const auto play = [&](BufferedSound& sound, const YString& file) {
        EXPECT_TRUE(sound.read(&device, file, 2));
        sound.play(false);
        auto out = mix(static_cast<int>(sound.getBufferBytes()) + 100);
        sound.release();
        return std::make_pair(sound.getBufferBytes(), out);
    };
    const auto fresh = [&](const YString& file) -> std::unique_ptr<BufferedSound> {
        if (file.hasSuffix("ogg"))
            return std::make_unique<SoundOgg>();
        return std::make_unique<Sound>();
    };
    std::vector<std::pair<std::uint32_t, std::vector<std::int16_t>>> onTheSpot;
    for (const YString& file : {path, narrow, ogg})
        onTheSpot.push_back(play(*fresh(file), file));

    std::thread([&] {
        const veru::awt::QuietMessages quiet;
        const veru::dxt::material::PreloadPass pass;
        for (const YString& file : {path, narrow, ogg, path, missing})
            EXPECT_FALSE(fresh(file)->read(nullptr, file, 1));  // no voices on a worker
    }).join();
    EXPECT_EQ(preloadedSoundCount(), 3u);  // each file once; nothing of a missing one

    int i = 0;
    for (const YString& file : {path, narrow, ogg}) {
        SCOPED_TRACE(file.toUtf8());
        EXPECT_EQ(play(*fresh(file), file), onTheSpot[static_cast<std::size_t>(i++)]);
    }
    EXPECT_EQ(preloadedSoundCount(), 0u);  // all taken
    EXPECT_EQ(sink.count(), 0u);
    Sound absent;
    EXPECT_FALSE(absent.read(&device, missing, 1));
    EXPECT_GT(sink.count(), 0u);
    dropPreloadedSounds();
}
