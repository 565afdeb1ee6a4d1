// The kintuba and boss gauges: their bars read back from the frame, the
// kintuba ratio, and the boss gauge's fill-up.
#include <gtest/gtest.h>

#include "game/shooting/cmp/BossGauge.h"
#include "game/shooting/cmp/KintubaGauge.h"
#include "game/shooting/cmp/KintubaGaugeK.h"
#include "tests/game/shooting/cmp/HudTestSupport.h"

namespace {

using namespace mirelune::test;
using ml::shooting::cmp::BossGauge;
using ml::shooting::cmp::KintubaGauge;
using ml::shooting::cmp::KintubaGaugeK;

constexpr std::uint32_t kWhite = 0xFFFFFFFFu;
constexpr std::uint32_t kRed = 0xFFFF0000u;
constexpr std::uint32_t kBlue = 0xFF0000FFu;
constexpr std::uint32_t kYellow = 0xFFFFFF00u;
constexpr std::uint32_t kGreen = 0xFF00FF00u;

class GaugeTest : public HudTest {
  protected:
    void SetUp() override {
        HudTest::SetUp();
        writePicture(u"img/gauge_white.ytx", 200, 20, kWhite);
        writePicture(u"img/gauge_arround.ytx", 200, 20, 0x00000000u);
        writePicture(u"img/gauge_red.ytx", 200, 20, kRed);
        writePicture(u"img/gauge_blue.ytx", 200, 20, kBlue);
        writePicture(u"img/gauge_yellow.ytx", 200, 20, kYellow);
        writePicture(u"img/kintuba.ytx", 40, 40, kGreen);
        writePicture(u"img/kintubaK.ytx", 40, 40, kGreen);
    }

    // The row through the gauge's middle, with the gauge drawn.
    template <class Gauge>
    Frame drawn(Gauge& gauge) {
        return render([&](veru::dxt::DirectGraphics& g) { gauge.draw(g); });
    }
};

TEST_F(GaugeTest, KintubaGaugeIsPlacedAfterItsIcon) {
    KintubaGauge gauge(1000);
    gauge.load(device.get());
    EXPECT_EQ(gauge.width(), 40 + 10 + 200);
    EXPECT_EQ(gauge.height(), 40);
    gauge.setPosition(100, 500);
    // The frame starts two gaps after the icon.
    EXPECT_EQ(gauge.getX(), 160 + 100);
    EXPECT_EQ(gauge.getY(), 510);
    EXPECT_EQ(gauge.getIconX(), 120);
    EXPECT_EQ(gauge.getIconY(), 510);

    KintubaGaugeK twin(1000);
    twin.load(device.get());
    twin.setPosition(100, 500);
    EXPECT_EQ(twin.getIconX(), 130);
    EXPECT_EQ(twin.getX(), 260);
}

TEST_F(GaugeTest, KintubaBarsGrowFromTheFrameLeftEdge) {
    KintubaGauge gauge(1000);
    gauge.load(device.get());
    gauge.setPosition(100, 500);

    // Three quarters: a full red bar and a blue bar over its left half.
    gauge.setValue(750);
    Frame f = drawn(gauge);
    auto blue = span(f, 510, kBlue);
    auto red = span(f, 510, kRed);
    EXPECT_NEAR(blue.first, 160, 1);
    EXPECT_NEAR(blue.second, 259, 1);
    EXPECT_NEAR(red.first, 260, 1);
    EXPECT_NEAR(red.second, 359, 1);

    // A quarter: only a red bar of half the width; the frame shows after it.
    gauge.setValue(250);
    f = drawn(gauge);
    EXPECT_EQ(span(f, 510, kBlue).first, -1);
    red = span(f, 510, kRed);
    EXPECT_NEAR(red.first, 160, 1);
    EXPECT_NEAR(red.second, 259, 1);
    auto white = span(f, 510, kWhite);
    EXPECT_NEAR(white.first, 260, 1);
    EXPECT_EQ(white.second, 359);

    // Empty: the frame alone; more than full: no bar past the frame.
    gauge.setValue(0);
    f = drawn(gauge);
    EXPECT_EQ(span(f, 510, kRed).first, -1);
    gauge.setValue(5000);
    f = drawn(gauge);
    EXPECT_EQ(span(f, 510, kBlue), std::make_pair(160, 359));
}

TEST_F(GaugeTest, KintubaRatioFollowsTheFirstHalf) {
    KintubaGauge gauge(1000);
    for (auto [value, ratio] : {std::pair{1000, 1.0f},
                                {501, 1.0f},
                                {500, 1.0f},
                                {250, 0.5f},
                                {1, 0.002f},
                                {0, 0.0f},
                                {-40, 0.0f}}) {
        gauge.setValue(value);
        EXPECT_FLOAT_EQ(gauge.ratio(), ratio) << value;
    }
}

TEST_F(GaugeTest, BossGaugeBarsKeepTheFrameRightEdge) {
    BossGauge gauge(300);
    EXPECT_FLOAT_EQ(gauge.getThird(), 100.0f);
    EXPECT_EQ(gauge.getFillStep(), 3);
    gauge.load(device.get());
    gauge.setPosition(400, 300);
    EXPECT_EQ(gauge.getX(), 500);
    EXPECT_EQ(gauge.getY(), 310);
    while (!gauge.update()) {
    }

    gauge.setValue(300);
    Frame f = drawn(gauge);
    EXPECT_EQ(span(f, 310, kYellow), std::make_pair(400, 599));

    // Half: the lowest third whole, the middle one half, ending at the right edge.
    gauge.setValue(150);
    f = drawn(gauge);
    auto red = span(f, 310, kRed);
    auto blue = span(f, 310, kBlue);
    EXPECT_EQ(red.first, 400);
    EXPECT_NEAR(red.second, 499, 1);
    EXPECT_NEAR(blue.first, 500, 1);
    EXPECT_EQ(blue.second, 599);

    // Within the top third: blue whole, a yellow bar of a quarter on the right.
    gauge.setValue(225);
    f = drawn(gauge);
    auto yellow = span(f, 310, kYellow);
    EXPECT_NEAR(yellow.first, 550, 1);
    EXPECT_EQ(yellow.second, 599);

    // Beaten: the frame only.
    gauge.setValue(0);
    f = drawn(gauge);
    EXPECT_EQ(span(f, 310, kWhite), std::make_pair(400, 599));
}

TEST_F(GaugeTest, BossGaugeFillsUpAndStaysReady) {
    BossGauge gauge(300);
    gauge.load(device.get());
    gauge.setPosition(400, 300);
    gauge.setValue(300);
    for (int i = 1; i < 50; ++i) {
        ASSERT_FALSE(gauge.update()) << i;
    }
    // Half way the gauge shows the rising level, not the boss's hit points.
    ASSERT_FALSE(gauge.update());
    EXPECT_EQ(gauge.getFillLevel(), 150);
    Frame f = drawn(gauge);
    EXPECT_NEAR(span(f, 310, kBlue).first, 500, 1);
    for (int i = 51; i < 100; ++i) {
        ASSERT_FALSE(gauge.update()) << i;
    }
    EXPECT_TRUE(gauge.update());  // the 100th
    EXPECT_TRUE(gauge.isFilled());
    // Still ready on later updates, for a face that arrives later.
    EXPECT_TRUE(gauge.update());
    EXPECT_TRUE(gauge.update());
    f = drawn(gauge);
    EXPECT_EQ(span(f, 310, kYellow), std::make_pair(400, 599));
}

TEST_F(GaugeTest, SmallBossGaugesStillFill) {
    BossGauge small(50);
    EXPECT_EQ(small.getFillStep(), 1);
    int updates = 1;
    while (!small.update()) {
        ++updates;
        ASSERT_LT(updates, 1000);
    }
    EXPECT_EQ(updates, 50);

    BossGauge none(0);
    EXPECT_TRUE(none.update());
    // Drawing a gauge of no hit points divides by nothing.
    none.load(device.get());
    none.setPosition(0, 0);
    Frame f = drawn(none);
    EXPECT_EQ(span(f, 10, kYellow), std::make_pair(0, 199));
}

}  // namespace
