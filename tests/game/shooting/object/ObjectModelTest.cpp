// The object model: hit areas, the collision rule, damage, counters, levels,
// skills held by characters, items.
#include <gtest/gtest.h>

#include "engine/exceptions/NullPointerException.h"
#include "tests/game/shooting/object/ObjectTestSupport.h"

namespace {

using namespace mirelune::test;
using namespace ml::shooting::object;

// An object of any kind at (x, y) with the hit area (-h, -h, h, h).
struct Box : TestItem {
    Box(int kind_, int px, int py, int h, int st = STATE_ACTIVE) {
        kind = kind_;
        state = st;
        setPosition(px, py);
        setHitArea(-h, -h, h, h);
    }
};

TEST(CollisionTest, RectanglesOnlyTouchingDoNotCollide) {
    Box a(KIND_PLAYER, 100, 100, 10);
    Box right_edge(KIND_ENEMY, 120, 100, 10);  // a.right == b.left
    Box below(KIND_ENEMY, 100, 120, 10);       // a.bottom == b.top
    Box corner(KIND_ENEMY, 119, 119, 10);      // one pixel of overlap each way
    EXPECT_FALSE(a.isHit(right_edge));
    EXPECT_FALSE(right_edge.isHit(a));
    EXPECT_FALSE(a.isHit(below));
    EXPECT_TRUE(a.isHit(corner));
    EXPECT_TRUE(corner.isHit(a));
}

TEST(CollisionTest, KindRulesAndTheOtherObjectsState) {
    Box player(KIND_PLAYER, 100, 100, 10);
    Box own_shot(KIND_PLAYER_ATTACK, 100, 100, 10);
    Box enemy(KIND_ENEMY, 100, 100, 10);
    Box enemy2(KIND_ENEMY, 100, 100, 10);
    Box enemy_shot(KIND_ENEMY_ATTACK, 100, 100, 10);
    Box bomb(KIND_BOMB_ATTACK, 100, 100, 10);
    Box item(KIND_ITEM, 100, 100, 10);
    // Never, in either order.
    EXPECT_FALSE(player.isHit(own_shot));
    EXPECT_FALSE(own_shot.isHit(player));
    EXPECT_FALSE(enemy.isHit(enemy_shot));
    EXPECT_FALSE(enemy_shot.isHit(enemy));
    EXPECT_FALSE(enemy.isHit(enemy2));
    // The pairs the game tests.
    EXPECT_TRUE(own_shot.isHit(enemy));
    EXPECT_TRUE(enemy_shot.isHit(player));
    EXPECT_TRUE(player.isHit(enemy));
    EXPECT_TRUE(player.isHit(item));
    EXPECT_TRUE(bomb.isHit(enemy_shot));
    // Only the other's state counts: active or pinch.
    for (int st : {STATE_STANDBY, STATE_READY, STATE_ENTRY, STATE_REENTRY, STATE_CHANGE,
                   STATE_DYING, STATE_GONE, STATE_RECOVER, STATE_BOMB}) {
        enemy.setState(st);
        EXPECT_FALSE(own_shot.isHit(enemy)) << std::hex << st;
    }
    enemy.setState(STATE_PINCH);
    EXPECT_TRUE(own_shot.isHit(enemy));
    own_shot.setState(STATE_GONE);
    EXPECT_TRUE(own_shot.isHit(enemy));  // the caller checks its own object
}

TEST(HitAreaTest, FromTextureWithMarginsAndWithoutTexture) {
    TestItem item;
    try {
        item.setHitAreaFromTexture(1, 1);
        FAIL() << "no exception";
    } catch (const veru::excp::NullPointerException& e) {
        EXPECT_EQ(e.getMessage(), u"テクスチャがセットされていません。");
    }
    auto picture = blankTexture(25, 24);
    item.setTexture(picture.get());
    item.setHitAreaFromTexture(3, 6);
    EXPECT_EQ(item.getHitLeft(), -9);
    EXPECT_EQ(item.getHitTop(), -6);
    EXPECT_EQ(item.getHitRight(), 9);
    EXPECT_EQ(item.getHitBottom(), 6);
    item.setPosition(100, 50);
    EXPECT_EQ(item.getHitRect(), (HitRect{91, 44, 109, 56}));

    // One cell of a sheet, and the character's single margin.
    TestEnemy bat;
    bat.adoptTexture(blankSheet(4, 32, 32));
    bat.setHitAreaFromTexture(3);
    EXPECT_EQ(bat.getHitRect().right - bat.getHitRect().left, 26);
    EXPECT_EQ(bat.getHitTop(), -13);
}

TEST(DamageTest, PastZeroKillsOnceAndAgainOnALaterHit) {
    TestPlayer p;
    p.setHp(3);
    p.setState(STATE_ACTIVE);
    p.damage(1);
    EXPECT_EQ(p.getHp(), 2);
    EXPECT_EQ(p.kills, 0);
    p.damage(100);
    EXPECT_EQ(p.getHp(), 0);
    EXPECT_EQ(p.getState(), STATE_DYING);
    EXPECT_EQ(p.kills, 1);
    p.damage(1);
    EXPECT_EQ(p.kills, 2);
}

TEST(CounterTest, FrameCounterWrapsPast30000) {
    TestItem item;
    item.setFrame(29999);
    item.countFrame();
    EXPECT_EQ(item.getFrame(), 30000);
    item.countFrame();
    EXPECT_EQ(item.getFrame(), 0);
    item.countFrame(5);
    EXPECT_EQ(item.getFrame(), 5);

    TestEnemy e;
    e.setMoveFrame(29999);
    e.countMoveFrame(2);
    EXPECT_EQ(e.getMoveFrame(), 0);
    e.setMoveFrame(-30000);
    e.countMoveFrameDown();
    EXPECT_EQ(e.getMoveFrame(), 0);
}

TEST(FieldTest, GoneOnlyAFullCellBeyondAnEdge) {
    auto picture = blankTexture(24, 16);
    struct Case {
        int x, y;
        bool gone;
    } cases[] = {
        {-24, 240, false}, {-25, 240, true}, {824, 240, false}, {825, 240, true},
        {400, -16, false}, {400, -17, true}, {400, 496, false}, {400, 497, true},
    };
    for (const auto& c : cases) {
        TestItem item;
        item.setTexture(picture.get());
        item.setState(STATE_ACTIVE);
        item.setPosition(c.x, c.y);
        item.checkOutOfField();
        EXPECT_EQ(item.getState() == STATE_GONE, c.gone) << c.x << "," << c.y;
    }
}

TEST(LevelTest, StepsWithinTheFiveLevelsOnly) {
    TestPlayer p;
    EXPECT_FALSE(p.levelDown());
    for (int expected = LEVEL_2; expected <= LEVEL_5; ++expected) {
        EXPECT_TRUE(p.levelUp());
        EXPECT_EQ(p.getLevel(), expected);
    }
    EXPECT_FALSE(p.levelUp());
    EXPECT_EQ(p.getLevel(), LEVEL_5);
    EXPECT_TRUE(p.levelDown());
    EXPECT_EQ(p.getLevel(), LEVEL_4);
    for (int odd : {0, LEVEL_1 - 1, LEVEL_5 + 1}) {
        p.setLevel(odd);
        EXPECT_FALSE(p.levelUp());
        EXPECT_FALSE(p.levelDown());
        EXPECT_EQ(p.getLevel(), odd);
    }
}

TEST(SkillHolderTest, FinishedSkillsAreDroppedAndTheNextTakesTheirIndex) {
    auto picture = blankTexture(8, 8);
    TestPlayer p;
    // Skills 0 and 2 leave the field at once; skill 1 stays.
    for (int origin_x : {790, 400, 795}) {
        auto skill = std::make_unique<TestSkill>(KIND_PLAYER_ATTACK, 2, true, 30);
        skill->fire(picture.get(), origin_x, 240, -1, -1, 0, 0);
        skill->launchAll();
        p.addSkill(std::move(skill));
    }
    ISkill* middle = p.getSkills()[1].get();
    p.updateFreeSkills();
    ASSERT_EQ(p.getSkills().size(), 1u);
    EXPECT_EQ(p.getSkills()[0].get(), middle);
    EXPECT_FALSE(p.updateSkills(-1, -1));
    for (int i = 0; i < 20; ++i) {
        p.updateFreeSkills();
    }
    EXPECT_TRUE(p.getSkills().empty());
    EXPECT_TRUE(p.updateSkills(-1, -1));  // none left: all gone
}

TEST(SkillHolderTest, HitBySkillsStopsAtTheFirstSkillThatHit) {
    auto picture = blankTexture(8, 8);
    TestPlayer p;
    for (int i = 0; i < 2; ++i) {
        auto skill = std::make_unique<TestSkill>(KIND_PLAYER_ATTACK, 1);
        skill->fire(picture.get(), 300, 200, -1, -1, 0, 0);
        skill->launchAll();
        skill->setPower(1);
        p.addSkill(std::move(skill));
    }
    TestEnemy e;
    e.appear(300, 200);
    e.setHitArea(-10, -10, 10, 10);
    e.setHp(10);
    EXPECT_TRUE(p.hitBySkills(e));
    EXPECT_EQ(e.getHp(), 9);  // the second skill was not asked
    EXPECT_EQ(p.getSkills()[0]->getAttacks()[0]->getState(), STATE_GONE);
    EXPECT_NE(p.getSkills()[1]->getAttacks()[0]->getState(), STATE_GONE);
    e.setState(STATE_DYING);
    EXPECT_FALSE(p.hitBySkills(e));
}

TEST(ItemTest, DriftsOffAtIts35thUpdateAndIsRemovedOnTheNext) {
    TestItem item;
    item.adoptTexture(blankTexture(24, 24));
    EXPECT_FALSE(item.update());  // waiting: nothing happens
    EXPECT_EQ(item.getX(), -1000);
    item.setPosition(10, 200);
    item.setState(STATE_ACTIVE);
    for (int n = 1; n <= 34; ++n) {
        EXPECT_FALSE(item.update());
        ASSERT_EQ(item.getState(), STATE_ACTIVE) << n;
    }
    EXPECT_FALSE(item.update());
    EXPECT_EQ(item.getState(), STATE_GONE);
    EXPECT_TRUE(item.update());
}

}  // namespace
