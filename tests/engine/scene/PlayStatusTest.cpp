#include "engine/scene/PlayStatus.h"

#include <gtest/gtest.h>

using veru::dxt::PlayStatus;

TEST(PlayStatus, StartsWithTheTrialValues) {
    PlayStatus s;
    EXPECT_EQ(s.lives, 2);
    EXPECT_EQ(s.livesMax, 5);
    EXPECT_EQ(s.gauge, 1000);
    EXPECT_EQ(s.gaugeFull, 1000);
    EXPECT_EQ(s.stock, 3);
    EXPECT_EQ(s.stockMax, 8);
    EXPECT_EQ(s.power, 0x200000);
}

TEST(PlayStatus, LivesAndStockStayWithinTheirLimits) {
    PlayStatus s;
    s.lives = 0;
    EXPECT_FALSE(s.takeLife());
    EXPECT_EQ(s.lives, 0);
    s.lives = 5;
    EXPECT_FALSE(s.addLife());
    EXPECT_TRUE(s.takeLife());
    EXPECT_EQ(s.lives, 4);

    s.stock = 8;
    EXPECT_FALSE(s.addStock());
    s.stock = 0;
    s.gauge = 10;
    EXPECT_FALSE(s.takeStock());
    EXPECT_EQ(s.gauge, 10);
    s.stock = 1;
    EXPECT_TRUE(s.takeStock());  // a stock refills the gauge
    EXPECT_EQ(s.stock, 0);
    EXPECT_EQ(s.gauge, 1000);
}

TEST(PlayStatus, DrainingReportsEmptyOnlyOnceTheGaugeIsBelowOne) {
    PlayStatus s;
    s.gauge = 3;
    EXPECT_FALSE(s.drainGauge(5));  // drained, but it was not empty yet
    EXPECT_EQ(s.gauge, -2);
    EXPECT_TRUE(s.drainGauge());
    EXPECT_EQ(s.gauge, 0);
    s.refillGauge();
    EXPECT_EQ(s.gauge, 1000);
}

TEST(PlayStatus, TalkScenesResetWhatTheNextStageStartsWith) {
    PlayStatus s;
    s.lives = 0;
    s.stock = 1;
    s.gauge = 7;
    s.power = 0x200004;
    s.livesMax = 9;
    s.resetForTalk();
    EXPECT_EQ(s.lives, 2);
    EXPECT_EQ(s.stock, 5);
    EXPECT_EQ(s.gauge, 1000);
    EXPECT_EQ(s.power, 0x200000);
    EXPECT_EQ(s.livesMax, 9);
}
