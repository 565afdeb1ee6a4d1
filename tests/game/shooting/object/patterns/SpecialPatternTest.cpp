// Patterns with their own motion: the laser, the homing beam chain, the
// swaying pan, the flare, the fire ball and the blade.
#include <gtest/gtest.h>

#include <algorithm>

#include "game/shooting/object/attacks/BeamObject.h"
#include "game/shooting/object/attacks/Fire.h"
#include "game/shooting/object/attacks/LazerObject.h"
#include "game/shooting/object/attacks/ManualFlyingPan.h"
#include "game/shooting/object/patterns/FireBall.h"
#include "game/shooting/object/patterns/Flare.h"
#include "game/shooting/object/patterns/Lazer.h"
#include "game/shooting/object/patterns/LeadBeam.h"
#include "game/shooting/object/patterns/Slush.h"
#include "game/shooting/object/patterns/SpecialFlyingPan.h"
#include "tests/game/shooting/object/ObjectTestSupport.h"

namespace {

using namespace mirelune::test;
using namespace ml::shooting::object;

// A player-sized target at (x, y).
struct Target : TestPlayer {
    Target(int px, int py) {
        setPosition(px, py);
        setState(STATE_ACTIVE);
        setHitArea(-10, -10, 10, 10);
        setHp(1000);
    }
};

// A chain of four 8 x 8 segments, without acceleration, fired from (x, y)
// at (aim_x, aim_y) (negative: no target), ready to update.
struct Chain {
    Chain(double speed, int angle, int homing_start, int homing_length, int turn_limit, int x,
          int y, int aim_x, int aim_y)
        : beam(KIND_ENEMY_ATTACK, 800, 480, 4, speed, 0, angle, homing_start, homing_length,
               turn_limit) {
        beam.fire(picture.get(), x, y, aim_x, aim_y, 2, 2);
        beam.setPower(1);
        beam.launchAll();
    }
    decltype(blankTexture(8, 8)) picture = blankTexture(8, 8);
    LeadBeam beam;
};

TEST(LazerPatternTest, FiringPlacesTheBeamAndSavesItsAreaRefiringStartsOver) {
    auto picture = blankTexture(16, 4);
    Lazer lazer(KIND_ENEMY_ATTACK, 800, 480, 2, 1, 3, 60);
    lazer.fire(picture.get(), 300, 200, -1, -1, 0, 1);
    lazer.setPower(1);
    lazer.launchAll();
    EXPECT_EQ(lazer.beam().getX(), 300);
    lazer.update(0, 0);
    EXPECT_EQ(lazer.beam().getHitRect(), (HitRect{268, 199, 300, 201}));
    for (int i = 0; i < 200 && !lazer.allGone(); ++i) {
        lazer.update(0, 0);
    }
    ASSERT_TRUE(lazer.allGone());
    lazer.fire(picture.get(), 500, 100, -1, -1, 0, 1);
    lazer.launchAll();
    EXPECT_EQ(lazer.beam().getPhase(), 0);
    EXPECT_EQ(lazer.beam().getScaleY(), 1);
    lazer.update(0, 0);
    EXPECT_EQ(lazer.beam().getHitRect(), (HitRect{468, 99, 500, 101}));
    // A laser hits every frame it overlaps.
    Target player(480, 100);
    EXPECT_TRUE(lazer.hitTarget(player));
    EXPECT_TRUE(lazer.hitTarget(player));
    EXPECT_EQ(player.getHp(), 998);
}

TEST(LeadBeamTest, TurnsTheShortWayRoundByAtMostTheLimit) {
    EXPECT_EQ(LeadBeam::turnTowards(350, 10, 3), 353);
    EXPECT_EQ(LeadBeam::turnTowards(10, 350, 3), 7);
    EXPECT_EQ(LeadBeam::turnTowards(1, 359, 3), 358);
    EXPECT_EQ(LeadBeam::turnTowards(180, 90, 3), 177);
    EXPECT_EQ(LeadBeam::turnTowards(90, 180, 3), 93);
    EXPECT_EQ(LeadBeam::turnTowards(180, 182, 3), 182);  // within the limit: straight there
    EXPECT_EQ(LeadBeam::turnTowards(0, 200, 0), 200);    // no limit
}

TEST(LeadBeamTest, AChainThatLostASegmentFliesOnAndLeavesTheField) {
    // A segment that hit the player (or was cancelled) is gone; the rest must
    // not stop where they are, or the chain and its enemy never finish.
    Chain chain(5, 180, 2, 3, 3, 400, 240, -1, -1);
    LeadBeam& beam = chain.beam;
    beam.update(-1, -1);
    beam.getAttacks()[1]->kill();
    const int before = beam.getAttacks()[0]->getX();
    EXPECT_FALSE(beam.update(-1, -1));
    EXPECT_LT(beam.getAttacks()[0]->getX(), before);  // still flying left
    int updates = 0;
    while (!beam.allGone() && updates < 1000) {
        beam.update(-1, -1);
        ++updates;
    }
    EXPECT_TRUE(beam.allGone());
    EXPECT_LT(updates, 200);
}

TEST(LeadBeamTest, AChainFiredStraightLeftStaysOnItsRow) {
    Chain chain(3, 180, 0, 0, 3, 780, 240, -1, -1);
    LeadBeam& beam = chain.beam;
    int updates = 0;
    while (!beam.update(-1, -1)) {
        for (const auto& segment : beam.getAttacks())
            ASSERT_EQ(segment->getY(), 240) << updates;
        ASSERT_LT(++updates, 1000);
    }
    EXPECT_GT(updates, 250);  // it crossed the field
}

TEST(LeadBeamTest, ASlowTurnBringsTheHeadDownOntoATargetBelow) {
    // Level flight 60 pixels above the target, turning 1 degree a frame: the
    // head comes down by less than a pixel a frame for a long while, and
    // still reaches the target's row and hits it.
    Chain chain(2, 180, 0, 1000, 1, 780, 200, 100, 260);
    LeadBeam& beam = chain.beam;
    Target player(100, 260);
    bool hit = false;
    int lowest = 200;
    for (int i = 0; i < 1000 && !hit && !beam.allGone(); ++i) {
        beam.update(player.getX(), player.getY());
        lowest = std::max(lowest, beam.getAttacks()[0]->getY());
        hit = beam.hitTarget(player);
    }
    EXPECT_TRUE(hit) << "lowest row " << lowest;
    EXPECT_GE(lowest, 250);
}

TEST(LeadBeamTest, SegmentsFollowTheHeadsPathAndTheChainEndsPastTheField) {
    Chain chain(5, 180, 2, 3, 3, 400, 240, 100, 400);
    LeadBeam& beam = chain.beam;
    // Where segment 0 stands after each update (the head before it moved).
    std::vector<std::pair<int, int>> seg0;
    for (int i = 0; i < 6; ++i) {
        EXPECT_FALSE(beam.update(100, 400));
        seg0.emplace_back(beam.getAttacks()[0]->getX(), beam.getAttacks()[0]->getY());
    }
    EXPECT_EQ(seg0[0], std::make_pair(400, 240));
    // Segment j + 1 stands at trail entry j: where segment 0 stood j frames earlier.
    for (std::size_t j = 1; j < 4; ++j) {
        EXPECT_EQ(beam.getAttacks()[j]->getX(), seg0[6 - j].first) << j;
        EXPECT_EQ(beam.getAttacks()[j]->getY(), seg0[6 - j].second) << j;
    }
    // It homes only on its third and fourth updates, turning 3 degrees each
    // time from 180 towards the target below on the left (about 151 degrees).
    EXPECT_EQ(beam.getAngle(), 174);
    EXPECT_EQ(static_cast<BeamObject&>(*beam.getAttacks()[0]).getAngle(), 174);
    int updates = 0;
    while (!beam.update(100, 400)) {
        ASSERT_LT(++updates, 1000);
    }
    EXPECT_TRUE(beam.allGone());
    EXPECT_LT(beam.getAttacks()[3]->getX(), -8);
    // Finished chains report so at once.
    EXPECT_TRUE(beam.update(100, 400));
}

TEST(SpecialFlyingPanTest, RisesDropsToTheFloorThenSways) {
    auto picture = blankTexture(20, 20);
    SpecialFlyingPan special(KIND_ENEMY_ATTACK, 800, 480, 480);
    special.fire(picture.get(), 600, 10, -1, -1, 0, 0);
    special.launchAll();
    ManualFlyingPan& pan = special.pan();
    special.update(0, 0);
    EXPECT_EQ(pan.getX(), 599);
    EXPECT_EQ(pan.getY(), 8);
    while (special.getPhase() == 0) {
        special.update(0, 0);
    }
    EXPECT_EQ(pan.getY(), -2);
    EXPECT_EQ(pan.getX(), 594);
    while (special.getPhase() == 1) {
        EXPECT_FALSE(special.update(0, 0));
    }
    EXPECT_EQ(pan.getY(), 473);  // 473 + 10 is the first step past the floor
    std::vector<int> xs;
    for (int i = 0; i < 101; ++i) {
        EXPECT_FALSE(special.update(0, 0));
        xs.push_back(pan.getX());
    }
    EXPECT_EQ(xs[49], 594 + 50);
    EXPECT_EQ(xs[99], 594);
    EXPECT_EQ(xs[100], 595);
    EXPECT_FALSE(special.allGone());
}

TEST(FlareTest, EachFiringAddsAFlameAndOnlyNewFlamesLaunch) {
    auto picture = blankTexture(16, 16);
    Flare flare(KIND_PLAYER_ATTACK, 800, 480, 3, 0, 0, 0, 5);
    EXPECT_TRUE(flare.getAttacks().empty());
    flare.fire(picture.get(), 100, 200, -1, -1, 2, 2);
    flare.launchAll();
    for (int i = 0; i < 5; ++i) {
        flare.update(-1, -1);
    }
    ASSERT_EQ(flare.getAttacks()[0]->getState(), STATE_GONE);
    flare.fire(picture.get(), 100, 250, -1, -1, 2, 2);
    flare.launchAll();
    // The burnt-out flame was dropped; the new one flies.
    ASSERT_EQ(flare.getAttacks().size(), 1u);
    EXPECT_EQ(flare.getAttacks()[0]->getState(), STATE_ACTIVE);
    EXPECT_EQ(flare.getAttacks()[0]->getY(), 250);
    flare.fire(picture.get(), 100, 300, -1, -1, 2, 2);
    flare.launchAll();
    EXPECT_EQ(flare.getAttacks().size(), 2u);
}

TEST(FireBallTest, DriftsHurtsByTheRulesAndEndsPastAnyEdge) {
    auto picture = blankTexture(32, 32);
    FireBall ball(KIND_ENEMY_ATTACK, 800, 480, -1, 1, 5, 1);
    EXPECT_TRUE(ball.allStandby());
    EXPECT_FALSE(ball.allGone());
    Target player(400, 240);
    EXPECT_FALSE(ball.hitTarget(player));  // not fired
    ball.fire(picture.get(), 400, 240, -1, -1, 3, 3);
    EXPECT_TRUE(ball.allActive());
    EXPECT_EQ(ball.getHitRect(), (HitRect{387, 227, 413, 253}));
    EXPECT_TRUE(ball.hitTarget(player));
    EXPECT_EQ(player.getHp(), 990);
    TestEnemy enemy;
    enemy.appear(400, 240);
    enemy.setHitArea(-10, -10, 10, 10);
    enemy.setHp(50);
    EXPECT_FALSE(ball.hitTarget(enemy));  // enemy fire never hurts enemies
    EXPECT_FALSE(ball.update(0, 0));
    EXPECT_EQ(ball.getHitRect().left, 386);
    // Down and left at 1 pixel a frame: the bottom edge (240 + n - 8 > 480) comes first.
    int updates = 1;
    while (!ball.update(0, 0)) {
        ++updates;
    }
    EXPECT_EQ(updates + 1, 249);  // the first update was counted separately
    EXPECT_TRUE(ball.allGone());
}

TEST(SlushTest, TheLeadingCopyHitsAndTheBladeEndsWithItsLastCopy) {
    auto picture = blankTexture(40, 40);
    Slush blade(KIND_ENEMY_ATTACK, 800, 480, 10, 180, 8, 3);
    blade.fire(picture.get(), 600, 240, -1, -1, 10, 10);
    EXPECT_TRUE(blade.allActive());
    Target far_player(520, 240);
    EXPECT_FALSE(blade.hitTarget(far_player));
    // The first copy leaves on the first update and moves 10 a frame from the next.
    for (int i = 0; i < 8; ++i) {
        blade.update(0, 0);
    }
    // (The degree table's sine of 180 is a hair below 0, so the blade sits one pixel high.)
    EXPECT_EQ(blade.getHitRect(), (HitRect{520, 229, 540, 249}));
    EXPECT_TRUE(blade.hitTarget(far_player));
    EXPECT_EQ(far_player.getHp(), 990);
    int updates = 8;
    while (!blade.update(0, 0)) {
        ASSERT_LT(++updates, 100);
    }
    EXPECT_TRUE(blade.allGone());
    EXPECT_FALSE(blade.hitTarget(far_player));
}

}  // namespace
