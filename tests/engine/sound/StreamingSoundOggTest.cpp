#include "engine/sound/StreamingSoundOgg.h"

#include <gtest/gtest.h>

#include <thread>

#include "engine/core/MessageBox.h"
#include "engine/material/PicturePreload.h"
#include "engine/sound/TunePreload.h"
#include "engine/sound/YDirectSound.h"
#include "tests/engine/sound/SoundFiles.h"
#include "tests/support/RecordingMessageSink.h"

using namespace mirelune::test;
using namespace std::chrono_literals;
using veru::YString;
using veru::sound::StreamingSoundOgg;
using veru::sound::YDirectSound;

namespace {

class StreamingSoundOggTest : public testing::Test {
  protected:
    void SetUp() override {
        device.createManual();
        path = dir.file("bgm.ogg");
        ASSERT_TRUE(writeOgg(path, 2.0));
        reference = decodeOgg(path);
        ASSERT_FALSE(reference.empty());
    }
    veru::platform::Mixer& mixer() { return *device.getMixer(); }
    // 50 ms steps; the thread polls every 5 ms.
    std::vector<std::int16_t> mix(int frames) { return mixStepwise(mixer(), frames, 2205, 25ms); }

    TempDir dir;
    RecordingMessageSink sink;
    YDirectSound device;
    YString path;
    std::vector<std::int16_t> reference;
};

}  // namespace

TEST_F(StreamingSoundOggTest, ALoopingStreamRunsOnFromItsEndWithoutAGap) {
    StreamingSoundOgg stream(5ms);
    ASSERT_TRUE(stream.read(&device, path, 1));
    EXPECT_EQ(stream.getState(), StreamingSoundOgg::kReady);
    EXPECT_EQ(stream.getHalfBytes(), 44100u * 4 * 3 / 2);
    ASSERT_TRUE(stream.play(true));
    EXPECT_FALSE(stream.play(true));
    const int frames = 44100 * 5;  // past the end twice and round the ring
    const auto out = mix(frames);
    for (std::size_t i = 0; i < out.size(); ++i) {
        ASSERT_EQ(out[i], reference[i % reference.size()]) << "sample " << i;
    }
    EXPECT_EQ(sink.count(), 0u);
    EXPECT_EQ(mixer().getUnderrunCount(), 0u);
}

TEST_F(StreamingSoundOggTest, StopThenPlayStartsFromTheBeginning) {
    StreamingSoundOgg stream(5ms);
    ASSERT_TRUE(stream.read(&device, path, 1));
    ASSERT_TRUE(stream.play(false));
    mix(44100 * 2);  // past the first refill
    ASSERT_TRUE(stream.stop());
    EXPECT_FALSE(stream.stop());
    EXPECT_EQ(stream.getState(), StreamingSoundOgg::kStopped);
    ASSERT_TRUE(stream.play(false));
    const auto out = mix(44100);
    EXPECT_TRUE(std::equal(out.begin(), out.end(), reference.begin()));
}

TEST_F(StreamingSoundOggTest, PauseHoldsThePlaceAndResumes) {
    StreamingSoundOgg stream(5ms);
    ASSERT_TRUE(stream.read(&device, path, 1));
    ASSERT_TRUE(stream.play(false));
    mix(22050);
    ASSERT_TRUE(stream.pause());
    EXPECT_EQ(stream.getState(), StreamingSoundOgg::kPaused);
    EXPECT_FALSE(stream.isPlaying());
    mix(1000);
    ASSERT_TRUE(stream.pause());
    const auto out = mix(100);
    EXPECT_EQ(out[0], reference[2 * 22050]);
}

TEST_F(StreamingSoundOggTest, AOneShotStreamIsSilentAfterItsEnd) {
    StreamingSoundOgg stream(5ms);
    ASSERT_TRUE(stream.read(&device, path, 1));
    ASSERT_TRUE(stream.play(false));
    const auto out = mix(44100 * 4);
    ASSERT_TRUE(std::equal(reference.begin(), reference.end(), out.begin()));
    for (std::size_t i = reference.size(); i < out.size(); ++i)
        ASSERT_EQ(out[i], 0) << i;
}

TEST_F(StreamingSoundOggTest, BadFilesAndNonAsciiPathsAreRefusedWithABox) {
    Bytes ogg = readBytes(path);
    const YString cut = dir.file("cut.ogg");
    writeBytes(cut, Bytes(ogg.begin(), ogg.begin() + 200));  // inside the headers
    const YString text = dir.file("text.ogg");
    writeBytes(text, Bytes(5000, 'x'));
    const YString wide = dir.file("音楽.ogg");
    writeBytes(wide, ogg);
    for (const YString& bad : {cut, text, wide, dir.file("missing.ogg")}) {
        StreamingSoundOgg stream(5ms);
        const std::size_t before = sink.count();
        EXPECT_FALSE(stream.read(&device, bad, 1)) << bad.toUtf8();
        ASSERT_GT(sink.count(), before);
        EXPECT_EQ(sink.messages().back().text,
                  YString(u"OggFileの読み込みに失敗しました：").append(bad));
        const std::size_t shown = sink.count();
        EXPECT_FALSE(stream.play(true));
        EXPECT_EQ(sink.count(), shown) << "the read's box was enough";
        EXPECT_FALSE(stream.isPlaying());
    }
    EXPECT_EQ(mixer().bufferCount(), 0);
}

TEST_F(StreamingSoundOggTest, AStreamCutShortInsideItsAudioPlaysWhatIsThere) {
    Bytes ogg = readBytes(path);
    const YString cut = dir.file("half.ogg");
    writeBytes(cut, Bytes(ogg.begin(), ogg.begin() + static_cast<long>(ogg.size() / 2)));
    StreamingSoundOgg stream(5ms);
    if (stream.read(&device, cut, 1)) {
        ASSERT_TRUE(stream.play(true));
        mix(44100 * 3);
        EXPECT_TRUE(stream.stop());
    }
    stream.release();
}

// A tune opened and begun on a worker reading a scene ahead sounds exactly as
// one opened when the scene loads: longer than the ring (played once) and
// shorter than it (looped, which the fill made without the loop cannot hold).
TEST_F(StreamingSoundOggTest, ATuneBegunOnAWorkerPlaysAsOneOpenedOnTheSpot) {
    using namespace veru::sound;
    const YString longer = dir.file("long.ogg");
    ASSERT_TRUE(writeOgg(longer, 4.5));
    const auto longReference = decodeOgg(longer);
    std::thread([&] {
        const veru::awt::QuietMessages quiet;
        const veru::dxt::material::PreloadPass pass;
        for (const YString& tune : {path, longer, path, dir.file("missing.ogg")})
            preloadTune(tune);
    }).join();
    EXPECT_EQ(preloadedTuneCount(), 2u);  // each file once; nothing of a missing one
    preloadTune(path);                    // not on a worker: nothing
    EXPECT_EQ(preloadedTuneCount(), 2u);

    for (const auto& [file, loop, reference] :
         {std::tuple{longer, false, longReference}, std::tuple{path, true, reference}}) {
        SCOPED_TRACE(file.toUtf8());
        StreamingSoundOgg stream(5ms);
        ASSERT_TRUE(stream.read(&device, file, 1));
        EXPECT_EQ(stream.getState(), StreamingSoundOgg::kReady);
        ASSERT_TRUE(stream.play(loop));
        const auto out = mix(44100 * 4);
        for (std::size_t i = 0; i < out.size(); ++i) {
            const std::int16_t expected =
                loop ? reference[i % reference.size()] : (i < reference.size() ? reference[i] : 0);
            ASSERT_EQ(out[i], expected) << "sample " << i;
        }
        stream.release();
    }
    EXPECT_EQ(preloadedTuneCount(), 0u);  // both taken
    EXPECT_EQ(sink.count(), 0u);
    EXPECT_EQ(mixer().getUnderrunCount(), 0u);
}
