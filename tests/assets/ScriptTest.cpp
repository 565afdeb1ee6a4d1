// The talk scripts: every statement is one the talk scene knows, every file
// they name is in the manifest with the right kind, every sentence fits the
// talk window as it is laid out (three lines of 23 characters, wrapped lines
// of quotations and thoughts indented), and the two scripts together use the
// whole statement language. The packed .dat files hold the same lines.
// Also: every data path named in the game's code is in the manifest.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "engine/core/StringTokenizer.h"
#include "engine/core/YString.h"
#include "engine/exceptions/Exception.h"
#include "engine/io/ByteFileReader.h"
#include "engine/io/Scrambler.h"
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
    veru::util::StringTokenizer tokenizer(line, YString(u": ,()"));
    std::vector<std::u16string> out;
    while (const char16_t* token = tokenizer.nextToken())
        out.emplace_back(token);
    return out;
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
        if (script.kind != "script")
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
    EXPECT_EQ(scripts, 2);
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

TEST_F(AssetScriptTest, PackedScriptsHoldTheSourceLines) {
    for (const ManifestEntry& script : entries) {
        if (script.kind != "script")
            continue;
        SCOPED_TRACE(script.path);
        const auto expected = readSourceLines(assetsDir() / script.file);
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
