// Vuzez frame by frame: the entry runs, the shot cycle and levels, movement
// and the field's edges, the fall, the bomb, the scaled hit area and its
// marker, and the shots and body against the boss.
#include "game/shooting/object/players/Vuzez.h"

#include <gtest/gtest.h>

#include "engine/exceptions/FileNotFoundException.h"
#include "engine/material/Texture.h"
#include "game/shooting/object/ObjectCodes.h"
#include "game/shooting/object/items/LevelUpItem.h"
#include "tests/game/shooting/object/players/PlayersTestSupport.h"
#include "tests/support/Screenshot.h"

namespace {

using namespace mirelune::test;
using namespace ml::shooting::object;

class VuzezTest : public PlayersTest {
  protected:
    void SetUp() override {
        PlayersTest::SetUp();
        writePicture(u"img/vuzez.ytx", 512, 128);
        writePicture(u"img/rabbit_bullet.ytx", 16, 24);
        writePicture(u"img/vuzez_damage.ytx", 128, 128);
        writePicture(u"img/bomb.ytx", 64, 64);
        writePicture(u"img/hit_marker.ytx", 40, 22);
        player = std::make_unique<Vuzez>(800, 480);
        player->loadTextures(device.get());
        player->loadSounds(sounds);
    }

    // Active at (x, y) with nothing in flight.
    void placeActive(int x, int y) {
        player->activate();
        player->setPosition(x, y);
    }

    void run(int frames, int buttons = 0) {
        for (int i = 0; i < frames; ++i) {
            player->update(buttons);
        }
    }

    std::unique_ptr<Vuzez> player;
};

TEST_F(VuzezTest, StartsActiveWithOneHitPointAndTheNamedHitArea) {
    Vuzez fresh(800, 480);
    EXPECT_EQ(fresh.getState(), STATE_ACTIVE);
    EXPECT_EQ(fresh.getHp(), 1);
    EXPECT_EQ(fresh.getLevel(), LEVEL_1);
    EXPECT_EQ(fresh.getKind(), KIND_PLAYER);
    EXPECT_EQ(fresh.getShotTimer(), -1);
    EXPECT_EQ(fresh.getShotInterval(), 5);

    EXPECT_EQ(player->getHitRect(), (HitRect{-20, -11, 20, 11}));
    EXPECT_EQ(player->getBaseHit(), (HitRect{-20, -11, 20, 11}));
    EXPECT_EQ(player->getTexture()->getCellWidth(), 128);
    EXPECT_EQ(player->getTexture()->getFrameCount(), 4);
    EXPECT_EQ(player->getBombTexture()->getAlpha(), 100);
}

TEST_F(VuzezTest, MissingPictureIsTheLoadersException) {
    std::filesystem::remove("img/vuzez_damage.ytx");
    Vuzez other(800, 480);
    EXPECT_THROW(other.loadTextures(device.get()), veru::excp::FileNotFoundException);
}

TEST_F(VuzezTest, EntryRunsFrom40LeftTo70InHalfAlphaThenWaits) {
    player->enter();
    EXPECT_EQ(player->getState(), STATE_ENTRY);
    EXPECT_EQ(player->getX(), -40);
    EXPECT_EQ(player->getY(), 240);
    EXPECT_EQ(player->getTexture()->getAlpha(), 100);
    run(109, kRight | kShot);  // buttons do nothing during the run
    EXPECT_EQ(player->getX(), 69);
    EXPECT_EQ(player->getState(), STATE_ENTRY);
    EXPECT_TRUE(player->getSkills().empty());
    run(1);
    EXPECT_EQ(player->getState(), STATE_READY);
    EXPECT_EQ(player->getTexture()->getAlpha(), 255);
    run(10, kRight);
    EXPECT_EQ(player->getX(), 70);
    EXPECT_FALSE(player->update(0));
}

TEST_F(VuzezTest, HeldShotFiresOneVolleyEverySixthFrame) {
    placeActive(100, 240);
    VolleyCounter volleys(*player);
    std::vector<int> firedOn;
    for (int frame = 1; frame <= 36; ++frame) {
        player->update(kShot);
        if (volleys.fired()) {
            firedOn.push_back(frame);
        }
    }
    EXPECT_EQ(firedOn, (std::vector<int>{6, 12, 18, 24, 30, 36}));
}

TEST_F(VuzezTest, FreshPressFiresWhenTheTimerNextWraps) {
    // The timer runs without the button; a press waits zero to five frames.
    for (int idle = 0; idle < 12; ++idle) {
        Vuzez fresh(800, 480);
        fresh.loadTextures(device.get());
        fresh.activate();
        fresh.setPosition(100, 240);
        for (int i = 0; i < idle; ++i) {
            fresh.update(0);
        }
        ASSERT_TRUE(fresh.getSkills().empty());
        VolleyCounter volleys(fresh);
        int wait = 0;
        for (;; ++wait) {
            fresh.update(kShot);
            if (volleys.fired()) {
                break;
            }
            ASSERT_LT(wait, 6);
        }
        EXPECT_EQ(wait, (5 - idle % 6 + 6) % 6) << "after " << idle << " idle frames";
    }
}

TEST_F(VuzezTest, EachLevelFiresItsPatternFromTheFrontOfTheHitRectangle) {
    const std::size_t bullets[] = {1, 2, 3, 5, 7};
    for (int level = LEVEL_1; level <= LEVEL_5; ++level) {
        Vuzez fresh(800, 480);
        fresh.loadTextures(device.get());
        fresh.setLevel(level);
        fresh.activate();
        fresh.setPosition(100, 240);
        for (int i = 0; i < 6; ++i) {
            fresh.update(kShot);
        }
        ASSERT_EQ(fresh.getSkills().size(), 1u);
        const ISkill& volley = *fresh.getSkills()[0];
        EXPECT_EQ(volley.getAttacks().size(), bullets[level - LEVEL_1]);
        EXPECT_EQ(volley.getKind(), KIND_PLAYER_ATTACK);
        EXPECT_EQ(volley.getX(), 120);
        EXPECT_EQ(volley.getY(), 240);
        EXPECT_FALSE(volley.hasTarget());
        for (const auto& attack : volley.getAttacks()) {
            EXPECT_EQ(attack->getAttackPower(), 1);
            EXPECT_EQ(attack->getState(), STATE_ACTIVE);
        }
    }
}

TEST_F(VuzezTest, VolleysAreDroppedOnceTheirBulletsLeaveTheField) {
    placeActive(700, 240);
    run(6, kShot);
    ASSERT_EQ(player->getSkills().size(), 1u);
    // 15 pixels a frame from x = 720 leaves the field (one cell beyond) in a few frames.
    run(10);
    EXPECT_TRUE(player->getSkills().empty());
}

TEST_F(VuzezTest, LevelStepsStayWithinTheFiveCodes) {
    EXPECT_FALSE(player->levelDown());
    EXPECT_EQ(player->getLevel(), LEVEL_1);
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(player->levelUp());
    }
    EXPECT_FALSE(player->levelUp());
    EXPECT_EQ(player->getLevel(), LEVEL_5);
    player->setLevel(0x123);
    EXPECT_FALSE(player->levelUp());
    EXPECT_FALSE(player->levelDown());
    EXPECT_EQ(player->getLevel(), 0x123);
    // A level outside the codes still shoots (as the nearest one).
    placeActive(100, 240);
    run(6, kShot);
    ASSERT_EQ(player->getSkills().size(), 1u);
    EXPECT_EQ(player->getSkills()[0]->getAttacks().size(), 1u);
}

TEST_F(VuzezTest, MovesFiveOrTwoSlowAndDiagonalsAddBothAxes) {
    placeActive(300, 200);
    run(1, kRight);
    EXPECT_EQ(player->getX(), 305);
    run(1, kDown | kRight);
    EXPECT_EQ(player->getX(), 310);
    EXPECT_EQ(player->getY(), 205);
    run(1, kUp | kLeft | kSlow);
    EXPECT_EQ(player->getX(), 308);
    EXPECT_EQ(player->getY(), 203);
    run(1, kUp | kDown);  // opposite directions cancel
    EXPECT_EQ(player->getY(), 203);
}

TEST_F(VuzezTest, CornersKeepTheHitRectangleExactlyOnTheBorder) {
    placeActive(300, 200);
    run(100, kUp | kLeft);
    EXPECT_EQ(player->getHitRect().left, 0);
    EXPECT_EQ(player->getHitRect().top, 0);
    EXPECT_EQ(player->getX(), 20);
    EXPECT_EQ(player->getY(), 11);
    run(200, kDown | kRight);
    EXPECT_EQ(player->getHitRect().right, 800);
    EXPECT_EQ(player->getHitRect().bottom, 480);
    // A scaled hit area is clamped by its own size.
    player->setScale(0);
    run(1, kDown | kRight);
    EXPECT_EQ(player->getX(), 760);
    EXPECT_EQ(player->getY(), 458);
}

TEST_F(VuzezTest, HitFallsOffTheScreenAndRunsInAgain) {
    placeActive(100, 240);
    player->update(0);
    player->damage(100);
    EXPECT_EQ(player->getState(), STATE_DYING);
    EXPECT_EQ(player->getFrame(), 0);
    // 5 left and 5 down a frame until the right edge is 60 pixels off the left.
    run(36);
    EXPECT_EQ(player->getState(), STATE_DYING);
    EXPECT_EQ(player->getX(), 100 - 180);
    EXPECT_EQ(player->getY(), 240 + 180);
    run(1);
    EXPECT_EQ(player->getState(), STATE_REENTRY);
    EXPECT_EQ(player->getX(), -50);
    EXPECT_EQ(player->getY(), 240);
    EXPECT_EQ(player->getHp(), 1);
    EXPECT_EQ(player->getTexture()->getAlpha(), 100);
    run(29, kShot | kRight);
    EXPECT_EQ(player->getX(), 95);
    EXPECT_TRUE(player->getSkills().empty());
    run(1);
    EXPECT_EQ(player->getState(), STATE_RECOVER);
    EXPECT_EQ(player->getFrame(), 0);
    // 120 invulnerable frames in which it flies and shoots.
    run(119, kUp);
    EXPECT_EQ(player->getState(), STATE_RECOVER);
    EXPECT_EQ(player->getTexture()->getAlpha(), 100);
    EXPECT_EQ(player->getY(), 11);
    run(1);
    EXPECT_EQ(player->getState(), STATE_ACTIVE);
    EXPECT_EQ(player->getTexture()->getAlpha(), 255);
}

TEST_F(VuzezTest, FallEndsAtTheBottomToo) {
    placeActive(700, 470);
    player->damage(100);
    int frames = 0;
    while (player->getState() == STATE_DYING && frames < 100) {
        player->update(0);
        ++frames;
    }
    // The top edge passes 480 + 33 after 11 frames (y 525: 525 - 11 - 33 > 480).
    EXPECT_EQ(frames, 11);
    EXPECT_EQ(player->getState(), STATE_REENTRY);
}

TEST_F(VuzezTest, LastLifeEndsTheFallGone) {
    placeActive(100, 240);
    player->damage(100);
    player->setLastLife(true);
    run(37);
    EXPECT_EQ(player->getState(), STATE_GONE);
    EXPECT_EQ(player->getFrame(), 0);
    run(5, kRight);
    EXPECT_EQ(player->getState(), STATE_GONE);
    // A continue: the next re-entry forgets the last life.
    player->reenter();
    EXPECT_FALSE(player->isLastLife());
    EXPECT_EQ(player->getState(), STATE_REENTRY);
}

TEST_F(VuzezTest, BombCharges100FramesThenFires50RingsOver101Steps) {
    placeActive(400, 240);
    player->startBomb();
    EXPECT_EQ(player->getState(), STATE_BOMB);
    EXPECT_EQ(player->getTexture()->getAlpha(), 150);
    int rings = 0;
    int frames = 0;
    std::vector<int> firstAngles;
    VolleyCounter volleys(*player);
    while (player->getState() == STATE_BOMB && frames < 1000) {
        player->update(kShot);  // no shots during the bomb
        ++frames;
        if (volleys.fired()) {
            const ISkill& ring = *player->getSkills().back();
            EXPECT_EQ(ring.getKind(), KIND_BOMB_ATTACK);
            ASSERT_EQ(ring.getAttacks().size(), 20u);
            EXPECT_EQ(ring.getAttacks()[0]->getAttackPower(), 2);
            firstAngles.push_back(ring.getAttacks()[0]->getAngle());
            ++rings;
        }
        if (frames < 100) {
            EXPECT_TRUE(player->getSkills().empty());
        }
    }
    EXPECT_EQ(frames, 200);  // counter 100 is the first of 101 burst steps
    EXPECT_EQ(rings, 50);
    EXPECT_EQ(player->getBombCount(), 101);
    ASSERT_FALSE(firstAngles.empty());
    EXPECT_EQ(firstAngles.front(), 101);  // each ring turned by the frame counter
    EXPECT_EQ(firstAngles.back(), 199);
    EXPECT_EQ(player->getState(), STATE_ACTIVE);
    EXPECT_EQ(player->getTexture()->getAlpha(), 255);
}

// Vuzez with sounds that record what they are asked.
class SoundedVuzez : public Vuzez {
  public:
    using Vuzez::Vuzez;
    void give(ISound* bomb, ISound* charge) {
        bomb_sound = bomb;
        charge_sound = charge;
    }
};

// A Vuzez that has just started its bomb, with counting bomb and charge sounds.
struct BombingVuzez {
    explicit BombingVuzez(veru::platform::VideoDevice* device) : player(800, 480) {
        player.loadTextures(device);
        player.give(&bomb, &charge);
        player.activate();
        player.setPosition(400, 240);
        player.startBomb();
    }
    void run(int frames) {
        for (int i = 0; i < frames; ++i) {
            player.update(0);
        }
    }
    CountingSound bomb;
    CountingSound charge;
    SoundedVuzez player;
};

TEST_F(VuzezTest, BombSoundLoopsThroughTheBurstAndPausesWithTheGame) {
    BombingVuzez b(device.get());
    SoundedVuzez& sounded = b.player;
    CountingSound& bomb = b.bomb;
    EXPECT_EQ(b.charge.plays, 1);
    for (int frame = 1; frame <= 99; ++frame) {
        sounded.update(0);
        sounded.pauseBombSound();   // still charging: nothing to stop
        sounded.resumeBombSound();  // nor to start before its time
    }
    EXPECT_EQ(bomb.plays, 0);
    EXPECT_EQ(bomb.stops, 0);
    sounded.update(0);  // counter 100: the burst's sound starts
    EXPECT_EQ(bomb.plays, 1);
    EXPECT_TRUE(bomb.looping);
    // A pause right after that frame silences it too.
    sounded.pauseBombSound();
    EXPECT_EQ(bomb.stops, 1);
    EXPECT_FALSE(bomb.playing);
    sounded.resumeBombSound();
    EXPECT_EQ(bomb.plays, 2);
    EXPECT_TRUE(bomb.looping);
    sounded.update(0);
    sounded.pauseBombSound();
    EXPECT_EQ(bomb.stops, 2);
    sounded.resumeBombSound();
    EXPECT_EQ(bomb.plays, 3);
    while (sounded.getState() == STATE_BOMB) {
        sounded.update(0);
    }
    EXPECT_EQ(bomb.stops, 3);  // the burst's end
    EXPECT_FALSE(bomb.playing);
    sounded.pauseBombSound();
    sounded.resumeBombSound();
    EXPECT_EQ(bomb.plays, 3);
}

TEST_F(VuzezTest, BurstThatBeginsWhilePausedStaysSilentUntilResumed) {
    // The scene pauses before it updates the player in the same frame, so
    // the burst's first frame may come after the pause.
    BombingVuzez b(device.get());
    SoundedVuzez& sounded = b.player;
    CountingSound& bomb = b.bomb;
    b.run(99);
    sounded.pauseBombSound();
    sounded.update(0);  // counter 100 while paused
    EXPECT_EQ(bomb.plays, 0);
    EXPECT_FALSE(bomb.playing);
    sounded.resumeBombSound();
    EXPECT_EQ(bomb.plays, 1);
    EXPECT_TRUE(bomb.looping);
    // A later bomb is not held by that pause.
    while (sounded.getState() == STATE_BOMB) {
        sounded.update(0);
    }
    sounded.startBomb();
    b.run(100);
    EXPECT_EQ(bomb.plays, 2);
}

TEST_F(VuzezTest, BombMovesOnePixelPerDirection) {
    placeActive(400, 240);
    player->startBomb();
    run(10, kDown | kLeft | kSlow);
    EXPECT_EQ(player->getX(), 390);
    EXPECT_EQ(player->getY(), 250);
}

TEST_F(VuzezTest, ScaleGrowsTheHitAreaAndOneRestoresItExactly) {
    player->setScale(0.0f);
    EXPECT_FLOAT_EQ(player->getScale(), 2.0f);
    player->setPosition(0, 0);
    EXPECT_EQ(player->getHitRect(), (HitRect{-40, -22, 40, 22}));
    player->setScale(0.5f);
    EXPECT_EQ(player->getHitRect(), (HitRect{-30, -16, 30, 16}));  // -16.5 toward zero
    player->setScale(1.0f);
    EXPECT_EQ(player->getHitRect(), (HitRect{-20, -11, 20, 11}));
    EXPECT_EQ(player->getBaseHit(), (HitRect{-20, -11, 20, 11}));
}

TEST_F(VuzezTest, ShotsAgainstTheBossStopAtTheFirstSkillThatHit) {
    StandingBoss boss(30, 100);
    EXPECT_FALSE(player->hitEnemies(&boss));  // still on standby
    EXPECT_FALSE(player->hitEnemies(nullptr));
    boss.appear(190, 240);
    placeActive(100, 240);
    player->setLevel(LEVEL_3);
    run(6, kShot);
    run(6, kShot);  // two triplets in flight, the first one nearer
    ASSERT_EQ(player->getSkills().size(), 2u);
    // The first triplet is at 120 + 6 * 15 = 210, inside the boss (160-220);
    // the second one, just fired at 120, is not.
    EXPECT_TRUE(player->hitEnemies(&boss));
    EXPECT_EQ(boss.getHp(), 97);
    for (const auto& attack : player->getSkills()[0]->getAttacks()) {
        EXPECT_EQ(attack->getState(), STATE_GONE);
    }
    for (const auto& attack : player->getSkills()[1]->getAttacks()) {
        EXPECT_EQ(attack->getState(), STATE_ACTIVE);
    }
    // A boss that is down takes no more.
    StandingBoss weak(30, 1);
    weak.appear(135, 240);
    EXPECT_TRUE(player->hitEnemies(&weak));
    EXPECT_EQ(weak.getState(), STATE_DYING);
    EXPECT_EQ(weak.getHp(), 0);
    int live = 0;
    for (const auto& attack : player->getSkills()[1]->getAttacks()) {
        live += attack->getState() == STATE_ACTIVE ? 1 : 0;
    }
    EXPECT_EQ(live, 2);
    EXPECT_FALSE(player->hitEnemies(&weak));
}

TEST_F(VuzezTest, BodyTouchesOnlyALiveBossAndNotAtTheEdge) {
    StandingBoss boss(30, 100);
    placeActive(100, 240);
    boss.appear(150, 240);  // boss left edge 120 = player right edge
    EXPECT_FALSE(player->touchesBoss(&boss));
    boss.setX(149);
    EXPECT_TRUE(player->touchesBoss(&boss));
    boss.setState(STATE_PINCH);
    EXPECT_TRUE(player->touchesBoss(&boss));
    // The player's own state does not matter (a bomb started this frame).
    player->startBomb();
    EXPECT_TRUE(player->touchesBoss(&boss));
    boss.setState(STATE_DYING);
    EXPECT_FALSE(player->touchesBoss(&boss));
    EXPECT_FALSE(player->touchesBoss(nullptr));
}

TEST_F(VuzezTest, CollectsOnlyAnActiveItem) {
    writePicture(u"img/lintuba.ytx", 24, 20);
    Vuzez& player = *this->player;
    player.setPosition(100, 240);
    auto item = std::make_unique<LevelUpItem>(800, 480);
    item->loadTexture(device.get());
    item->setPosition(120, 240);
    EXPECT_FALSE(player.isHit(*item));  // still waiting
    item->setState(STATE_ACTIVE);
    EXPECT_TRUE(player.isHit(*item));
    item->setX(129);  // item's left edge 120 on the player's right edge 120
    EXPECT_FALSE(player.isHit(*item));
    item->kill();
    item->setX(100);
    EXPECT_FALSE(player.isHit(*item));
}

TEST_F(VuzezTest, DrawsTheChargeRingOnlyWhileCharging) {
    veru::dxt::DirectGraphics graphics(device.get());
    auto queued = [&] {
        player->draw(graphics);
        const std::size_t n = graphics.queuedSprites();
        graphics.flushSprites();
        return n;
    };
    placeActive(100, 240);
    EXPECT_EQ(queued(), 1u);
    player->startBomb();
    run(1);
    EXPECT_EQ(queued(), 2u);  // the character and the shrinking ring
    run(98);
    EXPECT_EQ(queued(), 2u);
    run(1);  // counter 100: charged, the first ring comes next frame
    EXPECT_EQ(queued(), 1u);
    player->activate();
    player->damage(100);
    EXPECT_EQ(queued(), 1u);  // the falling picture alone
}

// The bright pixels of the frame: their bounding rectangle (right and bottom
// exclusive), or an empty one when there are none.
HitRect brightArea(const Frame& frame) {
    HitRect r{frame.width, frame.height, 0, 0};
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x)
            if ((frame.at(x, y) & 0xFFu) > 128) {
                r = HitRect{std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1),
                            std::max(r.bottom, y + 1)};
            }
    return r.right > r.left ? r : HitRect{};
}

TEST_F(VuzezTest, SlowButtonShowsTheHitRectangleAsItGrowsWithTheGauge) {
    // An invisible body and fall and a white marker: what is lit is the marker alone.
    writePicture(u"img/vuzez.ytx", 512, 128, 0x00000000u);
    writePicture(u"img/vuzez_damage.ytx", 128, 128, 0x00000000u);
    player = std::make_unique<Vuzez>(800, 480);
    player->loadTextures(device.get());
    veru::dxt::DirectGraphics graphics(device.get());
    graphics.setCentred(true);  // objects name their centres, as in the stage
    auto lit = [&] {
        device->clear(0xFF000000u);
        player->draw(graphics);
        graphics.flushSprites();
        device->flush();
        return brightArea(readFrame(device.get()));
    };
    placeActive(300, 200);
    run(1, kSlow);
    EXPECT_TRUE(player->showsHitMarker());
    EXPECT_EQ(lit(), player->getHitRect());
    // The gauge half empty and empty: the marker is the grown rectangle.
    for (float ratio : {0.5f, 0.0f}) {
        player->setScale(ratio);
        run(1, kSlow);
        SCOPED_TRACE(ratio);
        EXPECT_EQ(lit(), player->getHitRect());
    }
    EXPECT_EQ(lit(), (HitRect{260, 178, 340, 222}));
    // Released: no marker; held again during the bomb: shown.
    run(1);
    EXPECT_EQ(lit(), HitRect{});
    player->startBomb();
    run(1, kSlow);
    EXPECT_TRUE(player->showsHitMarker());
    // Not while she falls or runs in, whatever is held.
    player->activate();
    player->damage(100);
    run(1, kSlow);
    EXPECT_FALSE(player->showsHitMarker());
    EXPECT_EQ(lit(), HitRect{});
    player->enter();
    run(1, kSlow);
    EXPECT_FALSE(player->showsHitMarker());
}

}  // namespace
