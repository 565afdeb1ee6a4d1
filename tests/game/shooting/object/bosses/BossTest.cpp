// Bosses: the entry, the phase change, the hit parts, the death, the big
// boss's transformation, the trial's boss in detail and every other boss
// fought through from entry to its end.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/effects/Random.h"
#include "engine/graphics/DirectGraphics.h"
#include "game/shooting/object/bosses/BossFactory.h"
#include "game/shooting/object/bosses/BossTable.h"
#include "game/shooting/object/bosses/Duelist.h"
#include "game/shooting/object/bosses/SampleBoss.h"
#include "game/shooting/object/bosses/Sasaki.h"
#include "game/shooting/object/bosses/Seiichirou.h"
#include "game/shooting/object/bosses/Sister.h"
#include "game/shooting/object/bosses/TrialBoss.h"
#include "game/shooting/object/patterns/StraightBullets.h"
#include "tests/game/shooting/object/enemies/EnemyTestSupport.h"

namespace {

using namespace mirelune::test;
using obj::Boss;

constexpr int EASY = obj::LEVEL_1;
constexpr int NORMAL = obj::LEVEL_2;
constexpr int HARD = obj::LEVEL_3;

// Brings a boss from its appearance to the start of the fight.
void bringIn(Boss& boss) {
    boss.appear(800, 240);
    for (int i = 0; i < 2000 && boss.getState() != obj::STATE_READY; ++i) {
        boss.update(100, 240);
    }
    ASSERT_EQ(boss.getState(), obj::STATE_READY);
    boss.start();
}

// Runs the phase change to its end.
void changePhase(Boss& boss) {
    for (int i = 0; i < 200 && boss.getState() != obj::STATE_PINCH; ++i) {
        boss.update(100, 240);
    }
    ASSERT_EQ(boss.getState(), obj::STATE_PINCH);
}

class BossTest : public ::testing::Test {
  protected:
    // Built, loaded and levelled as the stage script does it.
    std::unique_ptr<Boss> makeBoss(const std::string& name, int level) {
        auto boss = obj::createBoss(name, 800, 480);
        EXPECT_TRUE(boss) << name;
        if (boss) {
            boss->loadTextures(GameFolder::device());
            boss->loadSounds(folder.sounds());
            boss->setLevel(level);
        }
        return boss;
    }

    GameFolder folder;
};

TEST_F(BossTest, FactoryKnowsExactlyTheEightNames) {
    for (const char* name : {"Maruiyatu", "TeruTeru", "Erika", "Kiriha", "Sister", "Sasaki",
                             "Seiichirou", "TrialBoss"}) {
        auto boss = obj::createBoss(name, 800, 480);
        ASSERT_TRUE(boss) << name;
        EXPECT_EQ(boss->getState(), obj::STATE_STANDBY);
        EXPECT_EQ(boss->getKind(), obj::KIND_ENEMY);
    }
    for (const char* wrong : {"", "trialboss", "TrialBoss ", "Boss", "BigBoss", "Bat1"}) {
        EXPECT_FALSE(obj::createBoss(wrong, 800, 480)) << '"' << wrong << '"';
    }
    EXPECT_TRUE(dynamic_cast<obj::TrialBoss*>(obj::createBoss("TrialBoss", 800, 480).get()));
    // Two rows may share a class; the row decides whether a boss is big.
    EXPECT_TRUE(dynamic_cast<obj::Duelist*>(obj::createBoss("Erika", 800, 480).get()));
    EXPECT_TRUE(dynamic_cast<obj::Duelist*>(obj::createBoss("Kiriha", 800, 480).get()));
    EXPECT_TRUE(dynamic_cast<obj::SampleBoss*>(obj::createBoss("TeruTeru", 800, 480).get()));
    EXPECT_TRUE(obj::createBoss("Sister", 800, 480)->isBig());
    EXPECT_FALSE(obj::createBoss("Kiriha", 800, 480)->isBig());
}

TEST_F(BossTest, HitPointsAndScoreComeFromTheRowForEachDifficulty) {
    for (const obj::BossRow& row : obj::bossRows()) {
        SCOPED_TRACE(std::string(row.name));
        for (int level : {EASY, NORMAL, HARD}) {
            auto boss = makeBoss(std::string(row.name), level);
            const int full = row.hp.at(obj::difficultyOf(level));
            EXPECT_EQ(boss->getHp(), full);
            EXPECT_EQ(boss->getMaxHp(), full);
            EXPECT_EQ(boss->getScore(), row.score);
            EXPECT_DOUBLE_EQ(boss->getPinchRatio(), 0.34);
            boss->setLevel(level);  // a second call does not change them
            EXPECT_EQ(boss->getHp(), full);
            EXPECT_EQ(boss->getMaxHp(), full);
        }
    }
}

TEST_F(BossTest, SlidesInStopsAtItsPostWaitsAndStarts) {
    auto boss = makeBoss("TrialBoss", NORMAL);
    boss->appear(800, 240);
    EXPECT_EQ(boss->getState(), obj::STATE_ENTRY);
    EXPECT_EQ(boss->getX(), 800 + 64);  // just outside the right edge
    EXPECT_EQ(boss->getY(), 240);
    run(*boss, 164);
    EXPECT_EQ(boss->getState(), obj::STATE_ENTRY);
    run(*boss, 1);
    EXPECT_EQ(boss->getState(), obj::STATE_REENTRY);
    EXPECT_EQ(boss->getX(), 699);
    run(*boss, 1);
    EXPECT_EQ(boss->getState(), obj::STATE_READY);
    run(*boss, 100);
    EXPECT_EQ(boss->getState(), obj::STATE_READY);  // waits for the talk
    EXPECT_TRUE(boss->getSkills().empty());
    boss->start();
    EXPECT_EQ(boss->getState(), obj::STATE_ACTIVE);
}

TEST_F(BossTest, TrialBossChangesAtTheFirstHitLeavingAThirdAndIsSetToIt) {
    for (int level : {NORMAL, HARD}) {
        auto boss = makeBoss("TrialBoss", level);
        const int full = level == HARD ? 1200 : 1000;
        const int pinch = level == HARD ? 408 : 340;
        ASSERT_EQ(boss->getMaxHp(), full);
        bringIn(*boss);
        boss->damage(full - pinch - 1);
        run(*boss, 1);
        EXPECT_EQ(boss->getState(), obj::STATE_ACTIVE);
        boss->damage(7);  // now below the share
        EXPECT_EQ(boss->getHp(), pinch - 6);
        run(*boss, 1);
        EXPECT_EQ(boss->getState(), obj::STATE_CHANGE);
        EXPECT_EQ(boss->getHp(), pinch);
    }
}

TEST_F(BossTest, ThePhaseChangeFadesJumpsClearsBulletsAndCannotBeHit) {
    auto boss = makeBoss("TrialBoss", HARD);
    bringIn(*boss);
    run(*boss, 200);  // fans in flight
    ASSERT_FALSE(boss->getSkills().empty());
    boss->damage(1000);
    run(*boss, 1);
    ASSERT_EQ(boss->getState(), obj::STATE_CHANGE);

    // Nothing hits it while it changes, even a shot right on its head.
    obj::StraightBullets shot(obj::KIND_PLAYER_ATTACK, 800, 480, 1, 0);
    auto picture = solidTexture(GameFolder::device(), 8, 8, 0xFFFFFFFFu);
    std::vector<int> alphas;
    while (boss->getState() == obj::STATE_CHANGE) {
        shot.fire(picture.get(), boss->getX(), boss->getY() - 36, -1, -1, 0, 0);
        shot.setPower(1);
        shot.launchAll();
        EXPECT_FALSE(shot.hitTarget(*boss));
        boss->update(100, 240);
        alphas.push_back(boss->getFadeAlpha());
        ASSERT_LT(alphas.size(), 100u);
    }
    // 26 steps of 10 down to 0 (the last one stops at 0), then up past 254.
    ASSERT_GE(alphas.size(), 50u);
    EXPECT_EQ(alphas[0], 245);
    EXPECT_EQ(alphas[24], 5);
    EXPECT_EQ(alphas[25], 0);
    EXPECT_EQ(alphas.back(), 255);
    EXPECT_EQ(boss->getState(), obj::STATE_PINCH);
    EXPECT_EQ(boss->getX(), 700);
    EXPECT_EQ(boss->getY(), 240);
    EXPECT_TRUE(boss->getSkills().empty());
    EXPECT_EQ(boss->getHp(), 408);
    // In the pinch phase it can be hit again.
    shot.fire(picture.get(), boss->getX(), boss->getY() - 36, -1, -1, 0, 0);
    shot.setPower(1);
    shot.launchAll();
    EXPECT_TRUE(shot.hitTarget(*boss));
    EXPECT_EQ(boss->getHp(), 407);
}

TEST_F(BossTest, HitPartsTakeTheShapeAndABulletBetweenThemPasses) {
    auto boss = makeBoss("TrialBoss", NORMAL);
    bringIn(*boss);
    boss->setPosition(700, 240);
    // A 128 x 128 picture centred at (700, 240): the head square is anchored
    // at (700 - 4, 240 - 36) +-15, the body at (700, 240 + 18) 8 x 36.
    EXPECT_TRUE(boss->isHit(*playerShot(696, 204)));   // head
    EXPECT_TRUE(boss->isHit(*playerShot(700, 280)));   // body only
    EXPECT_FALSE(boss->isHit(*playerShot(715, 230)));  // right of the body, below the head
    EXPECT_FALSE(boss->isHit(*playerShot(650, 240)));  // in the picture, outside both parts
    // Touching edges do not hit: the head's right edge is at x 711.
    EXPECT_FALSE(boss->isHit(*playerShot(713, 204)));
    EXPECT_TRUE(boss->isHit(*playerShot(712, 204)));
    // Enemy bullets never hit the boss; a shot not yet flying neither.
    auto enemy_shot = playerShot(696, 204);
    enemy_shot->setKind(obj::KIND_ENEMY_ATTACK);
    EXPECT_FALSE(boss->isHit(*enemy_shot));
    auto waiting = playerShot(696, 204);
    waiting->setState(obj::STATE_STANDBY);
    EXPECT_FALSE(boss->isHit(*waiting));
}

TEST_F(BossTest, GoneAboutThreeHundredFramesAfterDeathWhileTheWreckSinks) {
    veru::dxt::effect2D::seedStageRandom(7);
    auto boss = makeBoss("TrialBoss", NORMAL);
    bringIn(*boss);
    run(*boss, 100);
    boss->damage(5000);
    EXPECT_EQ(boss->getState(), obj::STATE_DYING);
    EXPECT_TRUE(boss->getSkills().empty());  // its bullets vanish at once
    EXPECT_EQ(boss->getExplosionCount(), 1);
    const int x = boss->getX();
    const int y = boss->getY();
    int frames = 0;
    while (!boss->update(100, 240)) {
        ++frames;
        ASSERT_LT(frames, 1000);
        if (frames == 10) {
            EXPECT_EQ(boss->getX(), x + 10);
            EXPECT_EQ(boss->getY(), y + 20);
        }
    }
    EXPECT_EQ(boss->getExplosionCount(), 7);
    EXPECT_GE(frames, 280);
    EXPECT_LE(frames, 310);
    for (const auto& offset : boss->getExplosionOffsets()) {
        EXPECT_GE(offset.x, -30);
        EXPECT_LE(offset.x, 30);
    }
    veru::dxt::effect2D::useSecureRandom();
}

TEST_F(BossTest, TrialBossFiresFansEveryPeriodAndARingEveryEleventh) {
    auto boss = makeBoss("TrialBoss", EASY);
    bringIn(*boss);
    run(*boss, 69);
    EXPECT_TRUE(boss->getSkills().empty());
    run(*boss, 1);
    ASSERT_EQ(boss->getSkills().size(), 3u);  // three fans on top of each other
    EXPECT_EQ(boss->getSkills()[0]->getAttacks().size(), 3u);
    std::set<const obj::ISkill*> rings;
    for (int period = 2; period <= 11; ++period) {
        run(*boss, 70);
        for (const auto& skill : boss->getSkills()) {
            if (skill->getAttacks().size() == 10)
                rings.insert(skill.get());
        }
        EXPECT_EQ(rings.size(), period == 11 ? 1u : 0u) << period;
    }
    // It bobs up and down, turning a picture height from each edge.
    int top = 1000;
    int bottom = -1000;
    for (int i = 0; i < 400; ++i) {
        boss->update(100, 240);
        top = std::min(top, boss->getY());
        bottom = std::max(bottom, boss->getY());
    }
    EXPECT_LT(top, 128);
    EXPECT_GE(top, 125);
    EXPECT_GT(bottom, 480 - 128);
    EXPECT_LE(bottom, 480 - 128 + 3);
}

TEST_F(BossTest, TrialBossPinchSpinsSweepTheirStartAngle) {
    auto boss = makeBoss("TrialBoss", NORMAL);
    bringIn(*boss);
    boss->damage(700);
    changePhase(*boss);
    auto* trial = dynamic_cast<obj::TrialBoss*>(boss.get());
    EXPECT_EQ(trial->getFirePeriod(), 17);
    std::set<int> starts;
    int x = boss->getX();
    for (int i = 0; i < 17 * 60; ++i) {
        boss->update(100, 240);
        EXPECT_EQ(boss->getX(), x);  // it stays still
        starts.insert(boss->getMoveFrame());
    }
    EXPECT_EQ(*starts.rbegin(), 120);
    EXPECT_LE(*starts.begin(), 0);
    for (int a = 0; a <= 120; a += 5)
        EXPECT_TRUE(starts.count(a)) << a;
}

TEST_F(BossTest, BigBossTransformsInFourSteps) {
    auto boss = makeBoss("TeruTeru", NORMAL);
    auto& big = *boss;
    boss->appear(800, 240);
    EXPECT_EQ(boss->getX(), 832);
    run(*boss, 133);  // arrives, and the fade starts in the same frame
    ASSERT_EQ(boss->getState(), obj::STATE_REENTRY);
    EXPECT_EQ(big.getTransformStep(), 0);
    EXPECT_EQ(boss->getTexture()->getAlpha(), 255 - 17);
    run(*boss, 14);
    EXPECT_TRUE(big.isTransformed());
    EXPECT_EQ(big.getTransformStep(), 1);
    EXPECT_EQ(boss->getTexture()->getWidth(), 432);
    EXPECT_EQ(boss->getY(), 2 * 464);
    run(*boss, 30);
    EXPECT_EQ(big.getTransformStep(), 2);
    int frames = 0;
    while (big.getTransformStep() == 2 && frames < 100) {
        boss->update(100, 240);
        ++frames;
    }
    EXPECT_EQ(big.getTransformStep(), 3);
    EXPECT_LT(boss->getY() - 232, 0);
    EXPECT_EQ(frames, (2 * 464 - 232) / 50 + 1);
    while (boss->getState() == obj::STATE_REENTRY && frames < 1000) {
        boss->update(100, 240);
        ++frames;
    }
    EXPECT_EQ(boss->getState(), obj::STATE_READY);
    // Its parts are measured on the large picture: the first, (223, 132)
    // +-76 x 66, lies left of and above the centre.
    const auto& part = boss->getHitParts().front();
    EXPECT_EQ(part.part_x, 223 - 216);
    EXPECT_EQ(part.part_y, 132 - 232);
    // Its top would settle 100 down, but its body reaches 441 down the
    // picture: it settles with its lowest part 8 pixels above the bottom,
    // and its rightmost (359 + 53) 8 pixels inside the right edge.
    EXPECT_EQ(boss->getY(), 480 - 8 - (410 + 31 - 232));
    EXPECT_EQ(boss->getX(), 800 - 8 - (359 + 53 - 216));
    EXPECT_EQ(boss->getHitParts().size(), 7u);
}

TEST_F(BossTest, ThePhaseChangeRetimesTheFirePeriod) {
    struct Row {
        const char* name;
        int level;
        int first;
        int second;
    };
    for (const Row& r : {Row{"Kiriha", EASY, 35, 70}, Row{"Kiriha", HARD, 10, 20},
                         Row{"Erika", EASY, 90, 135}, Row{"Erika", HARD, 12, 18},
                         Row{"Seiichirou", NORMAL, 60, 30}, Row{"TrialBoss", HARD, 40, 15}}) {
        SCOPED_TRACE(r.name);
        auto boss = makeBoss(r.name, r.level);
        EXPECT_EQ(boss->getFirePeriod(), r.first);
        bringIn(*boss);
        boss->damage(boss->getHp() - 1);
        changePhase(*boss);
        EXPECT_EQ(boss->getFirePeriod(), r.second);
        // Setting the difficulty again keeps the phase the boss is in.
        boss->setLevel(r.level);
        EXPECT_EQ(boss->getFirePeriod(), r.second);
    }
}

TEST_F(BossTest, EveryRowIsOneNamedBossWithEveryPictureItsAttacksNeed) {
    std::set<std::string_view> names;
    for (const obj::BossRow& row : obj::bossRows()) {
        SCOPED_TRACE(std::string(row.name));
        EXPECT_TRUE(names.insert(row.name).second) << "named twice";
        EXPECT_EQ(obj::findBossRow(row.name), &row);
        auto boss = obj::createBoss(row.name, 800, 480);
        ASSERT_TRUE(boss);
        EXPECT_EQ(&boss->getRow(), &row);
        EXPECT_TRUE(row.hp.easy > 0 && row.hp.normal > 0 && row.hp.hard > 0);
        EXPECT_TRUE(row.pinch_ratio > 0.0 && row.pinch_ratio < 1.0);
        EXPECT_FALSE(row.parts.empty());
        EXPECT_TRUE(row.picture && row.damage);
        // A pattern fired without a picture throws: every attack the row
        // describes must come with one.
        EXPECT_TRUE(row.beams.angle_count == 0 || row.beam_picture);
        EXPECT_TRUE(row.blades.starts.empty() || row.blade_picture);
        EXPECT_TRUE(row.ring.speed.hard == 0 || row.ring_picture || row.bullets);
        EXPECT_TRUE(row.fan_speed.hard == 0 || row.bullets);
        EXPECT_EQ(boss->isBig(), row.descent > 0);
    }
    EXPECT_EQ(names.size(), 8u);
    EXPECT_EQ(obj::findBossRow("Kiriha "), nullptr);
}

TEST_F(BossTest, ANewRowFightsWithTheClassItNames) {
    // A third duelist made only of a row: beams on every second volley, a
    // blade table of its own.
    static constexpr obj::BladeStart starts[] = {{600, 240, 180}};
    const obj::BossRow row{
        .name = "Rival",
        .fight = obj::BossFight::duelist,
        .hp = obj::every(400),
        .period = obj::every(10),
        .pinch_period = obj::every(20),
        .extra_every = 2,
        .bob_step = 2,
        .picture = u"img/kiriha.ytx",
        .damage = u"img/kiriha_damage.ytx",
        .bullets = u"img/blue_bullet.ytx",
        .blade_picture = u"img/slush.ytx",
        .beam_picture = u"img/beam_unit.ytx",
        .parts = obj::findBossRow("Erika")->parts,
        .beams = {.speed = obj::every(4),
                  .homing_start = 5,
                  .homing_length = 30,
                  .turn_limit = 2,
                  .angles = {90},
                  .angle_count = 1},
        .blades = {.starts = starts, .speed = obj::every(15), .blur = obj::every(35)},
        .fan_speed = obj::every(4)};
    obj::Duelist boss(800, 480, row);
    boss.loadTextures(GameFolder::device());
    boss.loadSounds(folder.sounds());
    boss.setLevel(NORMAL);
    EXPECT_EQ(boss.getHp(), 400);
    bringIn(boss);
    run(boss, 20);
    // Two volleys: two fans, and the beams with the second.
    ASSERT_EQ(boss.getSkills().size(), 3u);
    EXPECT_EQ(boss.getSkills()[2]->getAttacks().size(), 10u);  // a chain of ten segments
    boss.damage(300);
    changePhase(boss);
    EXPECT_EQ(boss.getFirePeriod(), 20);
    run(boss, 20);
    ASSERT_EQ(boss.getSkills().size(), 1u);  // a blade from the only start
    EXPECT_EQ(boss.getSkills()[0]->getX(), 600);
    EXPECT_EQ(boss.getBladeIndex(), 0u);
}

TEST_F(BossTest, SisterChargesAndComesBack) {
    auto boss = makeBoss("Sister", NORMAL);
    auto& sister = dynamic_cast<obj::Sister&>(*boss);
    bringIn(*boss);
    const int post = boss->getX();
    run(*boss, 50 * 3);
    EXPECT_EQ(sister.getThrows(), 3);
    EXPECT_FALSE(sister.isCharging());
    run(*boss, 50);
    EXPECT_EQ(sister.getThrows(), 4);
    EXPECT_TRUE(sister.isCharging());
    run(*boss, 50);
    EXPECT_EQ(boss->getX(), post - 50);
    run(*boss, 20);
    EXPECT_EQ(boss->getX(), post);
    EXPECT_FALSE(sister.isCharging());
}

TEST_F(BossTest, SisterThrowsFireBallsOnlyAfterThreeHundredPinchFrames) {
    veru::dxt::effect2D::seedStageRandom(3);
    auto boss = makeBoss("Sister", HARD);
    auto& sister = dynamic_cast<obj::Sister&>(*boss);
    bringIn(*boss);
    boss->damage(boss->getHp() - 1);
    changePhase(*boss);
    EXPECT_EQ(boss->getX(), 800 - 200);
    run(*boss, 300);
    EXPECT_EQ(sister.getFireBalls(), 0);
    run(*boss, 60);
    EXPECT_EQ(sister.getFireBalls(), 2);
    veru::dxt::effect2D::useSecureRandom();
}

TEST_F(BossTest, SeiichirouRunsItsLaserBladeSweepCycle) {
    auto boss = makeBoss("Seiichirou", NORMAL);
    auto& sei = dynamic_cast<obj::Seiichirou&>(*boss);
    bringIn(*boss);
    EXPECT_EQ(sei.getFirePeriod(), 60);
    boss->damage(1500);
    run(*boss, 1);
    EXPECT_EQ(sei.getFirePeriod(), 30);
    changePhase(*boss);
    run(*boss, 1);
    EXPECT_EQ(sei.getCycleStep(), obj::Seiichirou::LASER_HELD);
    int frames = 0;
    while (sei.getCycleStep() != obj::Seiichirou::BLADES && frames < 2000) {
        boss->update(100, 240);
        ++frames;
    }
    ASSERT_EQ(sei.getCycleStep(), obj::Seiichirou::BLADES);
    std::set<std::size_t> blades;
    for (int i = 0; i < obj::Seiichirou::bladeFrames; ++i) {
        boss->update(100, 240);
        blades.insert(sei.getBladeIndex());
    }
    EXPECT_EQ(sei.getCycleStep(), obj::Seiichirou::SWEEP_UP);
    EXPECT_GE(blades.size(), 6u);  // a blade every 30 frames, each from the next start
    frames = 0;
    while (sei.getCycleStep() != obj::Seiichirou::LASER && frames < 2000) {
        boss->update(100, 240);
        ++frames;
    }
    EXPECT_EQ(sei.getCycleStep(), obj::Seiichirou::LASER);
    EXPECT_EQ(boss->getY(), 240);
}

TEST_F(BossTest, DrawsOnlyWhileOnTheFieldCentredOnItsPosition) {
    auto* device = GameFolder::device();
    veru::dxt::DirectGraphics graphics(device);
    graphics.setCentred(true);  // objects name their centres, as in the stage
    auto boss = makeBoss("TrialBoss", NORMAL);
    const auto frame = [&] {
        device->clear(0xFF000000u);
        boss->draw(graphics);
        graphics.flushSprites();
        device->flush();
        return readFrame(*device);
    };
    EXPECT_LT(frame().brightness(0, 0, 800, 480), 1.0);  // waiting off the field
    bringIn(*boss);
    boss->setPosition(600, 200);
    const Frame ready = frame();
    EXPECT_GT(ready.brightness(540, 140, 120, 120), 250.0);
    EXPECT_LT(ready.brightness(400, 140, 100, 120), 1.0);
    boss->damage(5000);
    ASSERT_TRUE(run(*boss, 600));
    EXPECT_LT(frame().brightness(0, 0, 800, 480), 1.0);  // gone
}

// The body (the box round the hit parts) of each big boss stays inside the
// field from the end of its transformation through both phases, and a boss
// that bobs turns at the edges rather than every frame.
TEST_F(BossTest, BigBossesFightWhollyOnTheFieldAndHoldSteady) {
    veru::dxt::effect2D::seedStageRandom(5);
    for (const char* name : {"TeruTeru", "Sister", "Sasaki"}) {
        for (int level : {EASY, HARD}) {
            SCOPED_TRACE(std::string(name) + (level == HARD ? " hard" : " easy"));
            auto boss = makeBoss(name, level);
            bringIn(*boss);
            int turns = 0;
            int last_step = 0;
            int outside = 0;
            const auto frame = [&](int i) {
                const int before = boss->getY();
                boss->update(120, 200 + i % 80);
                const int step = boss->getY() - before;
                if (step != 0 && last_step != 0 && (step > 0) != (last_step > 0)) {
                    ++turns;
                }
                if (step != 0) {
                    last_step = step;
                }
                const obj::HitRect body = boss->getHitRect();
                if (body.left < 0 || body.top < 0 || body.right > 800 || body.bottom > 480) {
                    ++outside;
                }
            };
            for (int i = 0; i < 1000; ++i) {
                frame(i);
            }
            boss->damage(boss->getHp() - boss->getMaxHp() / 4);
            for (int i = 0; i < 1000; ++i) {
                frame(i);
            }
            EXPECT_EQ(boss->getState(), obj::STATE_PINCH);
            EXPECT_EQ(outside, 0);
            EXPECT_LT(turns, 2000 / 10);
        }
    }
    veru::dxt::effect2D::useSecureRandom();
}

TEST_F(BossTest, EveryBossFightsThroughBothPhasesToItsEnd) {
    veru::dxt::effect2D::seedStageRandom(11);
    veru::dxt::DirectGraphics graphics(GameFolder::device());
    for (const char* name : {"Maruiyatu", "TeruTeru", "Erika", "Kiriha", "Sister", "Sasaki",
                             "Seiichirou", "TrialBoss"}) {
        for (int level : {EASY, HARD}) {
            SCOPED_TRACE(std::string(name) + (level == HARD ? " hard" : " easy"));
            auto boss = makeBoss(name, level);
            bringIn(*boss);
            std::size_t most = 0;
            for (int i = 0; i < 600; ++i) {
                boss->update(120, 200 + i % 80);
                most = std::max(most, boss->getSkills().size());
            }
            EXPECT_GT(most, 0u);
            boss->damage(boss->getHp() - boss->getMaxHp() / 4);
            changePhase(*boss);
            most = 0;
            for (int i = 0; i < 1200; ++i) {
                boss->update(120, 200 + i % 80);
                most = std::max(most, boss->getSkills().size());
                if (i % 100 == 0) {
                    graphics.startSprite();
                    boss->draw(graphics);
                    graphics.flushSprites(false, false);
                    graphics.endSprite();
                }
            }
            EXPECT_GT(most, 0u);
            EXPECT_TRUE(boss->getState() == obj::STATE_PINCH);
            boss->damage(100000);
            EXPECT_TRUE(run(*boss, 600));
        }
    }
    veru::dxt::effect2D::useSecureRandom();
}

}  // namespace
