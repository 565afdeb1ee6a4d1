#include "engine/platform/audio/Mixer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <numbers>
#include <random>
#include <vector>

#include "engine/platform/audio/AudioBuffer.h"
#include "engine/platform/audio/AudioEvent.h"
#include "engine/platform/audio/Limiter.h"

using namespace veru::platform;

namespace {

constexpr AudioFormat kStereo16{44100, 2, 16};

// Writes `frames` interleaved stereo samples into the whole buffer.
void fill(AudioBuffer& buffer, const std::vector<std::int16_t>& samples) {
    LockedRegions r;
    ASSERT_TRUE(buffer.lock(0, 0, r));
    ASSERT_EQ(r.firstBytes, samples.size() * 2);
    std::memcpy(r.first, samples.data(), r.firstBytes);
    buffer.unlock(r);
}

std::vector<std::int16_t> ramp(int frames) {
    std::vector<std::int16_t> s;
    for (int i = 0; i < frames; ++i) {
        s.push_back(static_cast<std::int16_t>(i * 10));
        s.push_back(static_cast<std::int16_t>(-i * 10));
    }
    return s;
}

std::vector<std::int16_t> mix(Mixer& mixer, int frames) {
    std::vector<std::int16_t> out(static_cast<std::size_t>(frames) * 2);
    mixer.mix(out.data(), frames);
    return out;
}

}  // namespace

TEST(Mixer, AOneShotBufferPlaysItsSamplesOnceThenStopsAtPositionZero) {
    Mixer mixer;
    auto buffer = mixer.createBuffer(kStereo16, 100 * 4);
    fill(*buffer, ramp(100));
    buffer->play(false);
    auto out = mix(mixer, 150);
    EXPECT_EQ(std::vector<std::int16_t>(out.begin(), out.begin() + 200), ramp(100));
    for (std::size_t i = 200; i < out.size(); ++i)
        ASSERT_EQ(out[i], 0) << i;
    EXPECT_FALSE(buffer->isPlaying());
    EXPECT_EQ(buffer->getPlayCursor(), 0u);
}

TEST(Mixer, ALoopingBufferWrapsAndReportsItsCursorInItsOwnBytes) {
    Mixer mixer;
    auto buffer = mixer.createBuffer(kStereo16, 100 * 4);
    fill(*buffer, ramp(100));
    buffer->play(true);
    auto out = mix(mixer, 130);
    EXPECT_EQ(out[2 * 100], 0);
    EXPECT_EQ(out[2 * 129], 290);
    EXPECT_TRUE(buffer->isPlaying());
    EXPECT_EQ(buffer->getPlayCursor(), 30u * 4);
    buffer->stop();
    mix(mixer, 10);
    EXPECT_EQ(buffer->getPlayCursor(), 30u * 4);  // stop keeps the position
    ASSERT_TRUE(buffer->setCurrentPosition(8));
    EXPECT_EQ(buffer->getPlayCursor(), 8u);
    EXPECT_FALSE(buffer->setCurrentPosition(400));
}

TEST(Mixer, NotificationsFireWhenTheCursorPassesTheirOffsetAndNotBefore) {
    Mixer mixer;
    AudioEvent event;
    auto buffer = mixer.createBuffer(kStereo16, 100 * 4);
    ASSERT_TRUE(buffer->setNotificationPositions({50 * 4 - 1, 100 * 4 - 1}, &event));
    EXPECT_FALSE(buffer->setNotificationPositions({400}, &event));
    buffer->play(true);
    mix(mixer, 49);
    EXPECT_FALSE(event.waitFor(std::chrono::milliseconds(0)));
    mix(mixer, 1);
    EXPECT_TRUE(event.waitFor(std::chrono::milliseconds(0)));
    EXPECT_FALSE(event.waitFor(std::chrono::milliseconds(0)));  // auto-reset
    mix(mixer, 49);
    EXPECT_FALSE(event.waitFor(std::chrono::milliseconds(0)));
    mix(mixer, 2);  // across the end of the ring
    EXPECT_TRUE(event.waitFor(std::chrono::milliseconds(0)));
}

TEST(Mixer, VolumeAndPanAreHundredthsOfADecibel) {
    Mixer mixer;
    auto buffer = mixer.createBuffer(kStereo16, 4 * 4);
    fill(*buffer, std::vector<std::int16_t>(8, 20000));
    buffer->play(true);
    buffer->setVolume(-600);  // about half
    auto out = mix(mixer, 1);
    EXPECT_NEAR(out[0], 20000 * std::pow(10.0, -0.3), 2);
    EXPECT_EQ(out[0], out[1]);
    buffer->setVolume(0);
    buffer->setPan(2000);  // right: the left channel at -20 dB
    out = mix(mixer, 1);
    EXPECT_NEAR(out[0], 2000, 2);
    EXPECT_EQ(out[1], 20000);
    buffer->setPan(-10000);
    out = mix(mixer, 1);
    EXPECT_EQ(out[0], 20000);
    EXPECT_EQ(out[1], 0);
    buffer->setPan(0);
    buffer->setVolume(-10000);
    out = mix(mixer, 1);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], 0);
}

TEST(Mixer, LoudVoicesAddAndAreTurnedDownInsteadOfWrappingOrClipping) {
    Mixer mixer;
    auto a = mixer.createBuffer(kStereo16, 4 * 4);
    fill(*a, std::vector<std::int16_t>(8, 30000));
    auto b = a->duplicate();
    a->play(true);
    b->play(true);
    auto out = mix(mixer, 1);
    EXPECT_GT(out[0], 26000);
    EXPECT_LE(out[0], Limiter::kCeiling);
    EXPECT_EQ(mixer.playingCount(), 2);
}

TEST(Mixer, DuplicatesShareSamplesButKeepTheirOwnCursor) {
    Mixer mixer;
    auto a = mixer.createBuffer(kStereo16, 100 * 4);
    auto b = a->duplicate();
    fill(*a, ramp(100));  // written through the first, heard through the copy
    b->play(false);
    auto out = mix(mixer, 100);
    EXPECT_EQ(out, ramp(100));
    EXPECT_EQ(a->getPlayCursor(), 0u);
    EXPECT_FALSE(a->isPlaying());
    a.reset();  // the copy keeps the samples alive
    b->play(false);
    EXPECT_EQ(mix(mixer, 100), ramp(100));
}

TEST(Mixer, DroppingTheWritableCopyKeepsWhatPlaysAndRefusesLocks) {
    Mixer mixer;
    auto a = mixer.createBuffer(kStereo16, 100 * 4);
    fill(*a, ramp(100));
    auto b = a->duplicate();
    a->dropWritableCopy();
    EXPECT_EQ(a->getBytes(), 400u);
    EXPECT_EQ(b->getBytes(), 400u);
    LockedRegions r;
    EXPECT_FALSE(b->lock(0, 0, r));
    EXPECT_EQ(r.first, nullptr);
    EXPECT_TRUE(b->setCurrentPosition(200));
    b->play(false);
    auto out = mix(mixer, 50);
    auto tail = ramp(100);
    EXPECT_EQ(out, std::vector<std::int16_t>(tail.begin() + 100, tail.end()));
    a->play(false);
    EXPECT_EQ(mix(mixer, 100), ramp(100));
}

TEST(Mixer, ALockAcrossTheEndGivesTwoRegions) {
    Mixer mixer;
    auto buffer = mixer.createBuffer(kStereo16, 100 * 4);
    LockedRegions r;
    ASSERT_TRUE(buffer->lock(90 * 4, 20 * 4, r));
    EXPECT_EQ(r.firstBytes, 40u);
    EXPECT_EQ(r.secondBytes, 40u);
    std::memset(r.first, 0x11, r.firstBytes);
    std::memset(r.second, 0x22, r.secondBytes);
    buffer->unlock(r);
    buffer->play(true);
    auto out = mix(mixer, 100);
    EXPECT_EQ(out[0], 0x2222);
    EXPECT_EQ(out[2 * 10], 0);
    EXPECT_EQ(out[2 * 95], 0x1111);
    EXPECT_FALSE(buffer->lock(400, 4, r));
    EXPECT_FALSE(buffer->lock(0, 404, r));
}

TEST(Mixer, EightBitMonoAtHalfRateIsConvertedToDeviceFrames) {
    Mixer mixer;
    const AudioFormat mono8{22050, 1, 8};
    auto buffer = mixer.createBuffer(mono8, 1000);
    ASSERT_NE(buffer, nullptr);
    LockedRegions r;
    ASSERT_TRUE(buffer->lock(0, 0, r));
    std::memset(r.first, 0xC0, r.firstBytes);  // +0.5 of full scale
    buffer->unlock(r);
    buffer->play(false);
    auto out = mix(mixer, 2100);
    EXPECT_NEAR(out[2 * 1000], 16384, 300);
    EXPECT_EQ(out[2 * 1000], out[2 * 1000 + 1]);
    EXPECT_EQ(out[2 * 2050], 0);
    EXPECT_FALSE(buffer->isPlaying());
}

TEST(Mixer, RefusesFormatsAndSizesItCannotPlay) {
    Mixer mixer;
    EXPECT_EQ(mixer.createBuffer(AudioFormat{44100, 2, 24}, 600), nullptr);
    EXPECT_EQ(mixer.createBuffer(AudioFormat{44100, 6, 16}, 600), nullptr);
    EXPECT_EQ(mixer.createBuffer(AudioFormat{0, 2, 16}, 600), nullptr);
    EXPECT_EQ(mixer.createBuffer(kStereo16, 3), nullptr);
    EXPECT_EQ(mixer.createBuffer(kStereo16, 0xFFFFFFF0u), nullptr);
    EXPECT_EQ(mixer.bufferCount(), 0);
}

// A stream's writer refills what the cursor has left; the mixer counts each
// call that wants more than was written ahead of the cursor.
TEST(Mixer, AStreamThatIsRefilledInTimeCountsNoUnderrun) {
    Mixer mixer;
    auto ring = mixer.createBuffer(kStereo16, 100 * 4);
    ring->setStreaming(true);
    fill(*ring, ramp(100));
    ring->play(true);
    for (int half = 0; half < 10; ++half) {
        mix(mixer, 50);
        // The half just played is written again, as a stream's thread does.
        LockedRegions r;
        ASSERT_TRUE(ring->lock((half % 2) * 50 * 4, 50 * 4, r));
        ring->unlock(r);
    }
    EXPECT_EQ(mixer.getUnderrunCount(), 0u);
    EXPECT_EQ(mixer.getMixedFrames(), 500u);
}

TEST(Mixer, AStarvedStreamCountsOncePerMixCallAndStopsCountingWhenRefilled) {
    Mixer mixer;
    auto ring = mixer.createBuffer(kStereo16, 100 * 4);
    ring->setStreaming(true);
    fill(*ring, ramp(100));
    ring->play(true);
    mix(mixer, 60);
    EXPECT_EQ(mixer.getUnderrunCount(), 0u);
    mix(mixer, 60);  // only 40 frames were left ahead
    EXPECT_EQ(mixer.getUnderrunCount(), 1u);
    mix(mixer, 10);
    mix(mixer, 10);
    EXPECT_EQ(mixer.getUnderrunCount(), 3u);
    EXPECT_TRUE(ring->isPlaying());  // it plays on, its cursor moving
    fill(*ring, ramp(100));
    mix(mixer, 100);
    EXPECT_EQ(mixer.getUnderrunCount(), 3u);
    // Held (a pause) it asks for nothing, so it cannot starve.
    ring->stop();
    mix(mixer, 500);
    EXPECT_EQ(mixer.getUnderrunCount(), 3u);
}

TEST(Mixer, SoundsThatEndLoopOrAreSilentAreNoUnderruns) {
    Mixer mixer;
    EXPECT_FALSE(mixer.createBuffer(kStereo16, 4)->isStreaming());
    mix(mixer, 300);  // nothing playing
    auto shot = mixer.createBuffer(kStereo16, 100 * 4);
    fill(*shot, ramp(100));
    shot->play(false);
    auto loop = mixer.createBuffer(kStereo16, 100 * 4);  // filled once, looped
    fill(*loop, ramp(100));
    loop->play(true);
    mix(mixer, 1000);
    EXPECT_FALSE(shot->isPlaying());
    EXPECT_TRUE(loop->isPlaying());
    EXPECT_EQ(mixer.getUnderrunCount(), 0u);
}

TEST(Mixer, ABurstOfManyVoicesOverTheMusicNeverReachesFullScale) {
    // The music: a looping two-second chord peaking under the limiter's
    // knee. The burst: 24 explosions of loud decaying noise, 40 ms apart,
    // as a bomb over a crowd of enemies gives. Mixed in the device's blocks.
    constexpr int kRate = 44100;
    constexpr int kMusicFrames = 2 * kRate;
    constexpr int kBlastFrames = kRate / 2;
    constexpr int kBlasts = 24;
    std::vector<std::int16_t> music;
    for (int i = 0; i < kMusicFrames; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double v = 6000 * std::sin(2 * std::numbers::pi * 220 * t) +
                         5000 * std::sin(2 * std::numbers::pi * 277 * t) +
                         4000 * std::sin(2 * std::numbers::pi * 330 * t);
        music.push_back(static_cast<std::int16_t>(v));
        music.push_back(static_cast<std::int16_t>(-v));
    }
    std::minstd_rand noise(7);
    std::uniform_int_distribution<int> sample(-30000, 30000);
    std::vector<std::int16_t> blast;
    for (int i = 0; i < kBlastFrames; ++i) {
        const double fade = 1.0 - static_cast<double>(i) / kBlastFrames;
        blast.push_back(static_cast<std::int16_t>(sample(noise) * fade));
        blast.push_back(static_cast<std::int16_t>(sample(noise) * fade));
    }

    Mixer mixer, musicOnly;
    auto tune = mixer.createBuffer(kStereo16, kMusicFrames * 4);
    auto reference = musicOnly.createBuffer(kStereo16, kMusicFrames * 4);
    fill(*tune, music);
    fill(*reference, music);
    tune->play(true);
    reference->play(true);
    std::vector<std::unique_ptr<AudioBuffer>> blasts;
    for (int i = 0; i < kBlasts; ++i) {
        blasts.push_back(mixer.createBuffer(kStereo16, kBlastFrames * 4));
        fill(*blasts.back(), blast);
    }

    constexpr int kBlock = 512;
    const int start = kRate / 2, end = start + kBlasts * (kRate / 25) + kBlastFrames;
    int peak = 0;
    double burstEnergy = 0, musicEnergy = 0;
    int mixed = 0, next = 0, sameAsMusic = 0, after = 0;
    while (mixed < end + kRate) {
        while (next < kBlasts && mixed >= start + next * (kRate / 25))
            blasts[static_cast<std::size_t>(next++)]->play(false);
        const auto out = mix(mixer, kBlock);
        const auto alone = mix(musicOnly, kBlock);
        for (std::size_t i = 0; i < out.size(); ++i) {
            peak = std::max(peak, std::abs(static_cast<int>(out[i])));
            if (mixed >= start && mixed < end) {
                burstEnergy += static_cast<double>(out[i]) * out[i];
                musicEnergy += static_cast<double>(alone[i]) * alone[i];
            }
            if (mixed >= end + kRate / 2) {
                ++after;
                sameAsMusic += out[i] == alone[i];
            }
        }
        mixed += kBlock;
    }
    EXPECT_LE(peak, static_cast<int>(Limiter::kCeiling));
    // Turned down, not squashed: the burst stays well above the chord.
    EXPECT_GT(10 * std::log10(burstEnergy / musicEnergy), 3.0);
    // Half a second after the burst the music plays on bit for bit.
    EXPECT_EQ(sameAsMusic, after);
}

TEST(Limiter, PassesSumsUpToTheKneeAndBendsLouderOnesBelowTheCeiling) {
    Limiter limiter;
    const auto knee = static_cast<std::int32_t>(Limiter::kKnee);
    std::vector<std::int32_t> in = {knee, -knee, 1000, -1000};
    std::vector<std::int16_t> out(4);
    limiter.process(in.data(), out.data(), 2);
    EXPECT_EQ(out, (std::vector<std::int16_t>{static_cast<std::int16_t>(knee),
                                              static_cast<std::int16_t>(-knee), 1000, -1000}));
    EXPECT_EQ(limiter.getGain(), 1.0);
    // The curve rises steadily from the knee and stays under the ceiling.
    double last = Limiter::shape(Limiter::kKnee);
    for (double level = Limiter::kKnee + 100; level < 1e5; level *= 1.05) {
        const double y = Limiter::shape(level);
        ASSERT_GT(y, last) << level;
        ASSERT_LT(y, Limiter::kCeiling) << level;
        last = y;
    }
    EXPECT_LE(Limiter::shape(1e9), Limiter::kCeiling);
    // Both channels share the gain: a loud left turns the right down too.
    in = {100000, 10000};
    limiter.process(in.data(), out.data(), 1);
    EXPECT_LE(out[0], Limiter::kCeiling);
    EXPECT_NEAR(static_cast<double>(out[1]) / out[0], 0.1, 0.001);
    // The gain holds for a while, then comes back to 1 within half a second.
    in.assign(2 * 44100, 0);
    out.assign(in.size(), 0);
    limiter.process(in.data(), out.data(), 100);
    EXPECT_LT(limiter.getGain(), 0.5);
    limiter.process(in.data() + 200, out.data() + 200, 44100 / 2);
    EXPECT_EQ(limiter.getGain(), 1.0);
}
