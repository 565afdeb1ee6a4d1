// Vovizovar: its weapons and their cycles, the weapon change on the slow
// button's edge, the speeds, the sweeping flame and the laser bomb.
#include "game/shooting/object/players/Vovizovar.h"

#include <gtest/gtest.h>

#include "engine/material/Texture.h"
#include "game/shooting/object/ObjectCodes.h"
#include "tests/game/shooting/object/players/PlayersTestSupport.h"

namespace {

using namespace mirelune::test;
using namespace ml::shooting::object;

class VovizovarTest : public PlayersTest {
  protected:
    void SetUp() override {
        PlayersTest::SetUp();
        writePicture(u"img/vovizovar.ytx", 128, 32);
        writePicture(u"img/lazer.ytx", 32, 16);
        writePicture(u"img/arc_white_bullet.ytx", 8, 8);
        writePicture(u"img/arc_white.ytx", 16, 16);
        writePicture(u"img/flare_blue.ytx", 16, 16);
        writePicture(u"img/bomb.ytx", 64, 64);
        player = makePlayer();
    }

    std::unique_ptr<Vovizovar> makePlayer(int level = LEVEL_1) {
        auto made = std::make_unique<Vovizovar>(800, 480);
        made->loadTextures(device.get());
        made->loadSounds(sounds);
        made->setLevel(level);
        made->activate();
        made->setPosition(100, 240);
        return made;
    }

    // The frames (1-based) on which holding `buttons` fired, over `frames`.
    static std::vector<int> firingFrames(Vovizovar& v, int frames, int buttons) {
        VolleyCounter volleys(v);
        std::vector<int> fired;
        for (int f = 1; f <= frames; ++f) {
            v.update(buttons);
            if (volleys.fired()) {
                fired.push_back(f);
            }
        }
        return fired;
    }

    // Presses and releases the slow button `n` times.
    static void changeWeapon(Vovizovar& v, int n) {
        for (int i = 0; i < n; ++i) {
            v.update(kSlow);
            v.update(0);
        }
    }

    std::unique_ptr<Vovizovar> player;
};

TEST_F(VovizovarTest, SmallHitAreaAndEntryFromItsOwnWidth) {
    EXPECT_EQ(player->getHitRect(), (HitRect{92, 233, 108, 247}));
    EXPECT_EQ(player->getTexture()->getCellWidth(), 32);
    EXPECT_EQ(player->getExplosionTexture()->getFrameCount(), 4);
    EXPECT_EQ(player->getWeapon(), 1);
    EXPECT_TRUE(player->isDrawSkills());
    player->enter();
    EXPECT_EQ(player->getX(), -16);
    EXPECT_EQ(player->getY(), 240);
}

TEST_F(VovizovarTest, SlowButtonChangesTheWeaponOnItsEdgeOnly) {
    player->update(0);
    player->update(0);
    player->update(kSlow);
    EXPECT_EQ(player->getWeapon(), 2);
    EXPECT_EQ(player->getShotTimer(), -1);
    for (int i = 0; i < 20; ++i) {
        player->update(kSlow);  // held: no further change
    }
    EXPECT_EQ(player->getWeapon(), 2);
    for (int expected : {3, 4, 1, 2}) {
        player->update(0);
        player->update(kSlow);
        EXPECT_EQ(player->getWeapon(), expected);
    }
}

TEST_F(VovizovarTest, ButtonHeldThroughTheBombIsNoFreshPress) {
    player->startBomb();
    player->update(kSlow);
    player->setState(STATE_ACTIVE);
    player->update(kSlow);
    EXPECT_EQ(player->getWeapon(), 1);
}

TEST_F(VovizovarTest, SpeedsOfTheWeapons) {
    const int speeds[] = {5, 3, 5, 5};
    for (int weapon = 1; weapon <= 4; ++weapon) {
        auto v = makePlayer();
        changeWeapon(*v, weapon - 1);
        v->setPosition(300, 240);
        v->update(kRight);
        EXPECT_EQ(v->getX(), 300 + speeds[weapon - 1]) << "weapon " << weapon;
        EXPECT_EQ(v->getSpeed(), speeds[weapon - 1]);
    }
    // The flame slows its bearer to 2 while it pours out, unless the change
    // button is held too.
    auto flame = makePlayer();
    changeWeapon(*flame, 2);
    flame->setPosition(300, 240);
    flame->update(kRight | kShot | kSlow);  // the change to the flame
    ASSERT_EQ(flame->getWeapon(), 4);
    EXPECT_EQ(flame->getX(), 305);
    flame->update(kRight | kShot | kSlow);
    EXPECT_EQ(flame->getX(), 310);
    flame->update(kRight | kShot);
    EXPECT_EQ(flame->getX(), 312);
    flame->update(kRight);
    EXPECT_EQ(flame->getX(), 317);
}

TEST_F(VovizovarTest, CycleAndPowerFollowTheWeaponAndLevel) {
    struct Case {
        int weapon, level, interval, power;
        std::size_t attacks;
    };
    const Case cases[] = {
        {1, LEVEL_1, 10, 1, 1},  {1, LEVEL_5, 3, 5, 1},   {2, LEVEL_1, 30, 3, 1},
        {2, LEVEL_4, 24, 15, 1}, {3, LEVEL_1, 20, 1, 10}, {3, LEVEL_3, 15, 1, 18},
        {3, LEVEL_5, 10, 2, 30}, {4, LEVEL_1, 5, 1, 1},   {4, LEVEL_5, 5, 4, 1},
    };
    for (const Case& c : cases) {
        auto v = makePlayer(c.level);
        changeWeapon(*v, c.weapon - 1);
        v->setPosition(100, 240);
        // The first shot still comes from the cycle the character started
        // with; from then on the weapon's own interval.
        std::vector<int> fired = firingFrames(*v, 6 + 3 * (c.interval + 1), kShot);
        ASSERT_GE(fired.size(), 3u) << "weapon " << c.weapon;
        EXPECT_EQ(v->getShotInterval(), c.interval);
        EXPECT_EQ(fired[2] - fired[1], c.interval + 1) << "weapon " << c.weapon;
        const ISkill& volley = *v->getSkills().back();
        EXPECT_EQ(volley.getAttacks().size(), c.attacks) << "weapon " << c.weapon;
        EXPECT_EQ(volley.getAttacks()[0]->getAttackPower(), c.power) << "weapon " << c.weapon;
        EXPECT_EQ(volley.getX(), v->getHitRect().right);
        EXPECT_EQ(volley.getKind(), KIND_PLAYER_ATTACK);
    }
}

TEST_F(VovizovarTest, ChangingWeaponLetsTheNewOneFireAtOnce) {
    std::vector<int> fired = firingFrames(*player, 8, kShot);
    ASSERT_EQ(fired, (std::vector<int>{6}));
    player->update(kShot | kSlow);  // the change resets the timer: a shot this very frame
    VolleyCounter volleys(*player);
    EXPECT_TRUE(volleys.fired());
    EXPECT_EQ(player->getWeapon(), 2);
}

TEST_F(VovizovarTest, FlameSweepsAndResetsOnRelease) {
    changeWeapon(*player, 3);
    ASSERT_EQ(player->getWeapon(), 4);
    std::vector<int> sweeps;
    VolleyCounter volleys(*player);
    for (int f = 0; f < 60 && sweeps.size() < 5; ++f) {
        player->update(kShot);
        if (volleys.fired()) {
            sweeps.push_back(player->getSweep());
        }
    }
    // The value after each shot: the flames went out at 0, -1, 0, 1, 0.
    EXPECT_EQ(sweeps, (std::vector<int>{-1, 0, 1, 0, -1}));
    player->update(0);
    EXPECT_EQ(player->getSweep(), 0);
}

TEST_F(VovizovarTest, BombIsOneLaserAndEndsWhenItIsGone) {
    player->setPosition(200, 240);
    player->startBomb();
    // Charging at half the weapon's speed.
    player->update(kDown);
    EXPECT_EQ(player->getY(), 242);
    for (int f = 2; f < 100; ++f) {
        player->update(0);
    }
    EXPECT_TRUE(player->getSkills().empty());
    player->update(kDown);  // counter 100: the laser, and the character holds still
    EXPECT_EQ(player->getY(), 242);
    ASSERT_EQ(player->getSkills().size(), 1u);
    const ISkill& beam = *player->getSkills()[0];
    EXPECT_EQ(beam.getKind(), KIND_BOMB_ATTACK);
    EXPECT_EQ(beam.getAttacks()[0]->getAttackPower(), 3);
    EXPECT_EQ(beam.getX(), player->getHitRect().right);
    int frames = 100;
    while (player->getState() == STATE_BOMB && frames < 1000) {
        player->update(kUp | kShot);
        ++frames;
    }
    EXPECT_EQ(player->getState(), STATE_ACTIVE);
    EXPECT_LT(frames, 1000);
    EXPECT_GT(frames, 100 + 180);  // the laser's own lifetime
    EXPECT_EQ(player->getY(), 242);
    EXPECT_EQ(player->getTexture()->getAlpha(), 255);
    EXPECT_EQ(player->getBombCount(), frames - 99);
}

class SoundedVovizovar : public Vovizovar {
  public:
    using Vovizovar::Vovizovar;
    void give(ISound* bomb) { bomb_sound = bomb; }
};

TEST_F(VovizovarTest, BurstSoundStartsAt120AndPausesOnlyAfterIt) {
    SoundedVovizovar sounded(800, 480);
    sounded.loadTextures(device.get());
    CountingSound bomb;
    sounded.give(&bomb);
    sounded.activate();
    sounded.setPosition(200, 240);
    sounded.startBomb();
    for (int frame = 1; frame <= 119; ++frame) {
        sounded.update(0);
        sounded.pauseBombSound();
        sounded.resumeBombSound();
        EXPECT_EQ(bomb.plays, 0) << "frame " << frame;
    }
    EXPECT_EQ(bomb.stops, 0);
    sounded.update(0);  // counter 120: the burst's sound starts
    EXPECT_EQ(bomb.plays, 1);
    sounded.pauseBombSound();  // and a pause right then stops it
    EXPECT_EQ(bomb.stops, 1);
    sounded.resumeBombSound();
    EXPECT_EQ(bomb.plays, 2);
    while (sounded.getState() == STATE_BOMB) {
        sounded.update(0);
    }
    EXPECT_EQ(bomb.stops, 2);
}

TEST_F(VovizovarTest, BulletsAreDrawnOnlyWhileTheFlagIsSet) {
    veru::dxt::DirectGraphics graphics(device.get());
    changeWeapon(*player, 2);  // weapon 3: a ring of ten
    firingFrames(*player, 6, kShot);
    ASSERT_EQ(player->getSkills().size(), 1u);
    player->setDrawSkills(false);
    player->draw(graphics);
    EXPECT_EQ(graphics.queuedSprites(), 1u);
    graphics.flushSprites();
    player->setDrawSkills(true);
    player->draw(graphics);
    EXPECT_EQ(graphics.queuedSprites(), 11u);
    graphics.flushSprites();
}

}  // namespace
