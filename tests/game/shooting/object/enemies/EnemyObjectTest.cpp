// Enemies: waiting, the damage flash, the explosion, the carried item and
// staying until the bullets are gone.
#include <gtest/gtest.h>

#include "engine/graphics/DirectGraphics.h"
#include "tests/game/shooting/object/ObjectTestSupport.h"

namespace {

using namespace mirelune::test;
using namespace ml::shooting::object;

class EnemyTest : public testing::Test {
  protected:
    void SetUp() override {
        enemy.adoptTexture(blankSheet(4, 32, 32));
        enemy.setHitAreaFromTexture(3);
        enemy.setExplosionTexture(blankSheet(12, 64, 64));
        enemy.setDamageTexture(blankSheet(4, 32, 32));
        enemy.setSound(&smash);
        enemy.setHp(2);
    }
    // Adds a pattern of one bullet that flies left at 4 pixels a frame from
    // (x, y) when fired.
    TestSkill& addSkill() {
        auto skill = std::make_unique<TestSkill>(KIND_ENEMY_ATTACK, 1, true, -4);
        TestSkill& ref = *skill;
        enemy.addSkill(std::move(skill));
        return ref;
    }
    void fire(TestSkill& skill, int px) {
        skill.fire(bullet.get(), px, 240, -1, -1, 0, 0);
        skill.launchAll();
    }
    // Updates until the enemy reports itself finished; the number of updates.
    int updatesUntilFinished(int limit = 1000) {
        for (int n = 1; n <= limit; ++n) {
            if (enemy.update(100, 240)) {
                return n;
            }
        }
        return -1;
    }

    std::unique_ptr<veru::dxt::material::Texture> bullet = blankTexture(8, 8);
    CountingSound smash;
    TestEnemy enemy;
};

TEST_F(EnemyTest, WaitsUnseenUntilItAppears) {
    int moves = 0;
    enemy.onMove = [&](TestEnemy&, int, int) { ++moves; };
    veru::dxt::DirectGraphics graphics(testDevice());
    EXPECT_FALSE(enemy.update(0, 0));
    enemy.draw(graphics);
    EXPECT_EQ(graphics.queuedSprites(), 0u);
    EXPECT_EQ(moves, 0);
    enemy.appear(800, 120);
    EXPECT_EQ(enemy.getState(), STATE_ACTIVE);
    EXPECT_EQ(enemy.getX(), 800);
    EXPECT_FALSE(enemy.update(0, 0));
    EXPECT_EQ(moves, 1);
    enemy.draw(graphics);
    EXPECT_EQ(graphics.queuedSprites(), 1u);
    enemy.setLevel(LEVEL_3);
    EXPECT_EQ(enemy.applied, LEVEL_3);
    EXPECT_EQ(enemy.getLevel(), LEVEL_3);
}

TEST_F(EnemyTest, KilledBeforeFiringIsRemovedWhenTheExplosionEnds) {
    TestSkill& unfired = addSkill();
    enemy.appear(400, 240);
    enemy.damage(5);
    EXPECT_EQ(enemy.kills, 1);
    EXPECT_EQ(smash.plays, 1);
    EXPECT_EQ(enemy.getState(), STATE_DYING);
    EXPECT_TRUE(unfired.allGone());  // cancelled: it never fired
    // Twelve cells, one every third frame: the 36th update wraps to the first cell.
    EXPECT_EQ(updatesUntilFinished(), 36);
}

TEST_F(EnemyTest, KilledWithBulletsInFlightStaysUntilTheyAreGone) {
    TestSkill& fired = addSkill();
    TestSkill& unfired = addSkill();
    enemy.appear(400, 240);
    fire(fired, 400);
    enemy.update(100, 240);
    enemy.damage(2);
    EXPECT_TRUE(unfired.allGone());
    EXPECT_EQ(fired.at(0).getState(), STATE_ACTIVE);  // keeps flying
    // The bullet, at 396 after one update, leaves the field 8 pixels beyond x = 0.
    int n = updatesUntilFinished();
    EXPECT_EQ(n, (396 + 8) / 4 + 1);
    EXPECT_EQ(fired.at(0).getState(), STATE_GONE);
}

TEST_F(EnemyTest, PutOffTheFieldBeforeFiringIsRemovedAtOnce) {
    // Far below the field: it leaves on its first update, before any
    // pattern fired; those it never fired must not keep it (and the stage)
    // waiting.
    TestSkill& unfired = addSkill();
    TestSkill& fired = addSkill();
    enemy.appear(400, 240);
    fire(fired, 400);
    enemy.setPosition(400, 2000);
    EXPECT_FALSE(enemy.update(100, 240)) << "its fired bullet still flies";
    EXPECT_EQ(enemy.getState(), STATE_GONE);
    EXPECT_TRUE(unfired.allGone());
    EXPECT_EQ(fired.at(0).getState(), STATE_ACTIVE);
    EXPECT_GT(updatesUntilFinished(), 0);

    TestEnemy below;
    below.adoptTexture(blankSheet(4, 32, 32));
    auto skill = std::make_unique<TestSkill>(KIND_ENEMY_ATTACK, 1, true, -4);
    TestSkill& never = *skill;
    below.addSkill(std::move(skill));
    below.appear(800, 100000);
    below.update(100, 240);
    EXPECT_TRUE(never.allGone());
    EXPECT_TRUE(below.update(100, 240)) << "nothing left of it: removed";

    // A pattern half launched when its enemy left: the bullet in flight flies
    // on, the one never launched is dropped, and the enemy is removed once
    // the flying one is gone.
    TestEnemy half;
    half.adoptTexture(blankSheet(4, 32, 32));
    auto pair = std::make_unique<TestSkill>(KIND_ENEMY_ATTACK, 2, true, -4);
    TestSkill& two = *pair;
    half.addSkill(std::move(pair));
    half.appear(400, 240);
    two.fire(bullet.get(), 400, 240, -1, -1, 0, 0);
    two.at(0).launch();
    half.setPosition(400, 2000);
    half.update(100, 240);
    EXPECT_EQ(two.at(0).getState(), STATE_ACTIVE);
    EXPECT_EQ(two.at(1).getState(), STATE_GONE);
    int n = 0;
    while (!half.update(100, 240) && n < 1000)
        ++n;
    EXPECT_LT(n, 1000) << "held for ever by the bullet never launched";
}

TEST_F(EnemyTest, DamageFlashFadesAndOnlyWhileAlive) {
    enemy.setHp(3);
    enemy.appear(400, 240);
    enemy.damage(1);
    EXPECT_EQ(enemy.getFlashAlpha(), 100);
    std::vector<int> alphas;
    for (int i = 0; i < 7; ++i) {
        enemy.update(0, 0);
        alphas.push_back(enemy.getFlashAlpha());
    }
    EXPECT_EQ(alphas, (std::vector<int>{80, 60, 40, 20, 0, -20, -20}));
    enemy.damage(2);  // the last hit point: no flash
    EXPECT_EQ(enemy.getFlashAlpha(), -20);
}

TEST_F(EnemyTest, DropsItsItemWhereItDiesAndLetsGoOfIt) {
    TestItem item;
    enemy.setItem(&item);
    enemy.appear(300, 200);
    enemy.damage(2);
    EXPECT_EQ(item.getState(), STATE_ACTIVE);
    EXPECT_EQ(item.getX(), 300);
    EXPECT_EQ(item.getY(), 200);
    EXPECT_EQ(enemy.getItem(), nullptr);
}

TEST_F(EnemyTest, LeavingTheFieldKillsTheItemUnseen) {
    TestItem item;
    enemy.setItem(&item);
    enemy.onMove = [](TestEnemy& e, int, int) { e.setX(e.getX() - 50); };
    enemy.appear(60, 200);
    EXPECT_FALSE(enemy.update(0, 0));  // x 10: still within a cell of the edge
    EXPECT_TRUE(enemy.update(0, 0));   // x -40: gone, no bullets
    EXPECT_EQ(item.getState(), STATE_GONE);
    EXPECT_EQ(item.getX(), -1000);
    EXPECT_EQ(enemy.getItem(), nullptr);
    EXPECT_EQ(enemy.kills, 0);
}

}  // namespace
