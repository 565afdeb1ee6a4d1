// The 24 bats: their numbers at each difficulty, the factory, and when each
// behaviour group stops, fires and flies on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/shooting/object/enemies/BatFactory.h"
#include "game/shooting/object/enemies/LaserBat.h"
#include "game/shooting/object/enemies/PeriodicBat.h"
#include "game/shooting/object/enemies/SequenceBat.h"
#include "game/shooting/object/enemies/VolleyBat.h"
#include "tests/game/shooting/object/enemies/EnemyTestSupport.h"

namespace {

using namespace mirelune::test;
using obj::Bat;

constexpr int EASY = obj::LEVEL_1;
constexpr int NORMAL = obj::LEVEL_2;
constexpr int HARD = obj::LEVEL_3;

enum Group { SEQ, VOL, PER, LAS };

// The design numbers of every bat, written out here apart from the game's
// own table: hit points, +2 on hard, score, bullet picture, group, speed,
// patterns built at easy / normal / hard, volley interval.
struct Expected {
    int hp;
    bool plus2;
    int score;
    const char* bullets;
    Group group;
    int speed;
    int skills[3];
    int interval;
};

const Expected expected[24] = {
    {2, true, 500, "img/arc_red_bullet.ytx", SEQ, 2, {1, 3, 5}, 10},
    {4, true, 1000, "img/arc_red_bullet.ytx", SEQ, 3, {3, 5, 7}, 10},
    {5, true, 1500, "img/arc_red.ytx", SEQ, 2, {1, 3, 5}, 20},
    {4, true, 2000, "img/arc_ice_bullet.ytx", SEQ, 2, {1, 3, 5}, 10},
    {5, true, 2500, "img/arc_ice_bullet.ytx", SEQ, 3, {3, 5, 7}, 10},
    {6, true, 3000, "img/arc_ice.ytx", SEQ, 2, {1, 3, 5}, 20},
    {4, true, 3500, "img/arc_green_bullet.ytx", SEQ, 2, {1, 1, 1}, 0},
    {5, true, 4000, "img/arc_green.ytx", SEQ, 2, {1, 1, 1}, 0},
    {5, true, 4500, "img/arc_yerrow_bullet.ytx", SEQ, 2, {1, 1, 1}, 0},
    {5, true, 5000, "img/arc_yerrow.ytx", SEQ, 2, {1, 1, 1}, 0},
    {6, true, 5500, "img/arc_yerrow_bullet.ytx", SEQ, 2, {2, 2, 2}, 30},
    {6, true, 6000, "img/arc_yerrow.ytx", SEQ, 2, {2, 2, 2}, 30},
    {6, true, 6500, "img/arc_yerrow_bullet.ytx", SEQ, 2, {3, 3, 3}, 30},
    {6, true, 7000, "img/arc_yerrow.ytx", SEQ, 2, {3, 3, 3}, 30},
    {7, false, 7500, "img/beam_unit.ytx", VOL, 2, {1, 1, 1}, 0},
    {7, false, 8000, "img/beam_unit.ytx", VOL, 2, {3, 3, 3}, 0},
    {7, false, 8500, "img/beam_unit.ytx", VOL, 2, {5, 5, 5}, 0},
    {7, true, 9000, "img/flare.ytx", VOL, 2, {1, 1, 1}, 0},
    {7, true, 9500, "img/flare.ytx", PER, 2, {0, 0, 0}, 0},
    {7, false, 10000, "img/lazer.ytx", LAS, 5, {1, 1, 1}, 0},
    {10, false, 10500, "img/lazer.ytx", LAS, 5, {1, 1, 1}, 0},
    {10, false, 11000, "img/arc_blue.ytx", LAS, 5, {2, 2, 2}, 0},
    {10, false, 11500, "img/arc_blue.ytx", LAS, 5, {4, 4, 4}, 0},
    {10, false, 12000, "img/arc_blue_bullet.ytx", LAS, 5, {3, 3, 3}, 0},
};

Group groupOf(const Bat& bat) {
    if (dynamic_cast<const obj::SequenceBat*>(&bat))
        return SEQ;
    if (dynamic_cast<const obj::VolleyBat*>(&bat))
        return VOL;
    if (dynamic_cast<const obj::PeriodicBat*>(&bat))
        return PER;
    return LAS;
}

std::string ansi(const char16_t* text) {
    std::string out;
    for (; *text; ++text)
        out.push_back(static_cast<char>(*text));
    return out;
}

class BatTest : public ::testing::Test {
  protected:
    // Built, loaded and levelled as the stage script does it.
    std::unique_ptr<Bat> makeBat(const std::string& name, int level) {
        auto enemy = obj::createBat(name, 800, 480);
        auto* bat = dynamic_cast<Bat*>(enemy.get());
        EXPECT_NE(bat, nullptr) << name;
        enemy.release();
        std::unique_ptr<Bat> owned(bat);
        owned->loadTextures(GameFolder::device());
        owned->loadSounds(folder.sounds());
        owned->setLevel(level);
        return owned;
    }

    // Whether skill i has fired (any of its attacks left STATE_STANDBY).
    static std::vector<bool> fired(const Bat& bat) {
        std::vector<bool> out;
        for (const auto& skill : bat.getSkills())
            out.push_back(!skill->allStandby());
        return out;
    }

    GameFolder folder;
};

TEST_F(BatTest, EveryRowMatchesTheDesignNumbers) {
    for (int n = 1; n <= 24; ++n) {
        const Expected& e = expected[n - 1];
        const std::string name = "Bat" + std::to_string(n);
        SCOPED_TRACE(name);
        const int levels[3] = {EASY, NORMAL, HARD};
        for (int d = 0; d < 3; ++d) {
            auto bat = makeBat(name, levels[d]);
            ASSERT_TRUE(bat);
            const int hp = d == 0 ? e.hp >> 1 : (d == 2 && e.plus2 ? e.hp + 2 : e.hp);
            EXPECT_EQ(bat->getHp(), hp) << "difficulty " << d;
            EXPECT_EQ(static_cast<int>(bat->getSkills().size()), e.skills[d]) << "difficulty " << d;
            EXPECT_EQ(bat->getScore(), e.score);
            EXPECT_EQ(bat->getBaseSpeed(), e.speed);
            EXPECT_EQ(groupOf(*bat), e.group);
            EXPECT_EQ(ansi(bat->getRow().bulletPicture), e.bullets);
            EXPECT_EQ(bat->getRow().interval, e.interval);
            EXPECT_EQ(bat->getState(), obj::STATE_STANDBY);
        }
    }
}

TEST_F(BatTest, FactoryKnowsExactlyTheTwentyFourNames) {
    for (int n = 1; n <= 24; ++n) {
        auto bat = obj::createBat("Bat" + std::to_string(n), 800, 480);
        ASSERT_TRUE(bat) << n;
        EXPECT_EQ(dynamic_cast<Bat&>(*bat).getNumber(), n);
        EXPECT_TRUE(obj::createBat(Bat::nameOf(n), 800, 480)) << n;
    }
    EXPECT_STREQ(Bat::nameOf(0), "");
    EXPECT_STREQ(Bat::nameOf(25), "");
    for (const char* wrong : {"", "Bat", "Bat0", "Bat25", "Bat01", "bat1", "BAT1", "Bat1 ", " Bat1",
                              "Bat-1", "Bat1x", "Bat999999999999"}) {
        EXPECT_FALSE(obj::createBat(wrong, 800, 480)) << '"' << wrong << '"';
    }
}

TEST_F(BatTest, RepeatedSetLevelDoesNotCompound) {
    auto bat = makeBat("Bat3", EASY);
    bat->setLevel(EASY);
    EXPECT_EQ(bat->getHp(), 2);
    EXPECT_EQ(bat->getSkills().size(), 1u);
    bat->setLevel(HARD);
    EXPECT_EQ(bat->getHp(), 7);
    EXPECT_EQ(bat->getSkills().size(), 5u);
}

TEST_F(BatTest, Bat1OnNormalFiresAtThirtyFortyFiftyAndFliesOnFromFiftyOne) {
    auto bat = makeBat("Bat1", NORMAL);
    bat->appear(800, 240);
    std::vector<int> fire_frames;
    std::vector<bool> before = fired(*bat);
    int x_before = bat->getX();
    for (int move = 1; move <= 60; ++move) {
        bat->update(300, 100);
        std::vector<bool> now = fired(*bat);
        for (std::size_t i = 0; i < now.size(); ++i) {
            if (now[i] && !before[i])
                fire_frames.push_back(move);
        }
        before = now;
        const int dx = x_before - bat->getX();
        x_before = bat->getX();
        const int expected_dx = move >= 30 && move <= 50 ? 0 : 2;
        EXPECT_EQ(dx, expected_dx) << move;
    }
    EXPECT_EQ(fire_frames, (std::vector<int>{30, 40, 50}));
    EXPECT_TRUE(bat->isDone());
    EXPECT_EQ(bat->getX(), 800 - 29 * 2 - 10 * 2);
    // Every volley flew at the spot where the player was at the first one.
    for (const auto& skill : bat->getSkills()) {
        EXPECT_EQ(skill->getTargetX(), 300);
        EXPECT_EQ(skill->getTargetY(), 100);
    }
}

TEST_F(BatTest, CurrentAimFollowsThePlayerRememberedAimDoesNot) {
    auto current = makeBat("Bat4", NORMAL);
    auto remembered = makeBat("Bat1", NORMAL);
    current->appear(800, 240);
    remembered->appear(800, 240);
    for (int move = 1; move <= 45; ++move) {
        current->update(100 + move, 200);
        remembered->update(100 + move, 200);
    }
    EXPECT_EQ(current->getSkills()[0]->getTargetX(), 130);
    EXPECT_EQ(current->getSkills()[1]->getTargetX(), 140);
    EXPECT_EQ(remembered->getSkills()[1]->getTargetX(), 130);
}

TEST_F(BatTest, SinglePatternBatsFireOnceAndFlyOnTheNextFrame) {
    for (const char* name : {"Bat7", "Bat8", "Bat9"}) {
        SCOPED_TRACE(name);
        auto bat = makeBat(name, HARD);
        bat->appear(800, 240);
        run(*bat, 30);
        EXPECT_EQ(fired(*bat), std::vector<bool>{true});
        EXPECT_EQ(bat->getSpeed(), 0);
        const int x = bat->getX();
        run(*bat, 1);
        EXPECT_TRUE(bat->isDone());
        EXPECT_EQ(bat->getX(), x - 2);
    }
}

TEST_F(BatTest, RingBatsFireTheirPatternsThirtyFramesApart) {
    auto bat = makeBat("Bat13", NORMAL);
    bat->appear(800, 240);
    run(*bat, 30);
    EXPECT_EQ(fired(*bat), (std::vector<bool>{true, false, false}));
    run(*bat, 29);
    EXPECT_EQ(fired(*bat), (std::vector<bool>{true, false, false}));
    run(*bat, 1);
    EXPECT_EQ(fired(*bat), (std::vector<bool>{true, true, false}));
    run(*bat, 30);
    EXPECT_EQ(fired(*bat), (std::vector<bool>{true, true, true}));
    EXPECT_EQ(bat->getSkills()[0]->getAttacks().size(), 12u);
}

TEST_F(BatTest, VolleyBatsFireEverythingAtFiftyAndLeaveAtHundred) {
    auto bat = makeBat("Bat17", HARD);
    bat->appear(800, 240);
    run(*bat, 49);
    EXPECT_EQ(fired(*bat), std::vector<bool>(5, false));
    run(*bat, 1);
    EXPECT_EQ(fired(*bat), std::vector<bool>(5, true));
    EXPECT_EQ(bat->getSkills()[0]->getTargetX(), 100);  // the player's centre
    const int x = bat->getX();
    run(*bat, 49);
    EXPECT_EQ(bat->getX(), x);
    run(*bat, 1);
    EXPECT_TRUE(bat->isDone());
    EXPECT_EQ(bat->getX(), x - 2);
}

TEST_F(BatTest, Bat19KeepsAddingFireBallsEveryPeriod) {
    auto bat = makeBat("Bat19", HARD);
    bat->appear(800, 240);
    EXPECT_TRUE(bat->getSkills().empty());
    run(*bat, 39);
    EXPECT_TRUE(bat->getSkills().empty());
    run(*bat, 1);
    EXPECT_EQ(bat->getSkills().size(), 1u);
    run(*bat, 40 * 5);
    EXPECT_EQ(bat->getSkills().size(), 6u);
    EXPECT_EQ(bat->getX(), 800 - 2 * 240);  // never stopped
    for (const auto& ball : bat->getSkills())
        EXPECT_FALSE(ball->allStandby());
}

TEST_F(BatTest, LaserBatsTwentyAndTwentyOneBackAwayToTheRightAfterTheLaser) {
    for (const char* name : {"Bat20", "Bat21"}) {
        SCOPED_TRACE(name);
        auto bat = makeBat(name, EASY);
        bat->appear(800, 240);
        run(*bat, 10);
        EXPECT_EQ(bat->getX(), 800 - 5 * 9);
        EXPECT_EQ(fired(*bat), std::vector<bool>{true});
        int frames = 0;
        while (!bat->isDone() && frames < 1000) {
            bat->update(100, 240);
            ++frames;
        }
        ASSERT_TRUE(bat->isDone());
        EXPECT_TRUE(bat->getSkills()[0]->allGone());
        EXPECT_EQ(bat->getSpeed(), -2);
        const int x = bat->getX();
        run(*bat, 5);
        EXPECT_EQ(bat->getX(), x + 10);
        // It leaves at the right edge and is then removed.
        EXPECT_TRUE(run(*bat, 200));
        EXPECT_GT(bat->getX(), 800);
    }
}

TEST_F(BatTest, Bat24WaitsUntilMoveFrameHundredThenFliesOn) {
    auto bat = makeBat("Bat24", NORMAL);
    bat->appear(800, 240);
    run(*bat, 10);
    EXPECT_EQ(fired(*bat), std::vector<bool>(3, true));
    const int x = bat->getX();
    run(*bat, 89);
    EXPECT_FALSE(bat->isDone());
    EXPECT_EQ(bat->getX(), x);
    run(*bat, 1);
    EXPECT_TRUE(bat->isDone());
    EXPECT_EQ(bat->getX(), x - 5);
}

TEST_F(BatTest, KilledBeforeItsFirstVolleyCancelsEverything) {
    auto bat = makeBat("Bat2", HARD);
    bat->appear(800, 240);
    run(*bat, 10);
    bat->damage(100);
    EXPECT_EQ(bat->getState(), obj::STATE_DYING);
    for (const auto& skill : bat->getSkills())
        EXPECT_TRUE(skill->allGone());
    // Removed as soon as the 12-cell explosion (one cell every 3 frames) ends.
    EXPECT_FALSE(run(*bat, 35));
    EXPECT_TRUE(run(*bat, 1));
}

TEST_F(BatTest, KilledMidSequenceKeepsTheBulletsInFlight) {
    auto bat = makeBat("Bat1", NORMAL);
    bat->appear(800, 240);
    run(*bat, 35, 100, 240);
    bat->damage(100);
    const auto& skills = bat->getSkills();
    EXPECT_TRUE(skills[0]->allActive());
    EXPECT_TRUE(skills[1]->allGone());
    EXPECT_TRUE(skills[2]->allGone());
    // The explosion ends long before the bullet leaves; the bat stays until then.
    EXPECT_FALSE(run(*bat, 40));
    EXPECT_EQ(bat->getState(), obj::STATE_GONE);
    EXPECT_TRUE(run(*bat, 400));
    EXPECT_TRUE(skills[0]->allGone());
}

}  // namespace
