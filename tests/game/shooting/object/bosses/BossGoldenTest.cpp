// Every boss pinned by a golden hash: a scripted fight (fixed seed, the
// player weaving, a fixed schedule of damage and of probe shots) on each
// difficulty, hashing the boss's whole visible state and every bullet each
// frame. A change of any boss's numbers, moves or firing changes its hash.
//
// When a change of play is intended, run the program with
// MIRELUNE_PRINT_BOSS_GOLDEN=1 and paste the printed table below.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/effects/Random.h"
#include "engine/graphics/DirectGraphics.h"
#include "game/shooting/object/bosses/BossFactory.h"
#include "tests/game/shooting/object/enemies/EnemyTestSupport.h"

namespace {

using namespace mirelune::test;

class Fnv {
  public:
    void add(std::int64_t value) {
        for (int i = 0; i < 8; ++i) {
            hash ^= static_cast<std::uint64_t>(value >> (8 * i)) & 0xFFu;
            hash *= 1099511628211ull;
        }
    }
    std::uint64_t value() const { return hash; }

  private:
    std::uint64_t hash = 1469598103934665603ull;
};

void addPicture(Fnv& fnv, const veru::dxt::material::Texture* picture) {
    fnv.add(picture != nullptr);
    if (picture) {
        fnv.add(picture->getWidth());
        fnv.add(picture->getHeight());
        fnv.add(picture->getAlpha());
        fnv.add(picture->getFrame());
    }
}

void addBoss(Fnv& fnv, const obj::Boss& boss) {
    fnv.add(boss.getX());
    fnv.add(boss.getY());
    fnv.add(boss.getHp());
    fnv.add(boss.getMaxHp());
    fnv.add(boss.getState());
    fnv.add(boss.getFrame());
    fnv.add(boss.getMoveFrame());
    fnv.add(boss.getFlashAlpha());
    fnv.add(boss.getFadeAlpha());
    fnv.add(boss.getExplosionFirst());
    fnv.add(boss.getExplosionCount());
    const obj::HitRect r = boss.getHitRect();
    fnv.add(r.left);
    fnv.add(r.top);
    fnv.add(r.right);
    fnv.add(r.bottom);
    addPicture(fnv, boss.getTexture());
    addPicture(fnv, boss.getDamageTexture());
    fnv.add(static_cast<std::int64_t>(boss.getSkills().size()));
    for (const auto& skill : boss.getSkills()) {
        fnv.add(static_cast<std::int64_t>(skill->getAttacks().size()));
        for (const auto& attack : skill->getAttacks()) {
            fnv.add(attack->getState());
            fnv.add(attack->getX());
            fnv.add(attack->getY());
        }
    }
}

// The fight: entry, talk, the first phase losing a hundredth of the full hit
// points every 10 frames, the change, the second phase losing a three
// hundredth every 10 frames, the death. A probe shot sweeps the boss's
// surroundings each frame and the picture queue is counted every 25 frames.
std::uint64_t fightHash(const char* name, int level) {
    GameFolder folder;
    veru::dxt::effect2D::seedStageRandom(20261208u);
    auto boss = obj::createBoss(name, 800, 480);
    EXPECT_TRUE(boss);
    if (!boss) {
        return 0;
    }
    boss->loadTextures(GameFolder::device());
    boss->loadSounds(folder.sounds());
    boss->setLevel(level);
    veru::dxt::DirectGraphics graphics(GameFolder::device());
    graphics.setCentred(true);

    Fnv fnv;
    fnv.add(boss->getScore());
    fnv.add(boss->getStartSound() != nullptr);
    fnv.add(boss->getDeadSound() != nullptr);
    for (const obj::HitPart& part : boss->getHitParts()) {
        for (int v : {part.part_x, part.part_y, part.left, part.right, part.top, part.bottom}) {
            fnv.add(v);
        }
    }
    for (const obj::ExplosionOffset& offset : boss->getExplosionOffsets()) {
        fnv.add(offset.x);
        fnv.add(offset.y);
    }
    boss->appear(800, 240);
    bool finished = false;
    int frame = 0;
    for (; frame < 8000 && !finished; ++frame) {
        const int px = 60 + (frame * 7) % 240;
        const int py = 40 + (frame * 13) % 400;
        if (boss->getState() == obj::STATE_READY && frame % 50 == 0) {
            boss->start();
        }
        if (frame % 10 == 0) {
            if (boss->getState() == obj::STATE_ACTIVE) {
                boss->damage(std::max(1, boss->getMaxHp() / 100));
            } else if (boss->getState() == obj::STATE_PINCH) {
                boss->damage(std::max(1, boss->getMaxHp() / 300));
            }
        }
        auto probe = playerShot(boss->getX() + (frame * 37) % 300 - 150,
                                boss->getY() + (frame * 53) % 300 - 150, 6, 6);
        fnv.add(boss->isHit(*probe));
        finished = boss->update(px, py);
        fnv.add(finished);
        addBoss(fnv, *boss);
        if (frame % 25 == 0) {
            boss->draw(graphics);
            fnv.add(static_cast<std::int64_t>(graphics.queuedSprites()));
            graphics.flushSprites();
        }
    }
    EXPECT_TRUE(finished) << name << " never ended";
    fnv.add(frame);
    veru::dxt::effect2D::useSecureRandom();
    return fnv.value();
}

struct Golden {
    const char* name;
    std::uint64_t easy;
    std::uint64_t normal;
    std::uint64_t hard;
};

// Recorded from the bosses as they play; see the top of this file.
constexpr Golden goldens[] = {
    {"Maruiyatu", 0x45a256b730791eebull, 0xd36fd9224bfebdebull, 0xd630daf41a71a45bull},
    {"TeruTeru", 0x4cf1922617590620ull, 0x77d56cd5e5d2424bull, 0x1088d77b99bf87c9ull},
    {"Erika", 0xfbea333bb13a626full, 0x4803797aab39435aull, 0x8c28b25029dd7e25ull},
    {"Kiriha", 0xfcabce72bae8af3full, 0x980f52a9ad7035c9ull, 0x1e9850c809797065ull},
    {"Sister", 0xb37fa52009e21652ull, 0x55f51a449fd2aef5ull, 0xb5ad9217384cc8d4ull},
    {"Sasaki", 0xfb27476efea45350ull, 0x31bce1b996c98f81ull, 0xec333a6413496712ull},
    {"Seiichirou", 0xf9f785e3adc725dbull, 0xb0c87b8fd7595f4bull, 0x770fdd7debace9feull},
    {"TrialBoss", 0x485aaf3672a5325aull, 0xb7b35a2b174c438cull, 0x680f1875164165e4ull},
};

TEST(BossGolden, EveryBossFightsExactlyAsRecorded) {
    const bool print = std::getenv("MIRELUNE_PRINT_BOSS_GOLDEN") != nullptr;
    for (const Golden& golden : goldens) {
        const std::uint64_t easy = fightHash(golden.name, obj::LEVEL_1);
        const std::uint64_t normal = fightHash(golden.name, obj::LEVEL_2);
        const std::uint64_t hard = fightHash(golden.name, obj::LEVEL_3);
        if (print) {
            std::printf("    {\"%s\", 0x%016llxull, 0x%016llxull, 0x%016llxull},\n", golden.name,
                        static_cast<unsigned long long>(easy),
                        static_cast<unsigned long long>(normal),
                        static_cast<unsigned long long>(hard));
        }
        EXPECT_EQ(easy, golden.easy) << golden.name << " easy";
        EXPECT_EQ(normal, golden.normal) << golden.name << " normal";
        EXPECT_EQ(hard, golden.hard) << golden.name << " hard";
    }
}

TEST(BossGolden, TheSameFightHashesTheSameTwice) {
    EXPECT_EQ(fightHash("Sister", obj::LEVEL_3), fightHash("Sister", obj::LEVEL_3));
}

}  // namespace
