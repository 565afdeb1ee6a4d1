// Bullet patterns: formations, rings, fans, hits and the bomb's cancelling.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/graphics/DegreeTable.h"
#include "game/shooting/object/attacks/FlyingPan.h"
#include "game/shooting/object/patterns/EnemyBullets.h"
#include "game/shooting/object/patterns/QuintupletBullets.h"
#include "game/shooting/object/patterns/RoundBullets.h"
#include "game/shooting/object/patterns/StraightBullets.h"
#include "game/shooting/object/patterns/StrongBullets.h"
#include "game/shooting/object/patterns/ThrustFlyingPan.h"
#include "game/shooting/object/patterns/TripletBullets.h"
#include "game/shooting/object/patterns/TwinBullets.h"
#include "tests/game/shooting/object/ObjectTestSupport.h"

namespace {

using namespace mirelune::test;
using namespace ml::shooting::object;
using veru::dxt::DegreeTable;

class PatternTest : public testing::Test {
  protected:
    StraightAttack& bullet(ISkill& skill, std::size_t i) {
        return static_cast<StraightAttack&>(*skill.getAttacks().at(i));
    }
    // The picture: 12 wide, 9 high (odd, so half a height is 4).
    std::unique_ptr<veru::dxt::material::Texture> picture = blankTexture(12, 9);
};

TEST_F(PatternTest, FormationsStackBulletsByPictureHeights) {
    TwinBullets twin(KIND_PLAYER_ATTACK, 800, 480, 15);
    twin.fire(picture.get(), 100, 200, -1, -1, 4, 2);
    EXPECT_EQ(bullet(twin, 0).getY(), 196);
    EXPECT_EQ(bullet(twin, 1).getY(), 205);

    TripletBullets triplet(KIND_PLAYER_ATTACK, 800, 480, 15);
    triplet.fire(picture.get(), 100, 200, -1, -1, 4, 2);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(bullet(triplet, i).getY(), 191 + 9 * static_cast<int>(i));
        EXPECT_EQ(bullet(triplet, i).getVx(), 15.0);
        EXPECT_EQ(bullet(triplet, i).getVy(), 0.0);
        EXPECT_EQ(bullet(triplet, i).getHitRight(), 2);   // 6 - 4
        EXPECT_EQ(bullet(triplet, i).getHitBottom(), 2);  // 4 - 2
    }
}

TEST_F(PatternTest, OuterBulletsFanOutAndAreNeverAimed) {
    QuintupletBullets five(KIND_PLAYER_ATTACK, 800, 480, 15);
    five.fire(picture.get(), 100, 200, 400, 200, 4, 2);  // a target level with the middle one
    ASSERT_EQ(five.getAttacks().size(), 5u);
    EXPECT_NEAR(bullet(five, 0).getVy(), 15 * 9 / std::hypot(300.0, 9.0), 1e-4);  // aimed
    EXPECT_NEAR(bullet(five, 1).getVx(), 15.0, 1e-6);
    EXPECT_EQ(bullet(five, 3).getY(), 191);
    EXPECT_FLOAT_EQ(static_cast<float>(bullet(five, 3).getVy()), 15 * DegreeTable::sine(330));
    EXPECT_EQ(bullet(five, 4).getY(), 209);
    EXPECT_FLOAT_EQ(static_cast<float>(bullet(five, 4).getVy()), 15 * DegreeTable::sine(30));

    StrongBullets seven(KIND_PLAYER_ATTACK, 800, 480, 15);
    seven.fire(picture.get(), 100, 200, -1, -1, 4, 2);
    ASSERT_EQ(seven.getAttacks().size(), 7u);
    const int directions[] = {330, 345, 15, 30};
    const int rows[] = {191, 191, 209, 209};
    for (std::size_t i = 3; i < 7; ++i) {
        EXPECT_EQ(bullet(seven, i).getY(), rows[i - 3]);
        EXPECT_FLOAT_EQ(static_cast<float>(bullet(seven, i).getVy()),
                        15 * DegreeTable::sine(directions[i - 3]));
        EXPECT_EQ(bullet(seven, i).getHitRight(), 4);  // the smaller margin, 2, both ways
        EXPECT_EQ(bullet(seven, i).getHitBottom(), 2);
    }
    EXPECT_EQ(bullet(seven, 0).getHitRight(), 2);
}

TEST_F(PatternTest, StraightBulletsTakeItsAngleOnlyWithoutATarget) {
    StraightBullets angled(KIND_ENEMY_ATTACK, 800, 480, 4, 90);
    angled.fire(picture.get(), 100, 100, -1, -1, 2, 3);
    EXPECT_NEAR(bullet(angled, 0).getVy(), 4.0, 1e-6);
    // (-1, 5) is a real target: only both negative means none.
    angled.fire(picture.get(), 100, 100, -1, 5, 2, 3);
    EXPECT_NEAR(bullet(angled, 0).getVx(), -4 * 101 / std::hypot(101.0, 95.0), 1e-4);
    StraightBullets left(KIND_ENEMY_ATTACK, 800, 480, -10, 0);
    left.fire(picture.get(), 100, 100, -1, -1, 2, 3);
    EXPECT_EQ(bullet(left, 0).getVx(), -10.0);
}

TEST_F(PatternTest, RingStepIsTruncatedAndWrapsOnce) {
    RoundBullets seven(KIND_ENEMY_ATTACK, 800, 480, 3, 0, 7, false);
    seven.fire(picture.get(), 400, 240, -1, -1, 2, 3);
    ASSERT_EQ(seven.getAttacks().size(), 7u);
    EXPECT_EQ(seven.directionOf(1), 51);
    EXPECT_EQ(seven.directionOf(6), 306);  // a 54 degree gap back to 0
    EXPECT_FLOAT_EQ(static_cast<float>(bullet(seven, 6).getVx()), 3 * DegreeTable::cosine(306));
    EXPECT_EQ(bullet(seven, 6).getAngle(), 0);  // not turned

    RoundBullets twenty(KIND_BOMB_ATTACK, 800, 480, 35, 350, 20, true);
    twenty.fire(picture.get(), 400, 240, -1, -1, 5, 5);
    EXPECT_EQ(bullet(twenty, 0).getAngle(), 350);
    EXPECT_EQ(bullet(twenty, 1).getAngle(), 8);
    EXPECT_EQ(bullet(twenty, 2).getAngle(), 26);
    EXPECT_EQ(bullet(twenty, 19).getAngle(), 332);
}

TEST_F(PatternTest, NoOrNegativeCountBuildsNothingAndDoesNothing) {
    for (int n : {0, -3}) {
        RoundBullets none(KIND_ENEMY_ATTACK, 800, 480, 3, 0, n, false);
        EXPECT_TRUE(none.getAttacks().empty());
        none.fire(picture.get(), 400, 240, -1, -1, 2, 3);
        none.setPower(1);
        none.launchAll();
        TestPlayer player;
        player.setState(STATE_ACTIVE);
        player.setPosition(400, 240);
        player.setHitArea(-50, -50, 50, 50);
        EXPECT_FALSE(none.hitTarget(player));
        EXPECT_TRUE(none.update(0, 0));
        EXPECT_TRUE(none.allGone());
    }
}

TEST_F(PatternTest, FanWidthFollowsTheDifficulty) {
    struct Case {
        int level;
        std::vector<int> directions;
    } cases[] = {
        {LEVEL_1, {210, 180, 150}},
        {LEVEL_2, {210, 195, 180, 165, 150}},
        {LEVEL_3, {240, 220, 200, 180, 160, 140, 120}},
        {LEVEL_4, {}},
        {0, {}},
    };
    for (const auto& c : cases) {
        EnemyBullets fan(KIND_ENEMY_ATTACK, 800, 480, 4, true, c.level);
        fan.fire(picture.get(), 400, 240, -1, -1, 2, 3);
        ASSERT_EQ(fan.getAttacks().size(), c.directions.size());
        for (std::size_t i = 0; i < c.directions.size(); ++i) {
            EXPECT_EQ(bullet(fan, i).getAngle(), c.directions[i]);
            EXPECT_FLOAT_EQ(static_cast<float>(bullet(fan, i).getVx()),
                            4 * DegreeTable::cosine(c.directions[i]));
        }
    }
    EnemyBullets flat(KIND_ENEMY_ATTACK, 800, 480, 4, false, LEVEL_1);
    flat.fire(picture.get(), 400, 240, -1, -1, 2, 3);
    EXPECT_EQ(bullet(flat, 0).getAngle(), 0);
}

TEST_F(PatternTest, VanishingBulletsHitOnceOthersEveryFrame) {
    TestEnemy enemy;
    enemy.appear(500, 240);
    enemy.setHitArea(-20, -20, 20, 20);
    enemy.setHp(100);
    TripletBullets shot(KIND_PLAYER_ATTACK, 800, 480, 0.0);  // speed 0: (1, 1) a frame
    shot.fire(picture.get(), 500, 240, -1, -1, 0, 0);
    shot.setPower(2);
    // Standby bullets are not on the field yet.
    EXPECT_FALSE(shot.hitTarget(enemy));
    shot.launchAll();
    EXPECT_TRUE(shot.hitTarget(enemy));  // all three at once
    EXPECT_EQ(enemy.getHp(), 94);
    EXPECT_TRUE(shot.allGone());
    EXPECT_FALSE(shot.hitTarget(enemy));

    TestSkill beam(KIND_PLAYER_ATTACK, 1, false);
    beam.fire(picture.get(), 500, 240, -1, -1, 0, 0);
    beam.setPower(3);
    beam.launchAll();
    EXPECT_TRUE(beam.hitTarget(enemy));
    EXPECT_TRUE(beam.hitTarget(enemy));
    EXPECT_EQ(enemy.getHp(), 88);
    EXPECT_EQ(beam.at(0).getState(), STATE_ACTIVE);
}

TEST_F(PatternTest, OnlyABombCancelsAndOnlyWhatIsCancellable) {
    TestSkill enemy_shots(KIND_ENEMY_ATTACK, 3);
    enemy_shots.fire(picture.get(), 300, 240, -1, -1, 0, 0);
    enemy_shots.launchAll();
    enemy_shots.at(2).setPosition(700, 100);  // far from the bomb
    ThrustFlyingPan pan(KIND_ENEMY_ATTACK, 800, 480, 10, 180, 60);
    pan.fire(picture.get(), 300, 240, -1, -1, 0, 0);
    pan.launchAll();

    TestSkill normal(KIND_PLAYER_ATTACK, 1);
    normal.fire(picture.get(), 300, 240, -1, -1, 0, 0);
    normal.launchAll();
    EXPECT_EQ(normal.cancelBullets(enemy_shots), 0);
    EXPECT_EQ(enemy_shots.at(0).getState(), STATE_ACTIVE);

    TestSkill bomb(KIND_BOMB_ATTACK, 1);
    bomb.fire(picture.get(), 300, 240, -1, -1, 0, 0);
    bomb.launchAll();
    EXPECT_EQ(bomb.cancelBullets(enemy_shots), 2);
    EXPECT_EQ(enemy_shots.at(0).getState(), STATE_GONE);
    EXPECT_EQ(enemy_shots.at(1).getState(), STATE_GONE);
    EXPECT_EQ(enemy_shots.at(2).getState(), STATE_ACTIVE);
    EXPECT_EQ(bomb.cancelBullets(enemy_shots), 0);  // gone ones are not counted again
    // A pan is counted every time but never cancelled.
    EXPECT_EQ(bomb.cancelBullets(pan), 1);
    EXPECT_EQ(bomb.cancelBullets(pan), 1);
    EXPECT_EQ(pan.getAttacks()[0]->getState(), STATE_ACTIVE);
}

TEST_F(PatternTest, ThrownPanMovesWholePixelsAndRefiringReplacesIt) {
    ThrustFlyingPan pan(KIND_ENEMY_ATTACK, 800, 480, 10, 220, 3);
    pan.fire(picture.get(), 500, 300, -1, -1, 0, 0);
    pan.launchAll();
    auto& p = static_cast<FlyingPan&>(*pan.getAttacks()[0]);
    EXPECT_EQ(p.getVx(), -7);  // 10 cos 220 = -7.66
    EXPECT_EQ(p.getVy(), -6);  // 10 sin 220 = -6.43
    int updates = 0;
    while (!pan.update(0, 0)) {
        ++updates;
    }
    EXPECT_EQ(updates, 2);  // killed on its third update, which finds the pattern all gone
    EXPECT_EQ(p.getX(), 479);
    // Fired again, the same pan starts over from the new origin.
    pan.fire(picture.get(), 600, 100, -1, -1, 0, 0);
    pan.launchAll();
    EXPECT_FALSE(pan.update(0, 0));
    EXPECT_EQ(p.getX(), 593);
    EXPECT_EQ(p.getFrame(), 1);
}

}  // namespace
