// Single attacks: the straight bullet's motion, the pan's lifetime, the
// laser's growth and pulse, the flame.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/effects/DrawParticles.h"
#include "engine/graphics/DegreeTable.h"
#include "game/shooting/object/attacks/Fire.h"
#include "game/shooting/object/attacks/FlyingPan.h"
#include "game/shooting/object/attacks/LazerObject.h"
#include "game/shooting/object/attacks/StraightAttack.h"
#include "tests/game/shooting/object/ObjectTestSupport.h"

namespace {

using namespace mirelune::test;
using namespace ml::shooting::object;

TEST(StraightAttackTest, NeverStandsStillAndTruncatesTowardZero) {
    auto picture = blankTexture(8, 8);
    StraightAttack a(KIND_ENEMY_ATTACK, 800, 480);
    a.setTexture(picture.get());
    a.setMotion(100, 100, 0, 0, 0, 0);
    EXPECT_EQ(a.getVx(), 1.0);
    EXPECT_EQ(a.getVy(), 1.0);
    a.launch();
    a.update(-1, -1);
    EXPECT_EQ(a.getX(), 101);
    EXPECT_EQ(a.getY(), 101);

    // Truncation toward zero on both sides of 0.
    a.setMotion(1, 1, -0.75, 0.75, 0, 0);
    a.update(-1, -1);
    EXPECT_EQ(a.getX(), 0);  // 0.25
    EXPECT_EQ(a.getY(), 1);  // 1.75
    a.update(-1, -1);
    EXPECT_EQ(a.getX(), 0);  // -0.5
    a.update(-1, -1);
    EXPECT_EQ(a.getX(), -1);  // -1.25
}

TEST(StraightAttackTest, BrakingBulletTurnsBackAndLeavesOnlyByTheField) {
    auto picture = blankTexture(8, 8);
    StraightAttack a(KIND_ENEMY_ATTACK, 800, 480);
    a.setTexture(picture.get());
    a.setMotion(400, 240, 5, 0, -0.5, 0);
    a.launch();
    int furthest = 0;
    int updates = 0;
    while (!a.update(-1, -1)) {
        furthest = std::max(furthest, a.getX());
        ++updates;
        ASSERT_LT(updates, 1000);
    }
    EXPECT_EQ(furthest, 422);  // 4.5 + 4 + ... + 0.5 = 22.5 pixels on
    EXPECT_LT(a.getX(), -8);
}

TEST(StraightAttackTest, AnglesFromTheTablesAimExactly) {
    StraightAttack a(KIND_PLAYER_ATTACK, 800, 480);
    a.launchByAngle(0, 0, -30, 10, 1);
    EXPECT_FLOAT_EQ(static_cast<float>(a.getVx()), 10 * veru::dxt::DegreeTable::cosine(330));
    EXPECT_FLOAT_EQ(static_cast<float>(a.getVy()), 10 * veru::dxt::DegreeTable::sine(330));
    EXPECT_LT(a.getVy(), 0.0);  // -30 points up
    EXPECT_FLOAT_EQ(static_cast<float>(a.getAy()), veru::dxt::DegreeTable::sine(330));
    a.aimAt(100, 100, 103, 104, 5, 0);
    EXPECT_NEAR(a.getVx(), 3.0, 1e-5);
    EXPECT_NEAR(a.getVy(), 4.0, 1e-5);
    EXPECT_EQ(a.getStartX(), 100);
}

TEST(FlyingPanTest, Lifetime60IsKilledOnThe60thUpdateAndReportedOnThe61st) {
    FlyingPan pan(KIND_ENEMY_ATTACK, 800, 480, 60);
    EXPECT_FALSE(pan.isCancellable());
    pan.setup(400, 200, -3, 1);
    pan.launch();
    for (int n = 1; n < 60; ++n) {
        ASSERT_FALSE(pan.update(-1, -1));
        ASSERT_EQ(pan.getState(), STATE_ACTIVE) << n;
    }
    EXPECT_FALSE(pan.update(-1, -1));
    EXPECT_EQ(pan.getState(), STATE_GONE);
    EXPECT_EQ(pan.getX(), 400 - 180);
    EXPECT_EQ(pan.getY(), 260);
    EXPECT_TRUE(pan.update(-1, -1));
    // Never tested against the field: it may fly far off and still live.
    pan.setup(-500, -500, -10, 0);
    pan.launch();
    EXPECT_FALSE(pan.update(-1, -1));
    EXPECT_EQ(pan.getState(), STATE_ACTIVE);
}

class LazerTest : public testing::Test {
  protected:
    // A laser from (x, y) with a picture w x 4 and the hit margins (0, 1).
    std::unique_ptr<LazerObject> make(int direction, float step, int maximum, int life, int px,
                                      int w = 32) {
        picture = blankTexture(w, 4);
        auto lazer = std::make_unique<LazerObject>(KIND_ENEMY_ATTACK, 800, 480, direction, step,
                                                   maximum, life);
        lazer->setTexture(picture.get());
        lazer->setPosition(px, 240);
        lazer->setHitAreaFromTexture(0, 1);
        lazer->saveHitArea();
        lazer->launch();
        return lazer;
    }
    std::unique_ptr<veru::dxt::material::Texture> picture;
};

TEST_F(LazerTest, ExtendsLeftFromItsOriginUntilPastTheEdge) {
    auto lazer = make(2, 1, 10, 100, 300);
    lazer->update(-1, -1);
    EXPECT_EQ(lazer->getScaleX(), 2);
    EXPECT_EQ(lazer->getX(), 268);
    // The right end stays at the origin.
    EXPECT_EQ(lazer->getHitRect().right, 300);
    EXPECT_EQ(lazer->getHitRect().left, 236);
    EXPECT_EQ(lazer->getHitRect().top, 239);
    int updates = 1;
    while (lazer->getPhase() == 0) {
        lazer->update(-1, -1);
        ++updates;
    }
    EXPECT_EQ(updates, 10);  // x = 300 - 32 n goes below 0 at n = 10
    EXPECT_EQ(lazer->getScaleX(), 20);
    EXPECT_TRUE(lazer->isGrowing());
    EXPECT_EQ(lazer->getFrame(), 0);
}

TEST_F(LazerTest, PulsesBetweenHalfAndFullThicknessEverySecondFrame) {
    auto lazer = make(10, 2, 55, 200, 10);
    lazer->update(-1, -1);
    ASSERT_EQ(lazer->getPhase(), 1);
    std::vector<int> thickness;
    while (lazer->getState() == STATE_ACTIVE) {
        lazer->update(-1, -1);
        thickness.push_back(lazer->getScaleY());
    }
    ASSERT_EQ(thickness.size(), 200u);
    EXPECT_EQ(thickness[0], 1);
    EXPECT_EQ(thickness[1], 3);
    EXPECT_EQ(thickness[2], 3);
    // 1 to 55 in 27 steps of 2, every second frame.
    EXPECT_EQ(thickness[53], 55);
    EXPECT_EQ(thickness[52], 53);
    int low = 1000;
    int high = 0;
    for (std::size_t i = 60; i < thickness.size(); ++i) {
        low = std::min(low, thickness[i]);
        high = std::max(high, thickness[i]);
        if (i % 2 == 0) {
            EXPECT_EQ(thickness[i], thickness[i - 1]) << i;  // changes on odd updates only
        }
    }
    EXPECT_EQ(low, 27);
    EXPECT_EQ(high, 55);
    EXPECT_EQ(lazer->getHitRect(), (HitRect{lazer->getX(), 240, lazer->getX(), 240}));
}

TEST_F(LazerTest, NegativeDirectionGrowsRightAndKeepsLeftBelowRight) {
    auto lazer = make(-10, 2, 55, 180, 100, 16);
    lazer->update(-1, -1);
    EXPECT_EQ(lazer->getScaleX(), -10);
    EXPECT_EQ(lazer->getX(), 180);
    HitRect r = lazer->getHitRect();
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.right, 260);
    EXPECT_LT(r.top, r.bottom);
    while (lazer->getPhase() == 0) {
        lazer->update(-1, -1);
    }
    EXPECT_GT(lazer->getHitRect().right, 800);
    EXPECT_EQ(lazer->getHitRect().left, 100);
}

TEST(FireTest, FliesItsLifetimeWithItsParticlesFollowing) {
    auto picture = blankTexture(16, 16);
    Fire fire(KIND_PLAYER_ATTACK, 800, 480);
    EXPECT_FALSE(fire.isCancellable());
    fire.setTexture(picture.get());
    fire.setup(100, 200, 3, -1, 20, 1);
    fire.launch();
    int updates = 0;
    while (!fire.update(-1, -1)) {
        ++updates;
        ASSERT_LT(updates, 100);
        if (updates == 5) {
            EXPECT_EQ(fire.getX(), 115);
            EXPECT_EQ(fire.getY(), 195);
            EXPECT_GT(fire.getParticles()->particleCount(), 0u);
        }
    }
    EXPECT_EQ(updates, 20);
    EXPECT_EQ(fire.getState(), STATE_GONE);
}

}  // namespace
