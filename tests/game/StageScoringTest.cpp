// What a hit costs and which sound it plays, for each heroine's row.

#include "game/StageScoring.h"

#include <gtest/gtest.h>

#include "engine/scene/PlayStatus.h"
#include "game/StageHeroine.h"
#include "game/shooting/cmp/ScoreDisplay.h"
#include "game/shooting/object/players/PlayerCharacter.h"
#include "tests/game/shooting/object/ObjectTestSupport.h"

using mirelune::test::CountingSound;

// Hotaru has a sound of her own for a hit that finds the gauge empty; the
// last life still sounds as the fall it is.
TEST(StageScoring, AHitOnAnEmptyGaugePlaysTheHeroinesOwnSoundButNotOnTheLastLife) {
    auto player = ml::hotaruHeroine().makePlayer(800, 480);
    ml::shooting::cmp::ScoreDisplay score;
    CountingSound empty;
    struct Case {
        const char* name;
        int gauge;
        int lives;
        int emptyPlays;
        bool lastLife;
    };
    const Case cases[] = {
        {"gauge left", 1, 2, 0, false},
        {"gauge empty", 0, 2, 1, false},
        {"gauge empty, last life", 0, 0, 0, true},
    };
    for (const Case& c : cases) {
        veru::dxt::PlayStatus status;
        status.gauge = c.gauge;
        status.lives = c.lives;
        empty.plays = 0;
        player->setLastLife(false);
        ml::StageScoring(status, *player, score, nullptr, &empty).playerHit();
        EXPECT_EQ(empty.plays, c.emptyPlays) << c.name;
        EXPECT_EQ(player->isLastLife(), c.lastLife) << c.name;
        EXPECT_EQ(status.lives, c.lives > 0 ? c.lives - 1 : 0) << c.name;
    }

    // Without a sound of her own (Shiro) an empty gauge changes nothing.
    veru::dxt::PlayStatus status;
    status.gauge = 0;
    ml::StageScoring(status, *player, score, nullptr).playerHit();
    EXPECT_EQ(status.lives, 1);
}

TEST(StageHeroine, TheRowsAreFoundByTheStatusNumber) {
    EXPECT_EQ(&ml::stageHeroine(2), &ml::hotaruHeroine());
    for (int number : {1, 0, 3, -1})
        EXPECT_EQ(&ml::stageHeroine(number), &ml::shiroHeroine()) << number;
    EXPECT_EQ(ml::shiroHeroine().emptyGaugeSound, nullptr);
    EXPECT_NE(ml::hotaruHeroine().emptyGaugeSound, nullptr);
}
