// The stage script's grammar: the table stays consistent as statements are
// added (one row each, none hidden behind another, the check never looser
// than the game), the parse puts every line in its section, and the typed
// arguments and faults say what the game refuses and what only the check does.
#include <gtest/gtest.h>

#include <set>

#include "game/StageScriptGrammar.h"

namespace {

using ml::StagePlace;
using ml::StageWord;
using veru::YString;

std::vector<YString> linesOf(std::initializer_list<const char16_t*> lines) {
    return {lines.begin(), lines.end()};
}

TEST(StageScriptGrammarTest, EveryStatementHasOneRowThatItsSpellingSelects) {
    std::set<StageWord> seen;
    for (const ml::StageRule& rule : ml::stageRules()) {
        EXPECT_TRUE(seen.insert(rule.word).second) << YString(rule.spelling).toUtf8();
        EXPECT_EQ(&ml::stageRule(rule.word), &rule);
        // An earlier row that begins with or contains this spelling would hide it.
        for (StagePlace place : {StagePlace::Top, StagePlace::Talk, StagePlace::Shooting}) {
            if (rule.standsIn(place)) {
                EXPECT_EQ(ml::matchStageRule(place, rule.spelling), &rule)
                    << YString(rule.spelling).toUtf8() << " is hidden";
            }
        }
        EXPECT_LE(rule.arity, ml::kMaxStageArgs);
        for (int i = 0; i < rule.arity; ++i) {
            const ml::StageArg& arg = rule.args[static_cast<std::size_t>(i)];
            if (arg.type != ml::StageArgType::Number)
                continue;
            // The packer must never pass a number the game refuses.
            EXPECT_LE(arg.min, arg.checkMin) << YString(rule.spelling).toUtf8();
            EXPECT_LE(arg.checkMin, arg.checkMax) << YString(rule.spelling).toUtf8();
            EXPECT_LE(arg.checkMax, arg.max) << YString(rule.spelling).toUtf8();
        }
    }
    EXPECT_EQ(ml::matchStageRule(StagePlace::Shooting, u"Boss")->word, StageWord::Boss);
    EXPECT_EQ(ml::matchStageRule(StagePlace::Talk, u"Boss")->word, StageWord::BossHeader);
    EXPECT_EQ(ml::matchStageRule(StagePlace::Talk, u"TalkingImage")->word, StageWord::Talking)
        << "a header holding \"Image\" stays a header";
    EXPECT_EQ(ml::matchStageRule(StagePlace::Top, u"}"), nullptr);
    EXPECT_EQ(ml::matchStageRule(StagePlace::Top, u"enemy"), nullptr) << "case counts";
}

TEST(StageScriptGrammarTest, SectionsPlaceEveryStatementAndSayWhatTheSceneRuns) {
    const ml::StageScriptParse parse = ml::parseStageScript(linesOf({
        u"Back(img/back.ysf)",    // 1
        u"Talking {",             // 2
        u"Shooting {",            // 3: a statement of the talk: no section opens
        u"Enemy(Bat1, 900, 10)",  // 4: no statement in a talk
        u"",                      // 5: blank lines count
        u"}",                     // 6: closes the talk
        u"}",                     // 7: nothing to close
        u"Shooting_2 {",          // 8
        u"Boss(TrialBoss)",       // 9
        u"Talking",               // 10
        u"}",                     // 11
        u"Boss",                  // 12
        u"Talking {",             // 13
        u" , ( )",                // 14: no words
        u"Init(img/a.ytx, null)"  // 15: the script ends in the talk
    }));
    struct Expected {
        int line;
        StageWord word;
        StagePlace place;
        int section;
        bool runs;
    };
    const Expected expected[] = {
        {1, StageWord::Back, StagePlace::Top, 0, false},
        {2, StageWord::Talking, StagePlace::Top, 0, true},
        {3, StageWord::Shooting, StagePlace::Talk, 2, true},
        {4, StageWord::Unknown, StagePlace::Talk, 2, true},
        {6, StageWord::End, StagePlace::Talk, 2, true},
        {7, StageWord::Unknown, StagePlace::Top, 0, false},
        {8, StageWord::Shooting, StagePlace::Top, 0, true},
        {9, StageWord::Boss, StagePlace::Shooting, 8, false},
        {10, StageWord::Talking, StagePlace::Shooting, 8, false},
        {11, StageWord::End, StagePlace::Shooting, 8, false},
        {12, StageWord::BossHeader, StagePlace::Top, 0, true},
        {13, StageWord::Talking, StagePlace::Top, 0, true},
        {15, StageWord::Init, StagePlace::Talk, 13, true},
    };
    ASSERT_EQ(parse.statements.size(), std::size(expected));
    for (std::size_t i = 0; i < parse.statements.size(); ++i) {
        const ml::StageStatement& s = parse.statements[i];
        const Expected& e = expected[i];
        EXPECT_EQ(s.line, e.line);
        EXPECT_EQ(s.word(), e.word) << "line " << e.line;
        EXPECT_EQ(s.place, e.place) << "line " << e.line;
        EXPECT_EQ(s.section, e.section) << "line " << e.line;
        EXPECT_EQ(s.runsInScene(), e.runs) << "line " << e.line;
    }
    EXPECT_EQ(parse.unclosedSection, 13);
}

TEST(StageScriptGrammarTest, ArgumentsAreTypedAndFaultsSayWhetherTheGameRefuses) {
    const ml::StageScriptParse parse = ml::parseStageScript(linesOf({
        u"Shooting {",
        u"Enemy(Bat3, 1200, 500)",  // 2: below the field, but the game takes it
        u"Enemy(Bat3, 1200, 513)",  // 3: the game refuses it too
        u"Enemy(Bat30, x)",         // 4
        u"Wait(+60)",               // 5
    }));
    ASSERT_EQ(parse.statements.size(), 5u);
    const ml::StageStatement& low = parse.statements[1];
    EXPECT_TRUE(low.whole);
    EXPECT_EQ(low.number(1), 1200);
    EXPECT_EQ(low.number(2), 500);
    ASSERT_EQ(low.faults.size(), 1u);
    EXPECT_EQ(low.faults[0].kind, ml::StageFaultKind::OutOfRange);
    EXPECT_EQ(low.refusal(), nullptr);
    EXPECT_TRUE(low.readable(2));
    EXPECT_FALSE(low.sound(2));
    EXPECT_EQ(ml::describeStageFault(low, low.faults[0]),
              "the height 500 is outside the field (0 to 480)");

    const ml::StageStatement& off = parse.statements[2];
    ASSERT_NE(off.refusal(), nullptr);
    EXPECT_EQ(ml::describeStageFaultJa(off, *off.refusal()),
              u"敵の高さが範囲外です。「513」（-32～512）");

    const ml::StageStatement& broken = parse.statements[3];
    EXPECT_FALSE(broken.whole);
    std::vector<std::pair<ml::StageFaultKind, int>> faults;
    for (const ml::StageFault& f : broken.faults)
        faults.emplace_back(f.kind, f.arg);
    EXPECT_EQ(faults, (std::vector<std::pair<ml::StageFaultKind, int>>{
                          {ml::StageFaultKind::UnknownName, 0},
                          {ml::StageFaultKind::NotANumber, 1},
                          {ml::StageFaultKind::MissingArgument, 2}}));
    EXPECT_EQ(ml::describeStageFault(broken, broken.faults[0]),
              "unknown enemy kind \"Bat30\" (Bat1 to Bat24)");
    EXPECT_EQ(ml::describeStageFaultJa(broken, broken.faults[2]), u"「Enemy」の引数が足りません。");

    EXPECT_TRUE(parse.statements[4].whole);
    EXPECT_EQ(parse.statements[4].number(0), 60);
}

}  // namespace
