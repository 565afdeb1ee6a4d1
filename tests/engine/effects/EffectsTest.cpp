// Particles, emitters, motion trails and the random numbers.
#include <gtest/gtest.h>

#include "engine/effects/MotionBlur.h"
#include "engine/effects/MultiRandomParticle.h"
#include "engine/effects/Random.h"
#include "engine/exceptions/IllegalArgumentException.h"
#include "engine/exceptions/NullPointerException.h"
#include "engine/graphics/DirectGraphics.h"
#include "tests/engine/graphics/DrawingTestSupport.h"
#include "tests/support/RecordingMessageSink.h"

namespace {

using namespace veru::dxt::effect2D;
using mirelune::test::RecordingMessageSink;

std::u16string fadeFailure(int decreAlpha, int alphaRest, int scaleRest, float decreScale) {
    Particle p(10, 1.0f);
    try {
        p.setFade(decreAlpha, alphaRest, scaleRest, decreScale);
    } catch (const veru::excp::IllegalArgumentException& e) {
        return e.getMessage();
    }
    return u"";
}

TEST(RandomTest, LinearSequenceAndRanges) {
    // The generator's first outputs from state 1 (this test runs first in its program).
    EXPECT_EQ(nextLinearRandom(), 41);
    EXPECT_EQ(nextLinearRandom(), 18467);
    EXPECT_EQ(nextLinearRandom(), 6334);
    double d = randomDouble(1.0, 2.0);
    EXPECT_DOUBLE_EQ(d, 1.0 + 26500 / 32768.0);
    EXPECT_THROW(randomDouble(2.0, 1.0), veru::excp::IllegalArgumentException);
    EXPECT_THROW(randomFloat(2.0f, 1.0f), veru::excp::IllegalArgumentException);
    try {
        randomInt(3, 2);
        FAIL();
    } catch (const veru::excp::IllegalArgumentException& e) {
        EXPECT_EQ(e.getMessage(),
                  u"引数の指定範囲が不正です。(range_min > range_max　⇒　range_min < range_max)");
    }
    EXPECT_EQ(randomInt(5, 5), 5);
    EXPECT_EQ(randomIndex(1), 0);
    EXPECT_EQ(randomIndex(0), 0);
    for (int i = 0; i < 1000; ++i) {
        int v = randomInt(-3, 3);
        EXPECT_GE(v, -3);
        EXPECT_LE(v, 3);
        int k = randomIndex(7);
        EXPECT_GE(k, 0);
        EXPECT_LT(k, 7);
    }
}

TEST(RandomTest, ASeededStageDrawsTheSameNumbersEveryTime) {
    struct Draws {
        std::vector<int> ints, indices;
        std::vector<double> doubles;
        bool operator==(const Draws&) const = default;
    };
    auto play = [](std::uint32_t seed) {
        seedStageRandom(seed);
        Draws d;
        for (int i = 0; i < 50; ++i) {
            d.ints.push_back(randomInt(-1000, 1000));
            d.indices.push_back(randomIndex(100));
            d.doubles.push_back(randomDouble(0.0, 1.0));
        }
        return d;
    };
    Draws first = play(12345);
    // Draws between stages (menus, talk scenes) do not change the next stage.
    useSecureRandom();
    EXPECT_FALSE(isStageRandomSeeded());
    randomInt(0, 10);
    randomDouble(0.0, 1.0);
    Draws again = play(12345);
    EXPECT_TRUE(isStageRandomSeeded());
    EXPECT_EQ(first, again);
    Draws other = play(54321);
    EXPECT_NE(first.ints, other.ints);
    EXPECT_NE(first.indices, other.indices);
    EXPECT_NE(first.doubles, other.doubles);
    // The seeded values still spread over the whole range.
    seedStageRandom(7);
    std::vector<int> seen(10, 0);
    for (int i = 0; i < 1000; ++i) {
        ++seen[static_cast<std::size_t>(randomIndex(10))];
    }
    for (int count : seen) {
        EXPECT_GT(count, 50);
    }
    useSecureRandom();
    EXPECT_NE(freshRandomSeed(), freshRandomSeed());  // 1 in 2^32 of a false alarm
}

TEST(ParticleTest, MovesWithSpeedAndAccelerationAndDiesAfterItsLife) {
    Particle p(10, 1.0f);
    p.launch(2.0, -1.0, 1.0, 2.0, 100, 50);
    int updates = 0;
    bool died = false;
    while (!died) {
        died = p.update();
        ++updates;
        if (updates == 4) {
            // Position after n updates is shown at the next one: origin + n v + a (n^2 + 1) / 2 for
            // n = 3.
            EXPECT_EQ(p.x, 100 + 4 * 2 + 1 * (16 + 1) / 2);
        }
    }
    EXPECT_EQ(updates, 11);
    EXPECT_TRUE(p.dead);
}

TEST(ParticleTest, FadesOverTheRestOfItsLife) {
    Particle p(10, 1.0f);
    p.setFade(100, 0, 2, 0.25f);
    std::vector<int> alphas;
    std::vector<float> scales;
    while (!p.update()) {
        alphas.push_back(p.alpha);
        scales.push_back(p.scale);
    }
    EXPECT_EQ(alphas.back(), 255);  // alpha_rest_frame 0: falls only in the last update
    EXPECT_EQ(p.alpha, 155);
    EXPECT_FLOAT_EQ(scales[7], 1.0f);
    EXPECT_FLOAT_EQ(scales[8], 0.75f);
    EXPECT_FLOAT_EQ(p.scale, 0.25f);

    EXPECT_EQ(
        fadeFailure(1, 11, -1, 0.0f),
        u"α値減少残り時間が不正です。存在時間以下にしてください。：alpha_rest_frame < exist_frame");
    EXPECT_EQ(fadeFailure(1, -1, 11, 0.0f),
              u"スケーリング減少残り時間が不正です。存在時間以下にしてください。：scale_rest_frame "
              u"< exist_frame");
    EXPECT_EQ(fadeFailure(256, 1, 1, 0.0f),
              u"α値に不正なパラメータが指定されました。：decre_alpha > 255");
    EXPECT_EQ(fadeFailure(-1, 1, 1, 0.0f),
              u"α値に不正なパラメータが指定されました。：decre_alpha < 0");
    EXPECT_EQ(fadeFailure(1, 1, 1, 1.5f),
              u"スケーリング値に不正なパラメータが指定されました。：decre_scale > 1.0f");
    EXPECT_EQ(fadeFailure(1, 1, 1, -0.5f),
              u"スケーリング値に不正なパラメータが指定されました。：decre_scale < 0.0f");
    Particle never(10, 1.0f);
    EXPECT_THROW(never.setFade(10, 20, -1, 0.0f), veru::excp::IllegalArgumentException);
    EXPECT_EQ(never.alphaStart, -1);
}

TEST(EmitterTest, BadSetupIsShownAndGivesStillUnscaledParticles) {
    RecordingMessageSink sink;
    MultiRandomParticle emitter(1 | 2 | 4 | 8);
    emitter.setup(10, 20, 2.0, 1.0, 0.0, 1.0, 0.0, 0.0, 1.0f, 2.0f);
    ASSERT_EQ(sink.count(), 1u);
    EXPECT_EQ(sink.messages()[0].text, u"引数の値が不正です。：vxs0 > vxs1");
    EXPECT_EQ(sink.messages()[0].caption, u"エラー");
    EXPECT_EQ(emitter.xSpeedTable(), std::vector<double>{0.0});
    EXPECT_EQ(emitter.scaleTable(), std::vector<float>{1.0f});
    MultiRandomParticle ok(1);
    ok.setup(0, 0, 1.0, 3.0, 2.0, 2.0, 0.0, 0.0, 0.5f, 1.5f);
    EXPECT_EQ(ok.xSpeedTable().size(), 100u);
    EXPECT_EQ(ok.ySpeedTable(), std::vector<double>{2.0});
    for (double v : ok.xSpeedTable()) {
        EXPECT_GE(v, 1.0);
        EXPECT_LT(v, 3.0);
    }
}

TEST(EmitterTest, BurstsUpwardsOnlyAndEndsAfterStop) {
    MultiRandomParticle emitter(1 | 2);
    EXPECT_EQ(emitter.allowedDirections(), (std::vector<int>{1, 2}));
    emitter.setEmission(5, 4, 2);
    emitter.setup(100, 100, 1.0, 2.0, 1.0, 2.0, 0.0, 0.0, 1.0f, 1.0f);
    EXPECT_THROW(emitter.setFade(10, 6, 0, 0.1f), veru::excp::IllegalArgumentException);
    emitter.setFade(10, 3, 0.1f);
    std::vector<std::size_t> counts;
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(emitter.update());
        counts.push_back(emitter.particleCount());
    }
    EXPECT_EQ(counts, (std::vector<std::size_t>{0, 0, 4, 4}));
    EXPECT_EQ(emitter.getX(), 100);
    EXPECT_EQ(emitter.getY(), 100);
    for (const auto& p : emitter.getParticles()) {
        EXPECT_LT(p->vy, 0.0);
    }
    emitter.stop();
    int frames = 0;
    while (!emitter.update()) {
        EXPECT_EQ(emitter.isFinished(), emitter.particleCount() == 0u);
        ++frames;
        ASSERT_LT(frames, 100);
    }
    EXPECT_TRUE(emitter.isFinished());
    EXPECT_EQ(emitter.particleCount(), 0u);
    emitter.setBounds(8, 4);
    EXPECT_EQ(emitter.bounds().left, 92);
    EXPECT_EQ(emitter.bounds().bottom, 104);
}

TEST(MotionBlurTest, CopiesLeaveOneByOneFromTheFirstUpdateOnAndShareTheOpacity) {
    // Three copies, one frame between launches, a life of 4. Worked by hand:
    // copy k leaves on update 2(k + 1), moves on the next five updates and
    // dies on the fifth of them; the trail is over on update 11.
    MotionBlur blur(3, 1);
    blur.createCopies(nullptr, 4, 0);
    blur.launchAll(0, 0, 1.0, 0.0, 0.0, 0.0);
    for (const auto& copy : blur.getCopies()) {
        EXPECT_EQ(copy->alpha, 85);
    }
    EXPECT_EQ(blur.inFlightCount(), 0);  // launchAll starts nothing
    std::vector<int> inFlight;
    int updates = 1;
    while (!blur.update()) {
        inFlight.push_back(blur.inFlightCount());
        ASSERT_LT(++updates, 100);
    }
    EXPECT_EQ(inFlight, (std::vector<int>{0, 1, 1, 2, 2, 3, 2, 2, 1, 1}));
    EXPECT_EQ(updates, 11);
    EXPECT_TRUE(blur.isFinished());

    // Fired again, the same trail runs the same course.
    blur.launchAll(0, 0, 1.0, 0.0, 0.0, 0.0);
    EXPECT_FALSE(blur.isFinished());
    int again = 1;
    while (!blur.update()) {
        ++again;
    }
    EXPECT_EQ(again, 11);
}

TEST(MotionBlurTest, HeadLeadsTheTrailWhileTheBoundsStayAtTheOrigin) {
    MotionBlur blur(3, 0);
    blur.createCopies(nullptr, 20, 0);
    blur.setBounds(10, 4);
    blur.launchAll(100, 50, 5.0, 0.0, 0.0, 0.0);
    EXPECT_EQ(blur.headX(), 100);  // nothing has left yet: the head waits at the origin
    for (int i = 0; i < 9; ++i) {
        EXPECT_FALSE(blur.isFinished());  // asking does not run a frame
        EXPECT_FALSE(blur.update());
    }
    // The first copy left on update 1 and has moved on the eight since.
    EXPECT_EQ(blur.headX(), 140);
    EXPECT_EQ(blur.headY(), 50);
    EXPECT_EQ(blur.headBounds().left, 130);
    EXPECT_EQ(blur.headBounds().right, 150);
    EXPECT_EQ(blur.headBounds().top, 46);
    EXPECT_EQ(blur.bounds().left, 90);
    EXPECT_EQ(blur.bounds().right, 110);
}

TEST(EffectBoundsTest, HalfACellLessTheMarginsAndANullPictureRefused) {
    auto device = mirelune::test::makeOffscreenDevice();
    auto picture = mirelune::test::solidTexture(device.get(), 33, 20, 0xFFFFFFFFu);
    MotionBlur blur(1, 0);
    blur.setBoundsFromTexture(picture.get(), 4, 3);
    EXPECT_EQ(blur.bounds().left, -12);
    EXPECT_EQ(blur.bounds().bottom, 7);
    MultiRandomParticle emitter(1);
    emitter.setup(50, 60, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 1.0f, 1.0f);
    emitter.setBoundsFromTexture(picture.get(), 0, 10);
    EXPECT_EQ(emitter.bounds().left, 34);
    EXPECT_EQ(emitter.bounds().top, 60);
    try {
        emitter.setBoundsFromTexture(nullptr, 0, 0);
        FAIL();
    } catch (const veru::excp::NullPointerException& e) {
        EXPECT_EQ(e.getMessage(), u"NullPointerException::テクスチャがセットされていません。");
    }
}

TEST(EffectDrawingTest, ParticlesAreQueuedCentredWithTheirOwnAlpha) {
    auto device = mirelune::test::makeOffscreenDevice();
    auto texture = mirelune::test::solidTexture(device.get(), 8, 8, 0xFFFFFFFFu);
    veru::dxt::DirectGraphics graphics(device.get());
    Particle faint(10, 1.0f), strong(10, 1.0f);
    faint.setTexture(texture.get());
    strong.setTexture(texture.get());
    faint.launch(0, 0, 0, 0, 20, 20);
    strong.launch(0, 0, 0, 0, 60, 20);
    faint.alpha = 64;
    faint.blend = veru::dxt::BlendAlphaPoint;
    strong.blend = veru::dxt::BlendAlphaPoint;
    device->clear(0xFF000000u);
    graphics.setCentred(true);
    faint.draw(graphics);
    strong.draw(graphics);
    graphics.flushQuads();
    auto f = mirelune::test::readFrame(*device);
    EXPECT_TRUE(mirelune::test::rgbNear(f.at(20, 20), 0xFF404040u));
    EXPECT_TRUE(mirelune::test::rgbNear(f.at(60, 20), 0xFFFFFFFFu));
}

TEST(EffectDrawingTest, GivenItsOwnTextureAgainAnEmitterKeepsIt) {
    // As for components: the sanitizer build reports a use after free if the
    // owner deletes the picture it is handed back.
    auto device = mirelune::test::makeOffscreenDevice();
    auto picture = mirelune::test::solidTexture(device.get(), 8, 8, 0xFFFFFFFFu);
    veru::dxt::material::Texture* kept = picture.release();
    MultiRandomParticle emitter(1);
    emitter.setTexture(kept, true);
    emitter.setTexture(kept, true);
    emitter.setTexture(kept, false);
    emitter.setEmission(10, 1, 0);
    emitter.setup(20, 20, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 1.0f, 1.0f);
    emitter.update();
    veru::dxt::DirectGraphics graphics(device.get());
    device->clear(0xFF000000u);
    emitter.draw(graphics);
    graphics.flushQuads();
    EXPECT_GT(mirelune::test::readFrame(*device).brightness(16, 16, 8, 8), 100.0);
}

}  // namespace
