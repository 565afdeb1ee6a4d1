#include "engine/sound/SoundManger.h"

#include <gtest/gtest.h>

#include "tests/support/IdleScene.h"

#include "engine/platform/audio/AudioBuffer.h"
#include "engine/scene/SceneManager.h"
#include "engine/sound/Sound.h"
#include "tests/engine/sound/SoundFiles.h"
#include "tests/support/RecordingMessageSink.h"

using namespace mirelune::test;
using veru::YString;
using veru::sound::SoundManger;

namespace {

class SoundMangerTest : public testing::Test {
  protected:
    void SetUp() override {
        manager.getDevice().createManual();
        wave = dir.file("se.wav");
        writeBytes(wave, wave16(pattern(2000)));
        ogg = dir.file("bgm.ogg");
        ASSERT_TRUE(writeOgg(ogg, 0.5));
    }
    veru::platform::Mixer& mixer() { return *manager.getDevice().getMixer(); }

    TempDir dir;
    RecordingMessageSink sink;
    SoundManger manager;
    YString wave;
    YString ogg;
};

}  // namespace

TEST_F(SoundMangerTest, EachRequestLoadsANewSoundWithTheManagersVolume) {
    manager.setVolume(50);
    veru::sound::ISound* a = manager.getSound(wave);
    veru::sound::ISound* b = manager.getSound(wave.toAnsi().c_str());
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
    EXPECT_EQ(static_cast<veru::sound::Sound*>(a)->getVolume(), -5000);
    ASSERT_TRUE(a->play(false));
    EXPECT_TRUE(b->play(false));  // independent: both play
    EXPECT_EQ(mixer().playingCount(), 2);
    EXPECT_NE(manager.getSound(ogg), nullptr);
    EXPECT_NE(manager.getStreamingSound(wave), nullptr);
    EXPECT_NE(manager.getStreamingSound(ogg.toAnsi().c_str()), nullptr);
    EXPECT_EQ(manager.getSoundCount(), 3u);
    EXPECT_EQ(manager.getStreamCount(), 2u);
    EXPECT_EQ(sink.count(), 0u);
}

// Sounds of one file share what was read but play on their own.
TEST_F(SoundMangerTest, SoundsOfOneFileShareTheirSamplesAndPlayIndependently) {
    auto heard = [&](veru::sound::ISound* sound, int frames) {
        std::vector<std::int16_t> out(static_cast<std::size_t>(frames) * 2);
        sound->play(false);
        mixer().mix(out.data(), frames);
        sound->stop();
        sound->reset();
        return out;
    };
    auto cursor = [](veru::sound::ISound* sound) {
        veru::platform::AudioBuffer* voice = nullptr;
        EXPECT_TRUE(sound->get3DBuffer(0, &voice));
        return voice ? voice->getPlayCursor() : 0u;
    };
    veru::sound::ISound* first = manager.getSound(wave);
    veru::sound::ISound* second = manager.getSound(wave.toAnsi().c_str());
    ASSERT_NE(first, second);
    const std::vector<std::int16_t> original = heard(first, 500);
    EXPECT_EQ(heard(second, 500), original);
    EXPECT_EQ(static_cast<veru::sound::Sound*>(second)->getBufferBytes(), 8000u);

    // Position and volume are each sound's own.
    first->play(false);
    std::vector<std::int16_t> out(600);
    mixer().mix(out.data(), 300);
    EXPECT_EQ(cursor(first), 1200u);
    EXPECT_EQ(cursor(second), 0u);
    EXPECT_TRUE(second->play(false));
    second->setVolume(0);
    EXPECT_EQ(static_cast<veru::sound::Sound*>(first)->getVolume(), 0);
    first->stop();

    // The first one released: the others keep playing, new ones read the file again.
    first->release();
    EXPECT_TRUE(second->isPlaying());
    veru::sound::ISound* third = manager.getSound(wave);
    EXPECT_EQ(heard(third, 500), original);
    EXPECT_EQ(sink.count(), 0u);

    // After a scene switch a file changed on disk is what plays.
    manager.stopAll();
    writeBytes(wave, wave16(pattern(2000, 99)));
    const std::vector<std::int16_t> changed = heard(manager.getSound(wave), 500);
    EXPECT_NE(changed, original);
    EXPECT_EQ(heard(manager.getSound(wave), 500), changed);
}

TEST_F(SoundMangerTest, UnsupportedSuffixesAreRefusedWithTheirPath) {
    const YString mp3 = dir.file("music.mp3");
    EXPECT_EQ(manager.getSound(mp3), nullptr);
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_EQ(sink.messages()[0].text,
              YString(u"対応していないファイルが指定されました。：") + mp3);
    EXPECT_EQ(sink.messages()[0].caption, YString(u"SoundManger::getSound()"));
    EXPECT_EQ(manager.getStreamingSound(dir.file("MUSIC.OGG")), nullptr);
    EXPECT_EQ(manager.getSound(static_cast<const char*>(nullptr)), nullptr);
    EXPECT_EQ(manager.getSoundCount() + manager.getStreamCount(), 0u);
}

TEST_F(SoundMangerTest, ASoundThatFailsToLoadIsStillHandedOutAndStaysSilent) {
    veru::sound::ISound* missing = manager.getSound(dir.file("missing.wav"));
    ASSERT_NE(missing, nullptr);
    EXPECT_FALSE(missing->play(false));
    veru::sound::IStreamingSound* music = manager.getStreamingSound(dir.file("missing.ogg"));
    ASSERT_NE(music, nullptr);
    EXPECT_FALSE(music->play(true));
    const std::size_t shown = sink.count();
    manager.stopAll();  // no box for sounds that never loaded
    EXPECT_EQ(sink.count(), shown);
}

TEST_F(SoundMangerTest, ASceneSwitchStopsAndFreesEverySound) {
    veru::dxt::SceneManager scenes;
    scenes.attach(nullptr, &manager, nullptr, nullptr);
    scenes.add(std::make_unique<IdleScene>(&scenes), 1);
    scenes.add(std::make_unique<IdleScene>(&scenes), 2);
    scenes.start();
    manager.getSound(wave)->play(true);
    manager.getStreamingSound(ogg)->play(true);
    manager.getStreamingSound(wave)->play(true);
    EXPECT_EQ(mixer().playingCount(), 3);
    scenes.next();
    EXPECT_EQ(manager.getSoundCount(), 0u);
    EXPECT_EQ(manager.getStreamCount(), 0u);
    EXPECT_EQ(mixer().bufferCount(), 0);
}

// The player's volumes: 0 is silence, each step down is the same number of
// decibels quieter (even to the ear), and a change reaches playing sounds.
TEST_F(SoundMangerTest, VolumeLevelsStepDownEvenlyToSilence) {
    using Category = SoundManger::Category;
    auto energy = [&](veru::sound::ISound* sound) {
        std::vector<std::int16_t> out(1000);
        sound->play(false);
        mixer().mix(out.data(), 500);
        sound->stop();
        sound->reset();
        double sum = 0;
        for (std::int16_t v : out)
            sum += static_cast<double>(v) * v;
        return sum;
    };
    veru::sound::ISound* effect = manager.getSound(wave);
    auto* voice = static_cast<veru::sound::Sound*>(effect);
    double louder = energy(effect);
    EXPECT_GT(louder, 0.0);
    EXPECT_EQ(voice->getVolume(), 0);  // full: as the sound was made
    for (int level = SoundManger::kMaxLevel - 1; level >= 0; --level) {
        manager.setLevel(Category::effect, level);  // the sound exists already
        const double heard = energy(effect);
        EXPECT_LT(heard, louder) << level;
        if (level > 0) {
            EXPECT_EQ(voice->getVolume(),
                      -(SoundManger::kMaxLevel - level) * SoundManger::kVolumeStepDb * 100)
                << level;
        }
        louder = heard;
    }
    EXPECT_EQ(louder, 0.0);  // level 0: silence
    EXPECT_EQ(manager.getLevel(Category::effect), 0);
    manager.setLevel(Category::effect, 42);
    EXPECT_EQ(manager.getLevel(Category::effect), SoundManger::kMaxLevel);

    // Music is its own category: streams and tunes read whole.
    manager.setLevel(Category::music, 4);
    auto* tune = static_cast<veru::sound::BufferedSound*>(manager.getMusic(ogg));
    auto* stream = dynamic_cast<veru::sound::BufferedSound*>(manager.getStreamingSound(ogg));
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(tune->getVolume(), -6 * SoundManger::kVolumeStepDb * 100);
    EXPECT_EQ(stream->getVolume(), -6 * SoundManger::kVolumeStepDb * 100);
    manager.setLevel(Category::effect, 0);
    EXPECT_EQ(tune->getVolume(), -6 * SoundManger::kVolumeStepDb * 100);
    manager.setLevel(Category::music, 0);
    EXPECT_EQ(stream->getVolume(), -10000);
    EXPECT_EQ(voice->getVolume(), -10000);
    EXPECT_EQ(sink.count(), 0u);
}

TEST(SoundMangerDevice, WithoutASoundCardItSaysSoOnce) {
    RecordingMessageSink sink;
    SoundManger manager;
    testing::internal::CaptureStderr();
    ASSERT_TRUE(manager.create(nullptr));  // no sound card here: SDL's dummy driver
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(manager.hasOutput());
    EXPECT_NE(said.find("no sound device was found"), std::string::npos) << said;
    EXPECT_EQ(said.find("no sound device", said.find("no sound device") + 1), std::string::npos);
    EXPECT_EQ(sink.count(), 0u);  // a line, not a box
}

TEST(SoundMangerDevice, OnTheSilentDriverMusicPlaysInRealTime) {
    TempDir dir;
    RecordingMessageSink sink;
    const YString ogg = dir.file("bgm.ogg");
    ASSERT_TRUE(writeOgg(ogg, 1.0));
    SoundManger manager;
    ASSERT_TRUE(manager.create(nullptr));  // no sound card here: SDL's dummy driver
    veru::sound::IStreamingSound* music = manager.getStreamingSound(ogg);
    ASSERT_TRUE(music->play(true));
    veru::platform::AudioBuffer* ring = nullptr;
    ASSERT_TRUE(music->get3DBuffer(0, &ring));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_GT(ring->getPlayCursor(), 0u);
    EXPECT_TRUE(music->isPlaying());
    EXPECT_EQ(sink.count(), 0u);
}
