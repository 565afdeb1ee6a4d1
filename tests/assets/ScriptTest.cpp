// The talk scripts: every statement is one the talk scene knows, every file
// they name is in the manifest with the right kind, every sentence fits the
// talk window as it is laid out (three lines of 23 characters, wrapped lines
// of quotations and thoughts indented), and the two scripts together use the
// whole statement language. The packed .dat files hold the same lines.
// The stage script passes the stage check against the manifest and is a stage
// worth playing: long enough, every bat group, waves that build, breathe and
// build again, enough items, the talk in the story's order.
// Also: every data path named in the game's code is in the manifest.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <sstream>

#include "engine/adventure/SentenceLayout.h"
#include "engine/adventure/Statement.h"
#include "engine/core/Language.h"
#include "engine/core/YString.h"
#include "engine/exceptions/Exception.h"
#include "engine/io/ByteFileReader.h"
#include "engine/io/Scrambler.h"
#include "engine/platform/text/FontFace.h"
#include "game/StageScriptCheck.h"
#include "tests/assets/AssetManifest.h"

namespace mirelune::assets {
namespace {

using veru::YString;

// Column counts of the lines a sentence is shown on: 23 columns a line,
// "+" breaks the line, and a quotation (「…」) or a thought (（…）) indents
// every wrapped line by one full-width space. `plusAtWrap` is set when a "+"
// falls exactly on a wrap, where it would be shown as a character.
std::vector<int> layOut(const std::u16string& text, bool* plusAtWrap = nullptr) {
    const bool indented = (text.size() >= 2) && ((text.front() == u'「' && text.back() == u'」') ||
                                                 (text.front() == u'（' && text.back() == u'）'));
    std::vector<int> lines;
    int column = 0;
    for (char16_t c : text) {
        if (column == 23) {
            lines.push_back(23);
            column = indented ? 2 : 1;
            if (c == u'+' && plusAtWrap)
                *plusAtWrap = true;
        } else if (c == u'+') {
            lines.push_back(column);
            column = indented ? 1 : 0;
        } else {
            ++column;
        }
    }
    lines.push_back(column);
    return lines;
}

std::vector<std::u16string> tokens(const YString& line) {
    const veru::adv::Statement statement(line);
    std::vector<std::u16string> out;
    if (!statement.keyword().empty())
        out.push_back(statement.keyword());
    for (std::size_t i = 0; i < statement.argumentCount(); ++i)
        out.push_back(statement.argument(i));
    return out;
}

bool isEnglish(const std::string& file) {
    return file.find(".en.") != std::string::npos;
}

// The English words of a stage's talk: packed as a script, but talk lines only.
bool isStageTalk(const ManifestEntry& entry) {
    return entry.kind == "script" && entry.path.rfind("script/stage_", 0) == 0;
}

// The lines an English sentence is shown on, laid out as the talk window
// does with the proportional face.
std::vector<veru::adv::SentenceLayout::Line> layOutEnglish(const std::u16string& text, int size,
                                                           int width) {
    static std::map<int, std::unique_ptr<veru::platform::FontFace>> faces;
    auto& face = faces[size];
    if (!face) {
        std::string error;
        face = veru::platform::FontFace::open(veru::kEnglishTextFace, size, false, false, error);
        EXPECT_TRUE(face) << error;
        if (!face)
            return {};
    }
    veru::platform::FontFace* f = face.get();
    const veru::adv::SentenceLayout layout(
        text, size, true, [f](char16_t c) { return f->advance(c); }, width);
    return layout.getLines();
}

// The source text with its comments blanked out, string literals kept, so
// examples written in comments are not taken for files the code loads.
std::string withoutComments(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        if (s[i] == '"' || s[i] == '\'') {
            const char quote = s[i];
            out += s[i++];
            while (i < s.size() && s[i] != quote && s[i] != '\n') {
                if (s[i] == '\\' && i + 1 < s.size())
                    out += s[i++];
                out += s[i++];
            }
            if (i < s.size())
                out += s[i++];
        } else if (s.compare(i, 2, "//") == 0) {
            while (i < s.size() && s[i] != '\n')
                ++i;
        } else if (s.compare(i, 2, "/*") == 0) {
            const auto end = s.find("*/", i + 2);
            i = end == std::string::npos ? s.size() : end + 2;
            out += ' ';
        } else {
            out += s[i++];
        }
    }
    return out;
}

std::string utf8(const std::u16string& text) {
    return YString(text).toUtf8();
}

std::vector<YString> readSourceLines(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::vector<YString> lines;
    for (std::string line; std::getline(in, line);)
        if (!line.empty())
            lines.push_back(YString::fromUtf8(line));
    return lines;
}

// Every line of a source file, empty ones included (they count for line numbers).
std::vector<YString> readAllLines(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::vector<YString> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(YString::fromUtf8(line));
    return lines;
}

int fontSize(const std::u16string& word) {
    if (word == u"SMALL" || word == u"Small")
        return 15;
    return word == u"BIG" ? 36 : 23;
}

TEST(AssetSentenceLayoutTest, WrapsAndIndentsAsTheTalkWindowDoes) {
    EXPECT_EQ(layOut(std::u16string(23, u'あ')), (std::vector<int>{23}));
    EXPECT_EQ(layOut(std::u16string(24, u'あ')), (std::vector<int>{23, 1}));
    EXPECT_EQ(layOut(u"「" + std::u16string(23, u'あ') + u"」"), (std::vector<int>{23, 3}));
    EXPECT_EQ(layOut(u"「ああ+いい」"), (std::vector<int>{3, 4}));
    EXPECT_EQ(layOut(u"ああ+いい"), (std::vector<int>{2, 2}));
    bool plus = false;
    layOut(std::u16string(23, u'あ') + u"+い", &plus);
    EXPECT_TRUE(plus);
}

class AssetScriptTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { veru::io::registerGameFileKeys(); }

    void expectNamedFile(const std::u16string& name, std::initializer_list<const char*> kinds,
                         const char* what) {
        const auto entry = findEntry(entries, utf8(name));
        if (!entry) {
            ADD_FAILURE() << what << " " << utf8(name) << " is not in the manifest";
            return;
        }
        bool ok = false;
        for (const char* kind : kinds)
            ok = ok || entry->kind == kind;
        EXPECT_TRUE(ok) << what << " " << utf8(name) << " is a " << entry->kind;
        if (what == std::string("Back")) {
            EXPECT_GE(entry->width, 800)
                << "background " << utf8(name) << " is narrower than the screen";
            EXPECT_GE(entry->height, 600)
                << "background " << utf8(name) << " is lower than the screen";
        }
    }

    std::vector<ManifestEntry> entries = loadManifest();
};

TEST_F(AssetScriptTest, TalkScriptsAreValidAndFitTheWindow) {
    std::set<std::u16string> keywords, sizeWords, fadeFlags, instantFlags;
    int scripts = 0;
    for (const ManifestEntry& script : entries) {
        if (script.kind != "script" || isStageTalk(script))
            continue;
        ++scripts;
        SCOPED_TRACE(script.path);
        const auto lines = readSourceLines(assetsDir() / script.file);
        ASSERT_FALSE(lines.empty());
        int sentences = 0;
        bool backSeen = false;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const auto t = tokens(lines[i]);
            SCOPED_TRACE("line: " + lines[i].toUtf8());
            ASSERT_FALSE(t.empty()) << "a line of delimiters only";
            const std::u16string& k = t[0];
            keywords.insert(k);
            const auto arg = [&](std::size_t n) { return n < t.size() ? t[n] : std::u16string(); };
            if (k == u"BGM") {
                ASSERT_EQ(t.size(), 2u);
                if (arg(1) != u"stop")
                    expectNamedFile(arg(1), {"music", "wave"}, "BGM");
            } else if (k == u"SE") {
                ASSERT_EQ(t.size(), 2u);
                if (arg(1) != u"stop")
                    expectNamedFile(arg(1), {"wave"}, "SE");
            } else if (k == u"Face" || k == u"Back") {
                ASSERT_EQ(t.size(), 2u);
                if (arg(1) != u"null")
                    expectNamedFile(arg(1), {"texture32", "texture24"},
                                    k == u"Face" ? "Face" : "Back");
                backSeen = backSeen || k == u"Back";
            } else if (k == u"Sentence") {
                ASSERT_EQ(t.size(), 6u) << "speaker, text, size, fade flag, instant flag";
                EXPECT_TRUE(backSeen) << "a sentence before the first background is never shown";
                ++sentences;
                sizeWords.insert(arg(3));
                fadeFlags.insert(arg(4));
                instantFlags.insert(arg(5));
                EXPECT_TRUE(arg(4) == u"true" || arg(4) == u"false");
                EXPECT_TRUE(arg(5) == u"true" || arg(5) == u"false");
                if (isEnglish(script.file)) {
                    EXPECT_LE(layOutEnglish(arg(2), fontSize(arg(3)),
                                            veru::adv::SentenceLayout::kProportionalWidth)
                                  .size(),
                              3u)
                        << "more than three lines";
                    EXPECT_EQ(arg(2).find_first_of(u"「」【】（）"), std::u16string::npos)
                        << "Japanese brackets in English text";
                    continue;
                }
                bool plusAtWrap = false;
                const auto shown = layOut(arg(2), &plusAtWrap);
                EXPECT_LE(shown.size(), 3u) << "more than three lines";
                EXPECT_FALSE(plusAtWrap) << "a '+' right after a full line is shown as a character";
                int widest = 0;
                for (int columns : shown)
                    widest = std::max(widest, columns);
                // text starts at x = 200; every character takes one cell of its size
                EXPECT_LE(200 + widest * fontSize(arg(3)), 790) << "runs off the right edge";
            } else if (k == u"Wait") {
                ASSERT_EQ(t.size(), 2u);
                const std::string ms = utf8(arg(1));
                EXPECT_TRUE(!ms.empty() && ms.find_first_not_of("0123456789") == std::string::npos);
                EXPECT_LE(std::stoi(ms), 3000) << "the whole game stands still meanwhile";
            } else if (k == u"break" || k == u"end") {
                EXPECT_EQ(t.size(), 1u);
            } else {
                ADD_FAILURE() << "unknown statement " << utf8(k);
            }
        }
        EXPECT_EQ(tokens(lines.back())[0], u"end") << "a script ends with \"end\"";
        EXPECT_GE(sentences, 20);
        EXPECT_LE(sentences, 40);
    }
    EXPECT_EQ(scripts, 8) << "each heroine's prologue and closing, in Japanese and English";
    for (const char16_t* k :
         {u"BGM", u"SE", u"Face", u"Back", u"Sentence", u"Wait", u"break", u"end"})
        EXPECT_TRUE(keywords.count(k)) << "no script uses " << utf8(k);
    for (const char16_t* w : {u"SMALL", u"Small", u"BIG"})
        EXPECT_TRUE(sizeWords.count(w)) << "no sentence uses the size " << utf8(w);
    EXPECT_TRUE(std::any_of(sizeWords.begin(), sizeWords.end(),
                            [](const auto& w) { return fontSize(w) == 23; }));
    EXPECT_EQ(fadeFlags, (std::set<std::u16string>{u"true", u"false"}));
    EXPECT_EQ(instantFlags, (std::set<std::u16string>{u"true", u"false"}));
}

TEST_F(AssetScriptTest, EachEnglishScriptPlaysAsItsJapaneseOne) {
    // The same pictures, sounds, waits and sentence sizes and flags, in the
    // same order: only the words differ.
    int pairs = 0;
    for (const ManifestEntry& english : entries) {
        if (english.kind != "script" || !isEnglish(english.file) || isStageTalk(english))
            continue;
        ++pairs;
        std::string japanese = english.file;
        japanese.erase(japanese.find(".en."), 3);
        SCOPED_TRACE(english.file);
        const auto en = readSourceLines(assetsDir() / english.file);
        const auto ja = readSourceLines(assetsDir() / japanese);
        ASSERT_EQ(en.size(), ja.size());
        for (std::size_t i = 0; i < en.size(); ++i) {
            auto a = tokens(en[i]);
            auto b = tokens(ja[i]);
            SCOPED_TRACE(en[i].toUtf8());
            ASSERT_EQ(a.size(), b.size());
            if (!a.empty() && a[0] == u"Sentence") {
                EXPECT_EQ(a[1] == u"null", b[1] == u"null") << "a narrator line became speech";
                a[1] = b[1];
                a[2] = b[2];
            }
            EXPECT_EQ(a, b);
        }
    }
    EXPECT_EQ(pairs, 4);
}

TEST_F(AssetScriptTest, EachStagesEnglishTalkMatchesItsLinesAndFitsTheBalloons) {
    // The talk lines' sides in order, as the game pairs them.
    const auto sides = [](const std::vector<YString>& lines) {
        std::vector<int> out;
        for (const YString& line : lines) {
            if (line.starts_with(u"1P_Talk(") || line.starts_with(u"2P_Talk("))
                out.push_back(line[0] - u'0');
        }
        return out;
    };
    // Balloons are 400 pixels wide with 20 of margin either side.
    const auto balloon = findEntry(entries, "img/player_ta.ytx");
    ASSERT_TRUE(balloon);
    const int room = balloon->width - 2 * 20;
    int stages = 0;
    for (const ManifestEntry& english : entries) {
        if (!isStageTalk(english))
            continue;
        ++stages;
        SCOPED_TRACE(english.file);
        std::string japanese = english.file;
        japanese.erase(japanese.find(".en."), 3);
        const auto lines = readSourceLines(assetsDir() / english.file);
        EXPECT_EQ(sides(lines), sides(readSourceLines(assetsDir() / japanese)));
        for (const YString& line : lines) {
            SCOPED_TRACE(line.toUtf8());
            const std::size_t open = line.find(u'(');
            const std::size_t close = line.rfind(u')');
            ASSERT_TRUE(open != std::u16string::npos && close > open);
            const std::u16string text = line.substr(open + 1, close - open - 1);
            EXPECT_LE(layOutEnglish(text, 24, room).size(),
                      static_cast<std::size_t>(ml::kStageTalkLines));
        }
    }
    EXPECT_EQ(stages, 2);
}

TEST_F(AssetScriptTest, EachHeroinesPrologueIsHersAlone) {
    // The prologue sends one heroine flying: she talks in it, and the other
    // never does (in a closing the other may greet her at the shop).
    struct Prologue {
        const char* file;
        const char16_t* heroine;
        const char16_t* other;
        const char* otherFaces;
    };
    for (const Prologue& p :
         {Prologue{"src/script/trial.txt", u"シロ", u"ホタル", "img/face_hotaru_"},
          Prologue{"src/script/trialK.txt", u"ホタル", u"シロ", "img/face_siro_"}}) {
        SCOPED_TRACE(p.file);
        int hers = 0;
        for (const YString& line : readSourceLines(assetsDir() / p.file)) {
            const auto t = tokens(line);
            if (t.size() >= 2 && t[0] == u"Sentence") {
                hers += t[1] == p.heroine;
                EXPECT_NE(t[1], p.other) << line.toUtf8();
            }
            if (t.size() >= 2 && t[0] == u"Face") {
                EXPECT_NE(utf8(t[1]).rfind(p.otherFaces, 0), 0u) << line.toUtf8();
            }
        }
        EXPECT_GE(hers, 8);
    }
}

TEST_F(AssetScriptTest, PackedScriptsHoldTheSourceLines) {
    for (const ManifestEntry& script : entries) {
        if (script.kind != "script" && script.kind != "stage")
            continue;
        SCOPED_TRACE(script.path);
        // A stage keeps its blank lines (not the trailing ones), so the game
        // counts lines as the check does; talk scripts drop them.
        auto expected = script.kind == "stage" ? readAllLines(assetsDir() / script.file)
                                               : readSourceLines(assetsDir() / script.file);
        while (!expected.empty() && expected.back().empty())
            expected.pop_back();
        std::vector<YString> packed;
        try {
            veru::io::ByteFileReader reader(YString::fromUtf8((gameDir() / script.path).string()));
            reader.setKeys(0, veru::io::fileKeyFor("dat"));
            while (!reader.isEOF())
                if (auto line = reader.readLine())
                    packed.push_back(*line);
            reader.close();
        } catch (const veru::excp::Exception& ex) {
            FAIL() << ex.getMessage().toUtf8();
        }
        EXPECT_EQ(packed, expected);
    }
}

// Each heroine flies the same stage; her script names her own talk portraits
// and never the other's.
struct HeroineStage {
    const char* path;
    const char* ownPortraits;
    const char* otherPortraits;
    friend void PrintTo(const HeroineStage& h, std::ostream* os) { *os << h.path; }
};

class AssetStageTest : public AssetScriptTest, public ::testing::WithParamInterface<HeroineStage> {
  protected:
    void SetUp() override {
        const auto entry = findEntry(entries, GetParam().path);
        ASSERT_TRUE(entry.has_value()) << GetParam().path << " is not in the manifest";
        ASSERT_EQ(entry->kind, "stage");
        stage = *entry;
        lines = readAllLines(assetsDir() / stage.file);
        const ml::StageFileCatalogue files = [this](const YString& path, ml::StageFileUse use) {
            const auto found = findEntry(entries, path.toUtf8());
            if (!found)
                return false;
            if (use == ml::StageFileUse::Background)
                return found->kind == "surface";
            if (use == ml::StageFileUse::Picture)
                return found->kind == "texture32" || found->kind == "texture24";
            return found->kind == "wave" || found->kind == "music";
        };
        checked = ml::checkStageScript(lines, files);
    }

    ManifestEntry stage;
    std::vector<YString> lines;
    ml::StageScriptCheckResult checked;
};

INSTANTIATE_TEST_SUITE_P(
    Heroines, AssetStageTest,
    ::testing::Values(HeroineStage{"script/stage_trial.dat", "img/talk_siro_", "img/talk_hotaru_"},
                      HeroineStage{"script/stage_trialK.dat", "img/talk_hotaru_",
                                   "img/talk_siro_"}),
    [](const auto& info) { return std::string(info.index == 0 ? "Shiro" : "Hotaru"); });

TEST_F(AssetScriptTest, EveryStageScriptIsFlownByAHeroine) {
    std::set<std::string> stages;
    for (const ManifestEntry& e : entries)
        if (e.kind == "stage")
            stages.insert(e.path);
    EXPECT_EQ(stages, (std::set<std::string>{"script/stage_trial.dat", "script/stage_trialK.dat"}));
}

TEST_P(AssetStageTest, PassesTheStageCheck) {
    for (const auto& p : checked.problems)
        ADD_FAILURE() << stage.file << " line " << p.line << ": " << p.message;
}

TEST_P(AssetStageTest, IsLongVariedAndPacedWithEnoughItems) {
    const ml::StagePlan& plan = checked.plan;
    ASSERT_FALSE(plan.enemies.empty());
    // one pixel a frame: an enemy enters when the stage counter is position - 800
    const int lastEntry = plan.enemies.back().position - 800;
    EXPECT_GE(lastEntry / 60.0, 150.0) << "the shooting phase is shorter than 2 1/2 minutes";
    EXPECT_LE(lastEntry / 60.0 + 10, 240.0) << "the shooting phase is longer than 4 minutes";
    EXPECT_GE(plan.enemies.front().position - 800, 180) << "the first bats come with the captions";

    std::set<int> kinds;
    for (const auto& e : plan.enemies)
        kinds.insert(ml::batNumber(e.kind));
    EXPECT_GE(kinds.size(), 16u) << "at least 16 of the 24 bats";
    const auto any = [&](int from, int to) {
        return kinds.lower_bound(from) != kinds.end() && *kinds.lower_bound(from) <= to;
    };
    EXPECT_TRUE(any(1, 14)) << "no stop-and-fire bat";
    EXPECT_TRUE(any(15, 18)) << "no all-at-once bat";
    EXPECT_TRUE(any(19, 19)) << "no periodic bat";
    EXPECT_TRUE(any(20, 24)) << "no laser bat";

    // The player starts at the lowest of five shot levels; three level-ups
    // reach the second-highest, two more make up for lost lives.
    int levelUps = 0, kintubas = 0, chances = 0;
    for (const auto& e : plan.enemies) {
        levelUps += e.item == ml::StageItemKind::LevelUp;
        kintubas += e.item == ml::StageItemKind::Kintuba;
        chances += e.item == ml::StageItemKind::Chance;
    }
    EXPECT_GE(levelUps, 5);
    EXPECT_GE(kintubas, 6) << "two bombs' worth of kintuba";
    EXPECT_GE(chances, 1);
    EXPECT_LE(chances, 2);
    // the last level-up before the last minute, so a collector fights the boss with it
    int lastLevelUp = 0;
    for (const auto& e : plan.enemies)
        if (e.item == ml::StageItemKind::LevelUp)
            lastLevelUp = e.position - 800;
    EXPECT_LE(lastLevelUp, lastEntry - 600);

    EXPECT_EQ(plan.boss, u"TrialBoss");
    EXPECT_GT(plan.bossDelay, 0);
    EXPECT_LE(plan.bossDelay, 600) << "the player would wait too long for the boss";

    // Waves: bats arriving in ten seconds rise to a peak, fall to a breath of
    // less than 40 % of it, and rise again to 80 % or more.
    const int seconds = lastEntry / 60 + 1;
    std::vector<int> perSecond(seconds), window(seconds);
    for (const auto& e : plan.enemies)
        ++perSecond[(e.position - 800) / 60];
    for (int s = 0; s < seconds; ++s)
        for (int k = std::max(0, s - 9); k <= s; ++k)
            window[s] += perSecond[k];
    const int peak = *std::max_element(window.begin(), window.end());
    bool buildBreatheBuild = false;
    for (int a = 0; a < seconds && !buildBreatheBuild; ++a)
        for (int b = a + 10; b < seconds && !buildBreatheBuild && window[a] * 10 >= peak * 6; ++b)
            for (int c = b + 10; c < seconds && window[b] * 10 < peak * 4; ++c)
                buildBreatheBuild = buildBreatheBuild || window[c] * 10 >= peak * 8;
    EXPECT_TRUE(buildBreatheBuild) << "the waves do not build, breathe and build again";

    // The background keeps scrolling through the shooting phase and ends
    // near the boss's arrival (the window stops at the picture's edge).
    const auto back = findEntry(entries, "img/stage_trial_back.ysf");
    ASSERT_TRUE(back.has_value());
    EXPECT_GE(back->width - 800, lastEntry) << "the background stops before the last bats";
    EXPECT_LE(back->width - 800, lastEntry + 2000) << "the boss arrives long before its ground";
}

TEST_P(AssetStageTest, TalkRunsInTheStorysOrder) {
    std::vector<std::string> order;
    bool playBeforeBattle = false, inTalk = false;
    for (const ml::StageStatement& s : checked.plan.statements) {
        if (s.word() == ml::StageWord::Talking)
            order.push_back("talk"), inTalk = true;
        else if (s.word() == ml::StageWord::Shooting)
            order.push_back("shooting");
        else if (s.word() == ml::StageWord::BossHeader)
            order.push_back("battle");
        else if (s.word() == ml::StageWord::End)
            inTalk = false;
        else if (inTalk && s.word() == ml::StageWord::Play)
            playBeforeBattle = order.size() >= 2 && order[order.size() - 2] == "shooting";
    }
    EXPECT_EQ(order, (std::vector<std::string>{"talk", "shooting", "talk", "battle", "talk"}));
    EXPECT_TRUE(playBeforeBattle) << "the boss tune starts in the talk when he arrives";
    std::set<std::string> pictures;
    for (const YString& p : checked.plan.pictures)
        pictures.insert(p.toUtf8());
    EXPECT_TRUE(pictures.count("img/talk_kintubat.ytx")) << "a bat talks before the stage";
    for (const char* p : {"img/talk_seiichirou_normal.ytx", "img/talk_seiichirou_troubled.ytx"})
        EXPECT_TRUE(pictures.count(p)) << p;
    const auto named = [&](const std::string& prefix) {
        return std::count_if(pictures.begin(), pictures.end(),
                             [&](const std::string& p) { return p.rfind(prefix, 0) == 0; });
    };
    EXPECT_GE(named(GetParam().ownPortraits), 3) << "the heroine talks with at least three faces";
    EXPECT_EQ(named(GetParam().otherPortraits), 0) << "the other heroine is not in this stage";
    int sides[3] = {0, 0, 0};
    for (const auto& t : checked.plan.talk)
        ++sides[t.side];
    EXPECT_GE(sides[1], 5);
    EXPECT_GE(sides[2], 5);
}

TEST_F(AssetScriptTest, EveryDataPathInTheCodeIsInTheManifest) {
    // Whole literals naming a data file; pieces of names built at run time are left out.
    const std::regex literal(
        R"re("((?:img|sound|script)/[^"\\]+\.(?:ytx|ysf|dat|wav|ogg|png))")re");
    std::set<std::string> missing;
    int files = 0;
    for (const char* folder : {"engine", "game", "frontend", "app"}) {
        const auto root = sourceDir() / folder;
        if (!std::filesystem::exists(root))
            continue;
        for (const auto& item : std::filesystem::recursive_directory_iterator(root)) {
            const auto ext = item.path().extension();
            if (!item.is_regular_file() || (ext != ".cpp" && ext != ".h"))
                continue;
            ++files;
            std::ifstream in(item.path());
            std::stringstream text;
            text << in.rdbuf();
            const std::string s = withoutComments(text.str());
            for (std::sregex_iterator m(s.begin(), s.end(), literal), end; m != end; ++m)
                if (!findEntry(entries, (*m)[1]))
                    missing.insert((*m)[1].str() + " (" + item.path().filename().string() + ")");
        }
    }
    EXPECT_GT(files, 0);
    for (const std::string& path : missing)
        ADD_FAILURE() << "named in the code but not in assets/manifest.txt: " << path;
}

}  // namespace
}  // namespace mirelune::assets
