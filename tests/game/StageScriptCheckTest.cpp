// The stage-script check: the words, the names the game can make, and a
// broken script refused with its line — unknown names, an item nobody takes
// up, files the game lacks, numbers that are no numbers, missing arguments,
// and the talk or section shapes that would leave a stage stuck.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "game/StageScriptCheck.h"

namespace {

using ml::StageFileUse;
using veru::YString;

std::vector<YString> linesOf(const std::u16string& text) {
    std::vector<YString> lines;
    std::u16string line;
    for (char16_t c : text) {
        if (c == u'\n') {
            lines.emplace_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.emplace_back(line);
    return lines;
}

// Every file under img/ or sound/ exists except those holding "missing".
bool knownFile(const YString& path, StageFileUse use) {
    const std::string p = path.toUtf8();
    if (p.find("missing") != std::string::npos)
        return false;
    switch (use) {
        case StageFileUse::Background:
            return p.ends_with(".ysf");
        case StageFileUse::Picture:
            return p.ends_with(".ytx");
        case StageFileUse::Sound:
            return p.ends_with(".wav") || p.ends_with(".ogg");
    }
    return false;
}

const std::u16string kSetUp =
    u"Back(img/back.ysf)\n"
    u"BGM(sound/stage.ogg)\n"
    u"BOSS_BGM(sound/boss.ogg)\n"
    u"BOSS_Face(img/face.ytx)\n"
    u"Info_Start1(img/s1.ytx)\n"
    u"Info_Start2(img/s2.ytx)\n"
    u"Info_End(img/end.ytx)\n";  // lines 1-7

const std::u16string kTalk =
    u"Talking {\n"
    u"Init(img/a.ytx, img/b.ytx)\n"
    u"1P_Talk(こんにちは)\n"
    u"2P_Talk(やあ+元気？)\n"
    u"}\n";

ml::StageScriptCheckResult check(const std::u16string& shooting, const std::u16string& before = u"",
                                 const std::u16string& after = u"Boss\n") {
    return ml::checkStageScript(
        linesOf(kSetUp + before + u"Shooting {\n" + shooting + u"}\n" + after), knownFile);
}

// The problems as "line: message" for the failure output, and their lines.
std::string describe(const ml::StageScriptCheckResult& r) {
    std::string s;
    for (const auto& p : r.problems)
        s += std::to_string(p.line) + ": " + p.message + "\n";
    return s;
}

std::set<int> problemLines(const ml::StageScriptCheckResult& r) {
    std::set<int> lines;
    for (const auto& p : r.problems)
        lines.insert(p.line);
    return lines;
}

bool mentions(const ml::StageScriptCheckResult& r, int line, const std::string& text) {
    for (const auto& p : r.problems)
        if (p.line == line && p.message.find(text) != std::string::npos)
            return true;
    return false;
}

std::string describeWarnings(const ml::StageScriptCheckResult& r) {
    std::string s;
    for (const auto& w : r.warnings)
        s += std::to_string(w.line) + ": " + w.message + "\n";
    return s;
}

std::set<int> warningLines(const ml::StageScriptCheckResult& r) {
    std::set<int> lines;
    for (const auto& w : r.warnings)
        lines.insert(w.line);
    return lines;
}

bool warns(const ml::StageScriptCheckResult& r, int line, const std::string& text) {
    for (const auto& w : r.warnings)
        if (w.line == line && w.message.find(text) != std::string::npos)
            return true;
    return false;
}

TEST(StageScriptWordsTest, AnyMixOfDelimitersGivesTheSameWords) {
    const std::vector<YString> expected{u"Enemy", u"Bat3", u"1200", u"240"};
    EXPECT_EQ(ml::splitStageLine(u"Enemy(Bat3, 1200, 240)"), expected);
    EXPECT_EQ(ml::splitStageLine(u"  Enemy Bat3 1200 240"), expected);
    EXPECT_EQ(ml::splitStageLine(u"\tEnemy:Bat3,,1200)(240 "), expected);
    EXPECT_TRUE(ml::splitStageLine(u" ,:()\t").empty());
    EXPECT_TRUE(ml::splitStageLine(u"").empty());
}

TEST(StageScriptWordsTest, NamesAreExact) {
    EXPECT_EQ(ml::batNumber(u"Bat1"), 1);
    EXPECT_EQ(ml::batNumber(u"Bat24"), 24);
    for (const char16_t* wrong :
         {u"Bat0", u"Bat25", u"Bat01", u"bat3", u"Bat", u"Bat+3", u"Bat3x", u"Bat100", u"XBat3"})
        EXPECT_FALSE(ml::isBatKind(wrong)) << YString(wrong).toUtf8();
    EXPECT_TRUE(ml::isBossName(u"TrialBoss"));
    EXPECT_TRUE(ml::isBossName(u"Seiichirou"));
    EXPECT_FALSE(ml::isBossName(u"trialboss"));
    EXPECT_FALSE(ml::isBossName(u"TrialBoss2"));
    EXPECT_EQ(ml::stageItemKind(u"LevelUp"), ml::StageItemKind::LevelUp);
    EXPECT_EQ(ml::stageItemKind(u"Kintuba"), ml::StageItemKind::Kintuba);
    EXPECT_EQ(ml::stageItemKind(u"Chance"), ml::StageItemKind::Chance);
    EXPECT_EQ(ml::stageItemKind(u"Levelup"), ml::StageItemKind::None);
    EXPECT_TRUE(ml::wordBeginsWith(u"Talking2", u"Talking"));
    EXPECT_FALSE(ml::wordBeginsWith(u"MyTalking", u"Talking"));
    EXPECT_TRUE(ml::wordContains(u"MyTalking", u"Talking"));
}

TEST(StageScriptWordsTest, NumbersAreWholeDecimalsOnly) {
    EXPECT_EQ(ml::readStageNumber(u"1200"), 1200);
    EXPECT_EQ(ml::readStageNumber(u"-5"), -5);
    EXPECT_EQ(ml::readStageNumber(u"+7"), 7);
    EXPECT_EQ(ml::readStageNumber(u"2147483647"), 2147483647);
    EXPECT_EQ(ml::readStageNumber(u"-2147483648"), -2147483647 - 1);
    for (const char16_t* wrong :
         {u"", u"-", u"abc", u"12abc", u"1.5", u"2147483648", u"99999999999999999999", u"１２"})
        EXPECT_FALSE(ml::readStageNumber(wrong).has_value()) << YString(wrong).toUtf8();
}

TEST(StageScriptCheckTest, AGoodScriptPassesAndIsLaidOut) {
    const auto r = check(
        u"Item(LevelUp)\n"
        u"Enemy(Bat3, 1200, 240)\n"
        u"\n"
        u"Enemy Bat24 1200 40\n"
        u"Item(Kintuba)\n"
        u"Enemy(Bat1, 1500, 480)\n"
        u"Wait(300)\n"
        u"Wait(120)\n"
        u"Boss(TrialBoss)\n",
        kTalk, u"Talking {\nInit(null, img/c.ytx)\n2P_Talk(ふふ)\nPlay\n}\nBoss\n" + kTalk);
    EXPECT_TRUE(r.ok()) << describe(r);
    ASSERT_EQ(r.plan.enemies.size(), 3u);
    EXPECT_EQ(r.plan.enemies[0].kind, u"Bat3");
    EXPECT_EQ(r.plan.enemies[0].position, 1200);
    EXPECT_EQ(r.plan.enemies[0].y, 240);
    EXPECT_EQ(r.plan.enemies[0].item, ml::StageItemKind::LevelUp);
    EXPECT_EQ(r.plan.enemies[1].item, ml::StageItemKind::None);
    EXPECT_EQ(r.plan.enemies[2].item, ml::StageItemKind::Kintuba);
    EXPECT_EQ(r.plan.enemies[2].line, 19);
    EXPECT_EQ(r.plan.boss, u"TrialBoss");
    EXPECT_EQ(r.plan.bossDelay, 120) << "the last Wait counts";
    ASSERT_EQ(r.plan.talk.size(), 5u);
    EXPECT_EQ(r.plan.talk[1].side, 2);
    EXPECT_EQ(r.plan.talk[1].text, u"やあ+元気？");
}

TEST(StageScriptCheckTest, UnknownNamesAreRefusedWithTheirLine) {
    const auto r = check(
        u"Enemy(Bat25, 1200, 240)\n"  // 9
        u"Enemy(bat3, 1300, 240)\n"   // 10
        u"Item(Levelup)\n"            // 11
        u"Enemy(Bat1, 1400, 240)\n"   // 12
        u"Boss(Trialboss)\n");        // 13
    EXPECT_EQ(problemLines(r), (std::set<int>{0, 9, 10, 11, 13})) << describe(r);
    EXPECT_TRUE(mentions(r, 9, "Bat25"));
    EXPECT_TRUE(mentions(r, 11, "Levelup"));
    EXPECT_TRUE(mentions(r, 13, "Trialboss"));
    EXPECT_TRUE(mentions(r, 0, "no boss")) << "an unknown boss leaves the stage without one";
}

TEST(StageScriptCheckTest, AnItemNoEnemyTakesUpIsRefused) {
    // Two items in a row: the first is never carried; an item at the end of
    // the section neither.
    const auto r = check(
        u"Item(LevelUp)\n"           // 9
        u"Item(Kintuba)\n"           // 10
        u"Enemy(Bat1, 1200, 240)\n"  // 11
        u"Boss(TrialBoss)\n"         // 12
        u"Item(Chance)\n");          // 13
    EXPECT_EQ(problemLines(r), (std::set<int>{9, 13})) << describe(r);
    EXPECT_TRUE(mentions(r, 9, "no \"Enemy\" takes up"));
    ASSERT_EQ(r.plan.enemies.size(), 1u);
    EXPECT_EQ(r.plan.enemies[0].item, ml::StageItemKind::Kintuba) << "the second goes to the enemy";
}

TEST(StageScriptCheckTest, NumbersArgumentsAndOrderAreChecked) {
    const auto r = check(
        u"Enemy(Bat1, 12OO, 240)\n"  // 9: letter O
        u"Enemy(Bat1, 1300, abc)\n"  // 10
        u"Enemy(Bat1, 1400)\n"       // 11
        u"Enemy\n"                   // 12
        u"Enemy(Bat1, 1500, 481)\n"  // 13
        u"Enemy(Bat1, 1450, 100)\n"  // 14: before 1500
        u"Wait(three)\n"             // 15
        u"Wait\n"                    // 16
        u"Boss\n"                    // 17
        u"Boss(TrialBoss)\n"
        u"Item\n");  // 19
    EXPECT_EQ(problemLines(r), (std::set<int>{9, 10, 11, 12, 13, 14, 15, 16, 17, 19}))
        << describe(r);
    EXPECT_TRUE(mentions(r, 9, "\"12OO\" is not a number"));
    EXPECT_TRUE(mentions(r, 10, "\"abc\" is not a number"));
    EXPECT_TRUE(mentions(r, 11, "needs"));
    EXPECT_TRUE(mentions(r, 13, "outside the field"));
    EXPECT_TRUE(mentions(r, 14, "file order"));
    EXPECT_TRUE(mentions(r, 17, "needs a boss name"));
}

TEST(StageScriptCheckTest, FilesTheGameLacksAreRefused) {
    std::u16string setUp = kSetUp;
    setUp.replace(setUp.find(u"img/face.ytx"), 12, u"img/missing_face.ytx");
    setUp.replace(setUp.find(u"sound/boss.ogg"), 14, u"img/boss.ytx");  // a picture as music
    const auto r = ml::checkStageScript(
        linesOf(setUp + u"Talking {\n"
                        u"Init(img/a.ytx, img/missing_b.ytx)\n"  // 9
                        u"2P_Image(img/missing_c.ytx)\n"         // 10
                        u"2P_Talk(あ)\n"
                        u"}\n"
                        u"Shooting {\nEnemy(Bat1, 900, 10)\nBoss(TrialBoss)\n}\nBoss\n"),
        knownFile);
    EXPECT_EQ(problemLines(r), (std::set<int>{3, 4, 9, 10})) << describe(r);
    EXPECT_TRUE(mentions(r, 9, "img/missing_b.ytx"));
    EXPECT_TRUE(mentions(r, 10, "img/missing_c.ytx"));
}

TEST(StageScriptCheckTest, AStageThatWouldGetStuckOrMissAPartIsRefused) {
    // no set-up, no shooting section
    auto r = ml::checkStageScript(linesOf(kTalk), knownFile);
    EXPECT_TRUE(mentions(r, 0, "no \"Shooting\" section")) << describe(r);
    EXPECT_TRUE(mentions(r, 0, "no \"Info_End\" line")) << describe(r);

    // a shooting section without a boss, and no battle header after it
    r = check(u"Enemy(Bat1, 900, 10)\n", u"", u"");
    EXPECT_TRUE(mentions(r, 0, "no \"Boss\" line")) << describe(r);
    EXPECT_TRUE(mentions(r, 0, "no \"Boss\" header")) << describe(r);

    // a section never closed
    r = ml::checkStageScript(linesOf(kSetUp + u"Talking {\nInit(img/a.ytx, null)\n"), knownFile);
    EXPECT_TRUE(mentions(r, 8, "never closed")) << describe(r);
}

TEST(StageScriptCheckTest, NumbersTheStageCannotUseAreRefused) {
    const auto r = check(
        u"Enemy(Bat1, 100000, 10)\n"      // 9: the last position the counter reaches
        u"Enemy(Bat1, 100801, 10)\n"      // 10
        u"Enemy(Bat1, 2147483647, 10)\n"  // 11
        u"Wait(3600)\n"
        u"Wait(2147483647)\n"  // 13
        u"Wait(-1)\n"          // 14
        u"Boss(TrialBoss)\n");
    EXPECT_EQ(problemLines(r), (std::set<int>{10, 11, 13, 14})) << describe(r);
    EXPECT_TRUE(mentions(r, 10, "the position 100801 is outside 0 to 100000")) << describe(r);
    EXPECT_TRUE(mentions(r, 11, "the position 2147483647 is outside")) << describe(r);
    EXPECT_TRUE(mentions(r, 13, "a wait of 2147483647 frames: it takes 0 to 3600")) << describe(r);
    EXPECT_TRUE(mentions(r, 14, "a wait of -1 frames")) << describe(r);
}

TEST(StageScriptCheckTest, SectionShapesTheStageWouldPlayWronglyAreRefused) {
    // A Shooting section left open: the next talk's "}" would close it.
    auto r = ml::checkStageScript(linesOf(kSetUp + u"Shooting {\n"  // 8
                                                   u"Enemy(Bat1, 900, 10)\n"
                                                   u"Boss(TrialBoss)\n"
                                                   u"Talking {\n"  // 11
                                                   u"Play\n"
                                                   u"}\n"
                                                   u"Boss\n"),
                                  knownFile);
    EXPECT_TRUE(mentions(r, 11,
                         "a \"Talking\" section opens inside the \"Shooting\" section "
                         "of line 8"))
        << describe(r);

    // "Shooting" inside a talk, a second Shooting section, a second Boss header.
    r = ml::checkStageScript(
        linesOf(kSetUp + u"Talking {\n"   // 8
                         u"Shooting {\n"  // 9
                         u"}\n"
                         u"Shooting {\nEnemy(Bat1, 900, 10)\nBoss(TrialBoss)\n}\n"  // 11
                         u"Shooting {\nBoss(TrialBoss)\n}\n"                        // 15
                         u"Boss\n"                                                  // 18
                         u"Talking {\nBoss\n}\n"                                    // 19-21
                         u"Boss\n"),                                                // 22
        knownFile);
    EXPECT_EQ(problemLines(r), (std::set<int>{9, 15, 20, 22})) << describe(r);
    EXPECT_TRUE(mentions(r, 9,
                         "a \"Shooting\" section opens inside the \"Talking\" section of "
                         "line 8"))
        << describe(r);
    EXPECT_TRUE(mentions(r, 15, "a second \"Shooting\" section (the first opens at line 11)"))
        << describe(r);
    EXPECT_TRUE(mentions(r, 20, "a \"Boss\" header inside the \"Talking\" section of line 19"))
        << describe(r);
    EXPECT_TRUE(mentions(r, 22, "a second \"Boss\" header (the first at line 18)")) << describe(r);
}

TEST(StageScriptCheckTest, LinesTheGameSkipsAreWarnedOfButPass) {
    const auto r = check(
        u"Enemy　Bat1　900　10\n"    // 9: full-width spaces
        u"enemy(Bat1, 900, 10)\n"    // 10: lower case
        u"Enemy（Bat1，900，10）\n"  // 11: full-width punctuation
        u"// Bat2 was here\n"        // 12: a comment
        u"Enemy(Bat1, 900, 10)\n"
        u"Boss(TrialBoss)\n",
        u"Talking {\n"  // 8
        u"Init(img/a.ytx, null)\n"
        u"1p_talk(hi)\n"
        u"1P_Talk(hi)\n"
        u"}\n",
        u"boss\nBoss\n");
    EXPECT_TRUE(r.ok()) << describe(r);
    // The talk takes lines 8-12, so the Shooting section opens at 13.
    EXPECT_EQ(warningLines(r), (std::set<int>{10, 14, 15, 16, 21})) << describeWarnings(r);
    EXPECT_TRUE(warns(r, 10, "did you mean \"1P_Talk\"? case counts")) << describeWarnings(r);
    EXPECT_TRUE(warns(r, 14, "full-width spaces or punctuation do not separate words"))
        << describeWarnings(r);
    EXPECT_TRUE(warns(r, 15,
                      "ignored in a \"Shooting\" section: \"enemy\" is no statement "
                      "there (did you mean \"Enemy\"? case counts)"))
        << describeWarnings(r);
    EXPECT_TRUE(warns(r, 16, "full-width")) << describeWarnings(r);
    EXPECT_TRUE(warns(r, 21, "ignored outside a section: \"boss\"")) << describeWarnings(r);
}

TEST(StageScriptCheckTest, ScriptsBeyondTheSizeLimitsAreRefused) {
    std::u16string many;
    for (int i = 0; i <= ml::StageLimits::kMaxEnemies; ++i)
        many += u"Enemy(Bat1, 900, 10)\n";
    auto r = check(many + u"Boss(TrialBoss)\n");
    EXPECT_EQ(problemLines(r), (std::set<int>{9 + ml::StageLimits::kMaxEnemies})) << describe(r);
    EXPECT_TRUE(mentions(r, 9 + ml::StageLimits::kMaxEnemies, "more than 5000 enemies"));

    std::vector<YString> lines = linesOf(kSetUp);
    lines.resize(ml::StageLimits::kMaxLines + 1);
    r = ml::checkStageScript(lines, knownFile);
    EXPECT_TRUE(mentions(r, 0, "the script has 20001 lines: at most 20000 are read"))
        << describe(r);
}

TEST(StageScriptCheckTest, TalkLinesMustBeShowable) {
    const auto r = check(u"Enemy(Bat1, 900, 10)\nBoss(TrialBoss)\n",
                         u"Talking {\n"                                    // 8
                         u"Init(null, img/b.ytx)\n"                        // 9
                         u"1P_Talk(だれ？)\n"                              // 10: no portrait
                         u"2P_Talk(ぼくだよ)\n"                            // 11
                         u"1P_Image(img/a.ytx)\n"                          // 12
                         u"1P_Talk(ああ、きみか)\n"                        // 13: fine now
                         u"2P_Talk(一行目+二行目+三行目+四行目)\n"         // 14: four lines
                         u"2P_Talk(十五文字ある長い長い長いせりふです)\n"  // 15: too wide
                         u"2P_Talk(abcdefghijklmnopqrstuvwxyz01)\n"        // 16: 28 fit
                         u"2P_Talk(Hello, world)\n"                        // 17: cut short
                         u"1P_Talk\n"                                      // 18
                         u"}\n");
    EXPECT_EQ(problemLines(r), (std::set<int>{10, 14, 15, 17, 18})) << describe(r);
    EXPECT_TRUE(mentions(r, 10, "side 1 shows no portrait"));
    EXPECT_TRUE(mentions(r, 17, "only \"Hello\""));
    EXPECT_EQ(ml::talkTextColumns(u"ああ+あああ"), 6);
    EXPECT_EQ(ml::talkTextColumns(u"ab+ｱｲｳ"), 3);
    EXPECT_EQ(ml::talkTextLines(u"a+b+c"), 3);
}

}  // namespace
