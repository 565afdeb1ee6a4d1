// The autopilot's decisions on small made-up fields, the command line of
// mlplaytest and the balance report.

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/platform/image/Image.h"
#include "game/StageHeroine.h"
#include "game/StagePhase.h"
#include "game/settings/GameSetting.h"
#include "game/shooting/object/ObjectCodes.h"
#include "game/shooting/object/attacks/StraightAttack.h"
#include "tests/support/TempDir.h"
#include "tools/playtest/Autopilot.h"
#include "tools/playtest/BalanceReport.h"
#include "tools/playtest/FieldReader.h"
#include "tools/playtest/MovePlanner.h"
#include "tools/playtest/PlaytestOptions.h"

using namespace ml::playtest;
using mirelune::test::TempDir;

namespace {

FieldView fieldWithPlayerAt(int x, int y) {
    FieldView v;
    v.x = x;
    v.y = y;
    return v;
}

Threat bullet(double x, double y, double vx, double vy, int half = 5) {
    Threat t;
    t.x = x;
    t.y = y;
    t.vx = vx;
    t.vy = vy;
    t.left = t.top = -half;
    t.right = t.bottom = half;
    return t;
}

// Where the player is after following the planner for `frames` frames with
// the threats moving on.
void follow(FieldView& v, const MovePlanner& planner, int frames, bool& hit) {
    hit = false;
    for (int f = 0; f < frames && !hit; ++f) {
        const Move m = planner.plan(v);
        MovePlanner::fly(v, m.directions, m.slow ? v.slowSpeed : v.speed, 1, v.x, v.y);
        for (Threat& t : v.threats) {
            t.vx += t.ax;
            t.vy += t.ay;
            t.x += t.vx;
            t.y += t.vy;
            hit = hit || (v.x + v.left < t.x + t.right && v.x + v.right > t.x + t.left &&
                          v.y + v.top < t.y + t.bottom && v.y + v.bottom > t.y + t.top);
        }
    }
}

}  // namespace

TEST(MovePlannerTest, PredictsAcceleratedPathsAndKeepsThePlayerInTheField) {
    Threat t = bullet(100, 100, -2, 1);
    t.ax = -0.5;
    double x = 0, y = 0;
    MovePlanner::predict(t, 3, x, y);
    // v: -2.5, -3, -3.5 -> x 100 - 9; y 100 + 3.
    EXPECT_DOUBLE_EQ(x, 91);
    EXPECT_DOUBLE_EQ(y, 103);

    FieldView v = fieldWithPlayerAt(30, 20);
    int px = v.x, py = v.y;
    MovePlanner::fly(v, kButtonUp | kButtonLeft, 5, 10, px, py);
    EXPECT_EQ(px, 20);  // hit area's left edge at 0
    EXPECT_EQ(py, 11);
    px = v.x, py = v.y;
    MovePlanner::fly(v, kButtonDown | kButtonRight, 5, 200, px, py);
    EXPECT_EQ(px, 780);
    EXPECT_EQ(py, 469);
}

TEST(MovePlannerTest, LinesUpWithTheNearestTargetInFrontAndPrefersItems) {
    const MovePlanner planner;
    FieldView v = fieldWithPlayerAt(150, 240);
    v.targets = {{600, 100, false}, {400, 380, false}, {100, 50, false}};  // the last is behind
    EXPECT_EQ(planner.plan(v).directions & (kButtonUp | kButtonDown), kButtonDown);
    v.targets.push_back({300, 240, true});  // a boss part nearer still: bats come first
    EXPECT_EQ(planner.plan(v).directions & (kButtonUp | kButtonDown), kButtonDown);

    // An item wins over lining up: followed, the planner flies onto it.
    v.pickups = {{300, 120}};
    bool hit = false;
    follow(v, planner, 40, hit);
    EXPECT_LE(std::abs(v.x - 300) + std::abs(v.y - 120), 10) << v.x << "," << v.y;

    // Nothing to do: stay where it is.
    FieldView idle = fieldWithPlayerAt(150, 240);
    EXPECT_EQ(planner.plan(idle).directions, 0);
    EXPECT_FALSE(planner.plan(idle).doomed);
}

TEST(MovePlannerTest, DodgesBulletsItSeesComing) {
    const MovePlanner planner;
    // Straight at the player from the right, from above-right on a slant,
    // and an accelerating one: followed, the player is never hit.
    const std::vector<std::vector<Threat>> volleys = {
        {bullet(300, 240, -6, 0)},
        {bullet(260, 120, -3, 3)},
        {[] {
            Threat t = bullet(400, 240, -1, 0, 8);
            t.ax = -0.4;
            return t;
        }()},
        // A wall with one gap below the player.
        {bullet(300, 180, -5, 0, 12), bullet(300, 210, -5, 0, 12), bullet(300, 240, -5, 0, 12),
         bullet(300, 270, -5, 0, 12)},
    };
    for (std::size_t i = 0; i < volleys.size(); ++i) {
        FieldView v = fieldWithPlayerAt(150, 240);
        v.threats = volleys[i];
        bool hit = false;
        follow(v, planner, 80, hit);
        EXPECT_FALSE(hit) << "volley " << i;
    }
}

TEST(MovePlannerTest, SeesALongBeamByItsNearestEdge) {
    // A beam across the whole field, its middle far to the right of the
    // player, creeping up onto her: she must get out of its way.
    const MovePlanner planner;
    FieldView v = fieldWithPlayerAt(150, 240);
    Threat beam;
    beam.x = 400;
    beam.y = 275;
    beam.vy = -1;
    beam.left = -400;
    beam.right = 400;
    beam.top = -4;
    beam.bottom = 4;
    v.threats = {beam};
    bool hit = false;
    follow(v, planner, 60, hit);
    EXPECT_FALSE(hit);
}

TEST(MovePlannerTest, ABulletWithNoWayOutIsDoomed) {
    const MovePlanner planner;
    // Pressed into the corner with a huge bullet about to land.
    FieldView v = fieldWithPlayerAt(20, 11);
    v.threats = {bullet(60, 40, -20, -20, 60)};
    const Move m = planner.plan(v);
    EXPECT_TRUE(m.doomed);
    EXPECT_GT(m.firstHit, 0);
    // Far away it is not.
    v.threats = {bullet(700, 400, -1, 0)};
    EXPECT_FALSE(planner.plan(v).doomed);
}

TEST(FieldReaderTest, LeadsABobbingBossToWhereTheShotsWillMeetIt) {
    // Going down at 3 a frame between 100 and 380: 10 frames on is 30 lower;
    // past the bottom it turns back, as the boss does once beyond the end.
    EXPECT_EQ(FieldReader::bobbedY(200, 3, 100, 380, 10), 230);
    EXPECT_EQ(FieldReader::bobbedY(200, 3, 100, 380, 0), 200);
    // 375 -> 378 -> 381 (past 380: turns) -> 378 -> 375 -> 372.
    EXPECT_EQ(FieldReader::bobbedY(375, 3, 100, 380, 5), 372);
    // Going up it turns once below the top.
    EXPECT_EQ(FieldReader::bobbedY(104, -3, 100, 380, 4), 104);
    // A boss standing still stays where it is.
    EXPECT_EQ(FieldReader::bobbedY(240, 0, 100, 380, 40), 240);
}

// A bullet made where a freed one lay (the allocator hands the same block
// straight back) is a new threat: no step guessed from the old one's place,
// no age carried over. Keyed by address, it inherited both.
TEST(FieldReaderTest, ANewObjectInheritsNothingFromAFreedOne) {
    using ml::shooting::object::StraightAttack;
    FieldReader reader;
    FieldView before;
    auto bullet =
        std::make_unique<StraightAttack>(ml::shooting::object::KIND_ENEMY_ATTACK, 800, 480);
    bullet->setPosition(100, 100);
    reader.addGuessed(*bullet, before);
    reader.endRead();
    FieldView same;
    bullet->setPosition(104, 100);
    reader.addGuessed(*bullet, same);
    reader.endRead();
    ASSERT_EQ(same.threats.size(), 1u);
    EXPECT_EQ(same.threats[0].vx, 4);
    EXPECT_EQ(same.threats[0].age, 1);

    bullet.reset();
    auto next = std::make_unique<StraightAttack>(ml::shooting::object::KIND_ENEMY_ATTACK, 800, 480);
    next->setPosition(300, 300);
    FieldView after;
    reader.addGuessed(*next, after);
    ASSERT_EQ(after.threats.size(), 1u);
    EXPECT_EQ(after.threats[0].vx, 0);
    EXPECT_EQ(after.threats[0].vy, 0);
    EXPECT_EQ(after.threats[0].age, 0);
}

TEST(AutopilotTest, ShootsAlwaysKintubaOnAnEmptyGaugeBombsOnlyWhenDoomedWithThreeStock) {
    Attention none;
    none.lapsePerFrame = 0;
    none.reactionFrames = 0;
    Autopilot pilot(nullptr, nullptr, {}, 1, none);
    const Autopilot::Masks m;
    FieldView calm = fieldWithPlayerAt(150, 240);
    calm.bossFight = true;
    FieldView doomed = fieldWithPlayerAt(20, 11);
    doomed.threats = {bullet(60, 40, -20, -20, 60)};

    EXPECT_EQ(pilot.playWord(calm, 500, 3, true) & (m.shoot | m.special | m.bomb), m.shoot);
    // An empty gauge: one press, released on the next frame, pressed again after.
    EXPECT_TRUE(pilot.playWord(calm, 0, 1, true) & m.special);
    EXPECT_FALSE(pilot.playWord(calm, 0, 1, true) & m.special);
    EXPECT_TRUE(pilot.playWord(calm, 0, 1, true) & m.special);
    pilot.playWord(calm, 500, 1, true);
    EXPECT_FALSE(pilot.playWord(calm, 0, 0, true) & m.special);  // no stock

    EXPECT_FALSE(pilot.playWord(doomed, 500, 2, true) & m.bomb);   // two stock: no bomb
    EXPECT_FALSE(pilot.playWord(doomed, 500, 3, false) & m.bomb);  // cannot be hit anyway
    pilot.playWord(calm, 500, 3, true);
    EXPECT_TRUE(pilot.playWord(doomed, 500, 3, true) & m.bomb);
    EXPECT_EQ(pilot.getBombsPressed(), 1);
    EXPECT_EQ(pilot.getKintubasPressed(), 2);
}

// Hotaru's slow button changes her weapon: the pilot never moves slowly with
// her, and taps the button (a fresh press each time) until she has its weapon.
TEST(AutopilotTest, FliesHotaruWithoutSlowMovesAndTapsToHerWeapon) {
    Attention none;
    none.lapsePerFrame = 0;
    none.reactionFrames = 0;
    Autopilot pilot(nullptr, nullptr, {}, 1, none);
    const Autopilot::Masks m;
    // Dodging a bullet, she never moves slowly.
    FieldView view = fieldWithPlayerAt(150, 240);
    view.threats = {bullet(200, 244, -5, 0, 60)};
    view.wantedWeapon = ml::hotaruHeroine().autopilotWeapon;
    view.weapon = view.wantedWeapon;
    for (int f = 0; f < 30; ++f)
        EXPECT_FALSE(pilot.playWord(view, 500, 0, true) & m.slow) << f;

    view.threats.clear();
    view.weapon = 3;
    EXPECT_TRUE(pilot.playWord(view, 500, 0, true) & m.slow);
    EXPECT_FALSE(pilot.playWord(view, 500, 0, true) & m.slow);  // released between taps
    EXPECT_TRUE(pilot.playWord(view, 500, 0, true) & m.slow);
    view.weapon = view.wantedWeapon;
    pilot.playWord(view, 500, 0, true);
    EXPECT_FALSE(pilot.playWord(view, 500, 0, true) & m.slow);
}

TEST(AutopilotTest, KeepsStockForTheBossAndRefillsOnlyOnAnEmptyGauge) {
    FieldView waves = fieldWithPlayerAt(150, 240);
    FieldView boss = waves;
    boss.bossFight = true;
    const int full = Autopilot::kStockFull;
    // Before the boss: only a full stock is spent, so no pick-up is wasted.
    EXPECT_FALSE(Autopilot::wantsKintuba(waves, 0, full - 1));
    EXPECT_TRUE(Autopilot::wantsKintuba(waves, 0, full));
    EXPECT_FALSE(Autopilot::wantsKintuba(waves, 1, full));
    // The boss: any stock, on an empty gauge only; none without stock.
    EXPECT_TRUE(Autopilot::wantsKintuba(boss, 0, 1));
    EXPECT_FALSE(Autopilot::wantsKintuba(boss, 300, 1));
    EXPECT_FALSE(Autopilot::wantsKintuba(boss, 0, 0));
    // The stage ignores stock while the boss slides in and during a bomb:
    // pressing then would only count presses that did nothing.
    using namespace ml::shooting::object;
    EXPECT_TRUE(ml::stage::stockTakesEffect(ml::stage::kBossBattle, STATE_RECOVER));
    EXPECT_FALSE(ml::stage::stockTakesEffect(ml::stage::kBossApproach, STATE_ACTIVE));
    EXPECT_FALSE(ml::stage::stockTakesEffect(ml::stage::kBossBattle, STATE_BOMB));
}

TEST(AutopilotTest, DodgesOnlyWhatItHasNoticedAndLapsesLessOnABusyField) {
    // A bullet on its way to the player: seen at once it is dodged, while it
    // is newer than the reaction time the pilot flies on as if it were not.
    FieldView v = fieldWithPlayerAt(150, 240);
    v.threats = {bullet(190, 240, -4, 0)};
    Attention quick;
    quick.lapsePerFrame = 0;
    quick.reactionFrames = 0;
    Attention slow = quick;
    slow.reactionFrames = 10;
    const int directions = kButtonUp | kButtonDown | kButtonLeft | kButtonRight;
    Autopilot alert(nullptr, nullptr, {}, 1, quick);
    Autopilot late(nullptr, nullptr, {}, 1, slow);
    EXPECT_NE(alert.playWord(v, 500, 0, true) & directions, 0);
    EXPECT_EQ(late.playWord(v, 500, 0, true) & directions, 0);
    v.threats[0].age = 10;
    EXPECT_NE(late.playWord(v, 500, 0, true) & directions, 0);

    // A lapse is as likely as set on a calm field, (1 + n / busyThreats)
    // times rarer with n threats close by; far ones do not count.
    Attention drifting;
    drifting.lapsePerFrame = 0.2;
    drifting.busyThreats = 2;
    const Autopilot pilot(nullptr, nullptr, {}, 5, drifting);
    FieldView calm = fieldWithPlayerAt(150, 240);
    FieldView storm = calm;
    for (int i = 0; i < 20; ++i)
        storm.threats.push_back(bullet(100 + 10 * i, 200 + 4 * i, 0, 0, 2));
    calm.threats.push_back(bullet(700, 240, 0, 0));
    EXPECT_DOUBLE_EQ(pilot.lapseChance(calm), 0.2);
    EXPECT_DOUBLE_EQ(pilot.lapseChance(storm), 0.2 / 11);
}

TEST(AutopilotTest, LapsesComeFromItsOwnSeedAndRepeatThePlay) {
    // Two pilots with the same seed answer the same words; another seed
    // lapses elsewhere.
    Attention often;
    often.lapsePerFrame = 0.2;
    auto words = [&](std::uint32_t seed) {
        Autopilot pilot(nullptr, nullptr, {}, seed, often);
        std::vector<int> out;
        FieldView v = fieldWithPlayerAt(150, 240);
        for (int f = 0; f < 200; ++f) {
            v.targets = {{600, f % 50 < 25 ? 80 : 400, false}};
            out.push_back(pilot.playWord(v, 500, 0, true));
        }
        return out;
    };
    EXPECT_EQ(words(3), words(3));
    EXPECT_NE(words(3), words(4));
}

TEST(PlaytestOptionsTest, ReadsTheOptionsAndRefusesWhatItCannotUse) {
    std::string error;
    auto o = PlaytestOptions::parse({}, error);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->levels, std::vector<int>{ml::GameSetting::kLevelNormal});
    EXPECT_EQ(o->seed, 1u);
    EXPECT_EQ(o->runs, 1);
    EXPECT_EQ(o->character, 1);

    // A heroine by her number or her name, in any case.
    for (const ml::StageHeroine& heroine : ml::heroines()) {
        std::string upper = heroine.key;
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        for (const std::string& named :
             {std::to_string(heroine.number), std::string(heroine.key), upper}) {
            o = PlaytestOptions::parse({"--character", named}, error);
            ASSERT_TRUE(o) << error;
            EXPECT_EQ(o->character, heroine.number) << named;
        }
    }
    o = PlaytestOptions::parse({"--level", "hard", "--seed", "7", "--runs", "20", "--record",
                                "a.rpl", "--report", "b.png"},
                               error);
    ASSERT_TRUE(o) << error;
    EXPECT_EQ(o->levels, std::vector<int>{ml::GameSetting::kLevelHard});
    EXPECT_EQ(o->seed, 7u);
    EXPECT_EQ(o->runs, 20);
    EXPECT_EQ(o->recordPath, "a.rpl");
    EXPECT_EQ(o->reportPath, "b.png");
    o = PlaytestOptions::parse({"--level", "all"}, error);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->levels.size(), 3u);
    o = PlaytestOptions::parse({"--replay", "last.rpl", "--record", "new.rpl"}, error);
    ASSERT_TRUE(o) << error;
    EXPECT_EQ(o->replayPath, "last.rpl");
    EXPECT_EQ(o->recordPath, "new.rpl");

    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"--level", "medium"},
                                               {"--seed", "-1"},
                                               {"--seed", "12x"},
                                               {"--seed", "4294967296"},
                                               {"--seed", "4294967295", "--runs", "2"},
                                               {"--runs", "0"},
                                               {"--runs"},
                                               {"--verbose"},
                                               {"--replay", "a.rpl", "--level", "hard"},
                                               {"--seed", "3", "--replay", "a.rpl"},
                                               {"--character", "3"},
                                               {"--character", "kiriha"},
                                               {"--character", "hotaru2"},
                                               {"--character", "2", "--replay", "a.rpl"},
                                               {"--replay"},
                                               {"7"}}) {
        error.clear();
        EXPECT_FALSE(PlaytestOptions::parse(bad, error)) << bad[0];
        EXPECT_FALSE(error.empty()) << bad[0];
    }
}

TEST(BalanceReportTest, SummarisesRunsAndFindsThePartWithTheMostHits) {
    BalanceReport report;
    const int normal = ml::GameSetting::kLevelNormal;
    RunResult clean{normal, 1, true, true, 0, 1, 0, 1000, 100, {{1200, false}}};
    RunResult continued{
        normal, 2,
        true,   true,
        1,      5,
        2,      3000,
        300,    {{1200, false}, {1300, false}, {1499, false}, {2600, false}, {0, true}}};
    RunResult stuck{normal, 3, false, false, 0, 0, 0, 0, 120000, {}};
    report.add(clean);
    report.add(continued);
    report.add(stuck);
    const auto s = report.summary(normal);
    EXPECT_EQ(s.runs, 3);
    EXPECT_EQ(s.clears, 2);
    EXPECT_EQ(s.clearsNoContinue, 1);
    EXPECT_EQ(s.stuck, 1);
    EXPECT_DOUBLE_EQ(s.livesLost, 2.0);
    EXPECT_DOUBLE_EQ(s.score, 4000.0 / 3);
    EXPECT_EQ(s.hits, 6);
    EXPECT_EQ(s.bossHits, 1);
    ASSERT_GE(s.bins.size(), 6u);
    EXPECT_EQ(s.bins[2], 4);  // 1000-1500
    EXPECT_DOUBLE_EQ(s.worstShare(), 4.0 / 6);
    const std::string table = report.table();
    EXPECT_NE(table.find("| normal | 3 | 33% | 66% |"), std::string::npos) << table;
    EXPECT_NE(table.find("1000-1500 (67%)"), std::string::npos) << table;
    EXPECT_EQ(report.summary(ml::GameSetting::kLevelHard).runs, 0);
    // Along the stage by 1000 positions: 0-1000 none, 1000-2000 four, 2000-3000 one, the boss one.
    const std::string hits = report.hitsTable();
    EXPECT_NE(hits.find("| normal | 0 | 4 | 1 | 1 |"), std::string::npos) << hits;
}

TEST(BalanceReportTest, DrawsOneStripPerDifficultyWithTheHitsAsBars) {
    BalanceReport report;
    report.add({ml::GameSetting::kLevelEasy, 1, true, true, 0, 0, 0, 10, 10, {}});
    report.add({ml::GameSetting::kLevelHard,
                1,
                true,
                false,
                0,
                3,
                0,
                10,
                10,
                {{400, false}, {400, false}, {0, true}}});
    TempDir dir;
    const std::string path = (dir.path() / "report.png").string();
    ASSERT_TRUE(report.writePng(path));
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    veru::platform::Image image;
    ASSERT_TRUE(veru::platform::decodeImage(bytes, image));
    EXPECT_EQ(image.width, 800);
    EXPECT_EQ(image.height, BalanceReport::stripTop(2));
    auto at = [&](int x, int y) {
        return image.pixels[static_cast<std::size_t>(y) * 800 + x] & 0xFFFFFF;
    };
    const int easyTop = BalanceReport::stripTop(0);
    const int hardTop = BalanceReport::stripTop(1);
    // The hard strip (the second) has a red bar in its first bin and a
    // half-height one for the boss; the easy strip none.
    const int hardBottom = hardTop + BalanceReport::kPngStrip - 2;
    EXPECT_EQ(at(12, hardBottom), 0xE05050u);
    EXPECT_EQ(at(775, hardBottom), 0xE05050u);
    EXPECT_NE(at(775, hardTop + 20), 0xE05050u);
    EXPECT_NE(at(12, easyTop + 118), 0x58C878u);
    // The easy strip's clear bar runs the whole width; the hard one none.
    EXPECT_EQ(at(700, easyTop + 1), 0xF0F0F0u);
    EXPECT_NE(at(700, hardTop + 1), 0xF0F0F0u);
    // Each strip has its caption written above it, and the positions
    // stand under the last one.
    auto inked = [&](int top) {
        int n = 0;
        for (int y = top; y < top + BalanceReport::kPngLabel; ++y)
            for (int x = 0; x < 800; ++x)
                n += at(x, y) != 0x1A1A24u;
        return n;
    };
    EXPECT_GT(inked(easyTop - BalanceReport::kPngLabel), 100);
    EXPECT_GT(inked(hardTop - BalanceReport::kPngLabel), 100);
    EXPECT_GT(inked(BalanceReport::stripTop(2) - BalanceReport::kPngLabel), 20);
    EXPECT_FALSE(report.writePng((dir.path() / "no" / "such" / "x.png").string()));
}
