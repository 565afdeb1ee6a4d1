// The sounds of the manifest, measured: every wave is 44100 Hz 16-bit PCM,
// neither silent nor clipped, peaks near -3 dBFS, starts softly and sits in
// one loudness range with the others; every music loop (and every wave that
// loops) is exactly its loop length, and its end runs into its start without a
// click. The stage's tunes are faster than the talk scenes' and the boss tune
// faster still. The heroines' calls are sung in their own voices, and the
// three title calls in three. Each file in the game folder is the committed one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "engine/platform/audio/VorbisDecoder.h"
#include "tests/assets/AssetManifest.h"

namespace mirelune::assets {
namespace {

std::vector<std::uint8_t> readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t le32(const std::uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24;
}
std::uint16_t le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

struct Pcm {
    int channels = 0;
    int rate = 0;
    int bits = 0;
    int formatTag = 0;
    std::vector<std::int16_t> samples;  // interleaved
};

// A RIFF wave read by hand, chunk by chunk.
bool readWave(const std::filesystem::path& path, Pcm& out) {
    const auto bytes = readBytes(path);
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) ||
        std::memcmp(bytes.data() + 8, "WAVE", 4))
        return false;
    bool haveFormat = false, haveData = false;
    for (std::size_t pos = 12; pos + 8 <= bytes.size();) {
        const std::uint32_t size = le32(&bytes[pos + 4]);
        if (size > bytes.size() - pos - 8)
            return false;
        const std::uint8_t* body = &bytes[pos + 8];
        if (!std::memcmp(&bytes[pos], "fmt ", 4) && size >= 16) {
            out.formatTag = le16(body);
            out.channels = le16(body + 2);
            out.rate = static_cast<int>(le32(body + 4));
            out.bits = le16(body + 14);
            haveFormat = true;
        } else if (!std::memcmp(&bytes[pos], "data", 4)) {
            out.samples.resize(size / 2);
            std::memcpy(out.samples.data(), body, out.samples.size() * 2);
            haveData = true;
        }
        pos += 8 + size + (size & 1);
    }
    return haveFormat && haveData;
}

struct Level {
    int peak = 0;
    double rms = 0;
    std::size_t fullScale = 0;  // samples at the very edge of the range
};

Level measure(const std::vector<std::int16_t>& samples) {
    Level level;
    double sum = 0;
    for (std::int16_t s : samples) {
        const int a = std::abs(static_cast<int>(s));
        level.peak = std::max(level.peak, a);
        level.fullScale += a >= 32700;
        sum += static_cast<double>(s) * s;
    }
    level.rms = samples.empty() ? 0 : std::sqrt(sum / samples.size());
    return level;
}

// The jump from the last frame to the first may be no larger than the steps
// the sound itself takes right around it.
void expectSeamless(const std::vector<std::int16_t>& samples) {
    const std::size_t frames = samples.size() / 2;
    ASSERT_GT(frames, 128u);
    const auto at = [&](std::size_t frame, int channel) {
        return static_cast<int>(samples[(frame % frames) * 2 + channel]);
    };
    for (int channel = 0; channel < 2; ++channel) {
        int largestStep = 0;
        for (std::size_t f = frames - 64; f < frames + 64; ++f)
            if (f != frames - 1)
                largestStep = std::max(largestStep, std::abs(at(f + 1, channel) - at(f, channel)));
        const int jump = std::abs(at(0, channel) - at(frames - 1, channel));
        EXPECT_LE(jump, 2 * largestStep + 64) << "click at the loop point, channel " << channel;
    }
}

double dbfs(double amplitude) {
    return 20 * std::log10(std::max(amplitude, 1.0) / 32768.0);
}

void expectAudible(const Level& level) {
    EXPECT_GT(level.peak, 3000) << "(almost) silent";
    EXPECT_GT(level.rms, 300) << "(almost) silent";
    EXPECT_EQ(level.fullScale, 0u) << "clipped";
}

TEST(AssetSoundTest, WavesAre44100Hz16BitAudibleAndUnclipped) {
    int waves = 0;
    for (const ManifestEntry& e : loadManifest()) {
        if (e.kind != "wave")
            continue;
        ++waves;
        SCOPED_TRACE(e.path);
        Pcm pcm;
        ASSERT_TRUE(readWave(assetsDir() / e.file, pcm)) << "not a RIFF wave";
        EXPECT_EQ(pcm.formatTag, 1) << "not PCM";
        EXPECT_EQ(pcm.rate, 44100);
        EXPECT_EQ(pcm.bits, 16);
        EXPECT_TRUE(pcm.channels == 1 || pcm.channels == 2);
        const double seconds = static_cast<double>(pcm.samples.size()) / pcm.channels / 44100.0;
        EXPECT_GT(seconds, 0.1);
        EXPECT_LT(seconds, 5.0) << "an effect this long should be music";
        const Level level = measure(pcm.samples);
        expectAudible(level);
        // one loudness for every effect and call: peaks at -3 dBFS, the body
        // between -22 and -9 dBFS (a short blip may be dense, a call airy)
        EXPECT_NEAR(dbfs(level.peak), -3.0, 0.5) << "peak";
        EXPECT_GE(dbfs(level.rms), -22.0) << "much quieter than the others";
        EXPECT_LE(dbfs(level.rms), -9.0) << "much louder than the others";
        // a soft attack: the first millisecond stays well under the peak
        std::vector<std::int16_t> start(
            pcm.samples.begin(),
            pcm.samples.begin() + std::min<std::size_t>(pcm.samples.size(), 44 * pcm.channels));
        EXPECT_LT(measure(start).peak, level.peak / 2) << "starts with a click";
        if (e.loopSamples > 0) {
            ASSERT_EQ(pcm.channels, 2);
            EXPECT_EQ(static_cast<long long>(pcm.samples.size() / 2), e.loopSamples)
                << "a looping wave is exactly one loop";
            expectSeamless(pcm.samples);
        }
        EXPECT_EQ(readBytes(gameDir() / e.path), readBytes(assetsDir() / e.file))
            << "game copy differs";
    }
    EXPECT_GE(waves, 30);
}

TEST(AssetSoundTest, MusicLoopsAreExactAndSeamless) {
    int tunes = 0;
    for (const ManifestEntry& e : loadManifest()) {
        if (e.kind != "music")
            continue;
        ++tunes;
        SCOPED_TRACE(e.path);
        ASSERT_GT(e.loopSamples, 0) << "music needs loop=N";
        veru::platform::VorbisDecoder decoder;
        ASSERT_TRUE(decoder.open((assetsDir() / e.file).string()));
        EXPECT_EQ(decoder.getRate(), 44100);
        ASSERT_EQ(decoder.getChannels(), 2);
        EXPECT_EQ(decoder.getPcmTotal(), e.loopSamples) << "the loop length is not exact";
        // The game's reader refuses a claimed length beyond what the packets
        // decode to; the trim at the end is less than one long block.
        EXPECT_GE(decoder.getDecodableSamples(), e.loopSamples);
        EXPECT_LT(decoder.getDecodableSamples(), e.loopSamples + 2048);
        const double seconds = static_cast<double>(e.loopSamples) / 44100.0;
        EXPECT_GE(seconds, 60.0);
        EXPECT_LE(seconds, 120.0);
        std::vector<std::int16_t> samples;
        std::vector<std::int16_t> chunk(8192);
        for (long got; (got = decoder.read(chunk.data(), static_cast<int>(chunk.size() * 2))) > 0;)
            samples.insert(samples.end(), chunk.begin(), chunk.begin() + got / 2);
        ASSERT_EQ(static_cast<long long>(samples.size()), e.loopSamples * 2);
        expectAudible(measure(samples));
        expectSeamless(samples);
        EXPECT_EQ(readBytes(gameDir() / e.path), readBytes(assetsDir() / e.file))
            << "game copy differs";
    }
    EXPECT_EQ(tunes, 4);
}

// The tempo of a tune, from "Q:1/4=BPM" in its ABC source; 0 when absent.
int tempoOf(const std::string& tune) {
    std::ifstream in(assetsDir() / "src" / "music" / (tune + ".abc"));
    for (std::string line; std::getline(in, line);)
        if (line.rfind("Q:1/4=", 0) == 0)
            return std::atoi(line.c_str() + 6);
    return 0;
}

TEST(AssetSoundTest, StageTunesAreFasterThanTheTalkScenesAndTheBossFastest) {
    const int talk = std::max(tempoOf("bgm_prologue"), tempoOf("bgm_ending"));
    ASSERT_GT(talk, 0);
    EXPECT_GE(tempoOf("bgm_stage"), talk * 3 / 2);
    EXPECT_GT(tempoOf("bgm_boss"), tempoOf("bgm_stage"));
}

// The sung pitch of a call in Hz: the median, over its loud 40 ms windows, of
// the period the left channel's autocorrelation finds between 200 and 1200 Hz.
double sungPitch(const std::string& gamePath) {
    Pcm pcm;
    if (!readWave(assetsDir() / gamePath, pcm) || pcm.channels < 1)
        return 0;
    std::vector<double> x;
    for (std::size_t i = 0; i < pcm.samples.size(); i += pcm.channels)
        x.push_back(pcm.samples[i]);
    const int window = 1764, minLag = 44100 / 1200, maxLag = 44100 / 200;
    const double loud = measure(pcm.samples).peak * 0.25;
    std::vector<double> pitches;
    for (std::size_t start = 0; start + window + maxLag < x.size(); start += window / 2) {
        double energy = 0;
        for (int i = 0; i < window; ++i)
            energy += x[start + i] * x[start + i];
        if (std::sqrt(energy / window) < loud)
            continue;
        std::vector<double> r(maxLag + 1, 0);
        double best = 0;
        for (int lag = minLag; lag <= maxLag; ++lag) {
            double sum = 0, shifted = 0;
            for (int i = 0; i < window; ++i) {
                sum += x[start + i] * x[start + i + lag];
                shifted += x[start + i + lag] * x[start + i + lag];
            }
            r[lag] = sum / std::sqrt(energy * shifted + 1);
            best = std::max(best, r[lag]);
        }
        // the first peak as high as the best: a whole period, not two (an "a"
        // sung low has a strong second harmonic, so half a period comes close)
        for (int lag = minLag + 1; lag < maxLag; ++lag)
            if (r[lag] >= 0.97 * best && r[lag] >= r[lag - 1] && r[lag] >= r[lag + 1]) {
                pitches.push_back(44100.0 / lag);
                break;
            }
    }
    if (pitches.empty())
        return 0;
    std::nth_element(pitches.begin(), pitches.begin() + pitches.size() / 2, pitches.end());
    return pitches[pitches.size() / 2];
}

double median(std::vector<double> v) {
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
    return v[v.size() / 2];
}

TEST(AssetSoundTest, HeroinesAndTitleCallsAreSungInTheirOwnVoices) {
    // Shiro is bright and high; Hotaru calmer and lower, but a girl's voice.
    std::vector<double> shiro, hotaru;
    for (const char* call : {"go", "down", "dead", "get", "clear"})
        shiro.push_back(sungPitch(std::string("sound/") + call + "_siro.wav"));
    for (const char* call : {"start", "damage", "dead", "Eup", "clear", "Enon"}) {
        SCOPED_TRACE(call);
        hotaru.push_back(sungPitch(std::string("sound/vovizovar_") + call + ".wav"));
        EXPECT_GE(hotaru.back(), 330) << "not a girl's voice";
        EXPECT_LE(hotaru.back(), 620) << "not a calm voice";
    }
    EXPECT_LT(median(hotaru), 0.8 * median(shiro)) << "no calmer than Shiro";
    // the three title calls: three voices, none sung like another
    const double siro = sungPitch("sound/title_call_siro.wav");
    const double erika = sungPitch("sound/title_call_erika.wav");
    const double kiriha = sungPitch("sound/title_call_kiriha.wav");
    EXPECT_GT(erika, siro * 1.06);
    EXPECT_LT(kiriha, siro / 1.06);
}

}  // namespace
}  // namespace mirelune::assets
