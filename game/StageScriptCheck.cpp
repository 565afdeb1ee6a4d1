#include "game/StageScriptCheck.h"

#include <algorithm>
#include <optional>
#include <set>

namespace ml {

using veru::YString;

namespace {

std::string text(const YString& s) {
    return s.toUtf8();
}

bool isHalfWidth(char16_t c) {
    return c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F);
}

// What a Japanese input method types for the delimiters: the ideographic
// space and the full-width colon, comma and parentheses.
bool isFullWidthDelimiter(char16_t c) {
    return c == u'\u3000' || c == u'：' || c == u'，' || c == u'、' || c == u'（' || c == u'）';
}

// The same letters in any case (ASCII).
bool sameLetters(const YString& word, std::u16string_view keyword) {
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? c + 32 : c; };
    return word.size() == keyword.size() &&
           std::equal(word.begin(), word.end(), keyword.begin(),
                      [&](char16_t a, char16_t b) { return lower(a) == lower(b); });
}

// Reads one script from its first line to its end, section by section.
class Checker {
  public:
    Checker(const std::vector<YString>& lines, const StageFileCatalogue& files)
        : lines(lines), files(files) {}

    StageScriptCheckResult run() {
        if (lines.size() > static_cast<std::size_t>(StageLimits::kMaxLines))
            problem(0, "the script has " + std::to_string(lines.size()) + " lines: at most " +
                           std::to_string(StageLimits::kMaxLines) + " are read");
        while (next < lines.size()) {
            const int number = static_cast<int>(next) + 1;
            const auto words = splitStageLine(lines[next++]);
            if (!words.empty())
                topLevel(number, words);
        }
        for (const char16_t* required : {u"Back", u"BGM", u"BOSS_BGM", u"BOSS_Face", u"Info_Start1",
                                         u"Info_Start2", u"Info_End"})
            if (!seenSetUp.count(required))
                problem(0, "no \"" + text(required) + "\" line: the stage needs it");
        if (!shootingLine)
            problem(0, "no \"Shooting\" section: the stage would have nothing to play");
        else if (result.plan.boss.empty())
            problem(0, "no \"Boss\" line in a \"Shooting\" section: the stage has no boss");
        if (shootingLine && !bossHeaderLine)
            problem(0,
                    "no \"Boss\" header after the \"Shooting\" section: the battle never starts");
        std::stable_sort(result.problems.begin(), result.problems.end(),
                         [](const auto& a, const auto& b) { return a.line < b.line; });
        return std::move(result);
    }

  private:
    using Words = std::vector<YString>;

    void problem(int line, std::string message) {
        result.problems.push_back({line, std::move(message)});
    }

    // A line the game skips without a word: the writer meant something by
    // it, so say so (comments excepted). `known` are the statements of the
    // place it stands in, to point at one typed in the wrong case.
    void ignored(int line, const Words& words, const char* where,
                 std::initializer_list<const char16_t*> known) {
        const YString& first = words[0];
        if (isStageComment(first))
            return;
        std::string message =
            "ignored " + std::string(where) + ": \"" + text(first) + "\" is no statement there";
        const YString& whole = lines[static_cast<std::size_t>(line - 1)];
        if (std::any_of(whole.begin(), whole.end(), isFullWidthDelimiter))
            message +=
                " (full-width spaces or punctuation do not separate words: type "
                "half-width ones)";
        for (const char16_t* keyword : known)
            if (sameLetters(first, keyword) && !first.equalsText(keyword))
                message += " (did you mean \"" + text(keyword) + "\"? case counts)";
        result.warnings.push_back({line, std::move(message)});
    }

    // The argument `index` (1-based), or a problem naming what is missing.
    const YString* argument(int line, const Words& words, std::size_t index, const char* what) {
        if (words.size() > index)
            return &words[index];
        problem(line, "\"" + text(words[0]) + "\" needs " + what);
        return nullptr;
    }

    std::optional<int> number(int line, const Words& words, std::size_t index, const char* what) {
        const YString* word = argument(line, words, index, what);
        if (!word)
            return std::nullopt;
        const auto value = readStageNumber(*word);
        if (!value)
            problem(line, std::string(what) + " \"" + text(*word) + "\" is not a number");
        return value;
    }

    void knownFile(int line, const YString& path, StageFileUse use, const char* what) {
        if (!files || !files(path, use))
            problem(line, std::string(what) + " \"" + text(path) + "\" is not in the manifest");
    }

    void topLevel(int line, const Words& words) {
        const YString& first = words[0];
        struct SetUp {
            const char16_t* keyword;
            StageFileUse use;
            const char* what;
        };
        static constexpr SetUp setUps[] = {
            {u"Back", StageFileUse::Background, "background"},
            {u"BGM", StageFileUse::Sound, "stage music"},
            {u"BOSS_BGM", StageFileUse::Sound, "boss music"},
            {u"BOSS_Face", StageFileUse::Picture, "boss face"},
            {u"Info_Start1", StageFileUse::Picture, "caption"},
            {u"Info_Start2", StageFileUse::Picture, "caption"},
            {u"Info_End", StageFileUse::Picture, "caption"},
        };
        for (const SetUp& s : setUps) {
            if (!first.equalsText(s.keyword))
                continue;
            seenSetUp.insert(s.keyword);
            if (const YString* path = argument(line, words, 1, "a file"))
                knownFile(line, *path, s.use, s.what);
            return;
        }
        if (wordBeginsWith(first, u"Talking")) {
            talkSection(line);
        } else if (wordBeginsWith(first, u"Shooting")) {
            // A second section would bring the boss in a second time.
            if (shootingLine)
                problem(line, "a second \"Shooting\" section (the first opens at line " +
                                  std::to_string(shootingLine) + "): a stage has one");
            else
                shootingLine = line;
            shootingSection(line);
        } else if (first.equalsText(u"Boss")) {
            if (bossHeaderLine)
                problem(line, "a second \"Boss\" header (the first at line " +
                                  std::to_string(bossHeaderLine) + "): the battle starts once");
            else if (shootingLine)
                bossHeaderLine = line;
        } else {
            ignored(line, words, "outside a section",
                    {u"Back", u"BGM", u"BOSS_BGM", u"BOSS_Face", u"Info_Start1", u"Info_Start2",
                     u"Info_End", u"Talking", u"Shooting", u"Boss"});
        }
    }

    // A section header (or a "Boss" header) inside a section: the reader
    // takes it as a line of the open section, the stage acts on it anyway.
    bool misplacedHeader(int line, const Words& words, const char* section, int opening) {
        const YString& first = words[0];
        const char* header = wordBeginsWith(first, u"Talking")    ? "Talking"
                             : wordBeginsWith(first, u"Shooting") ? "Shooting"
                                                                  : nullptr;
        if (!header)
            return false;
        problem(line, std::string("a \"") + header + "\" section opens inside the \"" + section +
                          "\" section of line " + std::to_string(opening) +
                          ": close that one with \"}\" first");
        return true;
    }

    // Runs `body` over the lines of a section up to its "}"; a section the
    // script ends in is a problem at its opening line.
    template <typename Body>
    void section(int opening, const char* name, Body body) {
        while (next < lines.size()) {
            const int line = static_cast<int>(next) + 1;
            const auto words = splitStageLine(lines[next++]);
            if (words.empty())
                continue;
            if (words[0].equalsText(u"}"))
                return;
            body(line, words);
        }
        problem(opening, std::string("the \"") + name + "\" section is never closed with \"}\"");
    }

    void talkSection(int opening) {
        bool visible[3] = {false, false, false};
        section(opening, "Talking", [&](int line, const Words& words) {
            const YString& first = words[0];
            if (misplacedHeader(line, words, "Talking", opening))
                return;
            if (first.equalsText(u"Boss")) {
                problem(line, "a \"Boss\" header inside the \"Talking\" section of line " +
                                  std::to_string(opening) +
                                  ": the battle would start in the middle of the talk");
            } else if (first.equalsText(u"Init")) {
                for (std::size_t side = 1; side <= 2; ++side) {
                    const YString* name = argument(line, words, side, "two pictures (or null)");
                    if (!name)
                        return;
                    visible[side] = !name->equalsText(u"null");
                    if (visible[side])
                        picture(line, *name);
                }
            } else if (wordContains(first, u"Image")) {
                const YString* name = argument(line, words, 1, "a picture");
                if (!name)
                    return;
                picture(line, *name);
                if (first.equalsText(u"1P_Image"))
                    visible[1] = true;
                else if (first.equalsText(u"2P_Image"))
                    visible[2] = true;
                else
                    ignored(line, words, "in a talk (its picture is loaded, not shown)",
                            {u"1P_Image", u"2P_Image"});
            } else if (first.equalsText(u"1P_Talk") || first.equalsText(u"2P_Talk")) {
                const int side = first.equalsText(u"1P_Talk") ? 1 : 2;
                const YString* said = argument(line, words, 1, "a text");
                if (!said)
                    return;
                if (words.size() > 2)
                    problem(line,
                            "the text holds a delimiter (space, comma, colon, parenthesis "
                            "or tab): only \"" +
                                text(*said) + "\" would be shown");
                if (!visible[side])
                    problem(line, "side " + std::to_string(side) +
                                      " shows no portrait: the talk would wait for it forever");
                if (talkTextLines(*said) > kStageTalkLines)
                    problem(line, "the text takes more than " + std::to_string(kStageTalkLines) +
                                      " lines of the talk box");
                if (talkTextColumns(*said) > kStageTalkColumns)
                    problem(line, "a line of the text is wider than the talk box (" +
                                      std::to_string(talkTextColumns(*said)) + " columns, " +
                                      std::to_string(kStageTalkColumns) + " fit)");
                result.plan.talk.push_back({line, side, *said});
            } else if (!first.equalsText(u"Play")) {
                ignored(line, words, "in a talk",
                        {u"Init", u"1P_Image", u"2P_Image", u"1P_Talk", u"2P_Talk", u"Play"});
            }
        });
    }

    void picture(int line, const YString& name) {
        knownFile(line, name, StageFileUse::Picture, "talk picture");
        result.plan.pictures.push_back(name);
    }

    void shootingSection(int opening) {
        std::optional<int> pendingLine;
        StageItemKind pending = StageItemKind::None;
        const auto dropPending = [&] {
            if (pendingLine)
                problem(*pendingLine,
                        "no \"Enemy\" takes up this \"Item\": it would never "
                        "appear and the boss would never come");
            pendingLine.reset();
            pending = StageItemKind::None;
        };
        section(opening, "Shooting", [&](int line, const Words& words) {
            const YString& first = words[0];
            if (misplacedHeader(line, words, "Shooting", opening))
                return;
            if (first.equalsText(u"Enemy")) {
                const YString* kind = argument(line, words, 1, "a kind, a position and a height");
                const auto position = number(line, words, 2, "the position");
                const auto y = number(line, words, 3, "the height");
                if (kind && !isBatKind(*kind))
                    problem(line, "unknown enemy kind \"" + text(*kind) + "\" (Bat1 to Bat24)");
                if (y && (*y < 0 || *y > kStageFieldHeight))
                    problem(line, "the height " + std::to_string(*y) +
                                      " is outside the field (0 to " +
                                      std::to_string(kStageFieldHeight) + ")");
                if (position && (*position < StageLimits::kMinPosition ||
                                 *position > StageLimits::kMaxPosition))
                    problem(line, "the position " + std::to_string(*position) + " is outside " +
                                      std::to_string(StageLimits::kMinPosition) + " to " +
                                      std::to_string(StageLimits::kMaxPosition) +
                                      ": the stage counter never gets there");
                else if (position && *position < lastPosition)
                    problem(line, "the position " + std::to_string(*position) +
                                      " comes before the previous enemy's " +
                                      std::to_string(lastPosition) +
                                      ": enemies enter in file order");
                if (++enemies == StageLimits::kMaxEnemies + 1)
                    problem(line, "more than " + std::to_string(StageLimits::kMaxEnemies) +
                                      " enemies: a stage takes at most that many");
                if (kind && position && y) {
                    lastPosition = std::max(lastPosition, *position);
                    result.plan.enemies.push_back({line, *kind, *position, *y, pending});
                }
                pendingLine.reset();
                pending = StageItemKind::None;
            } else if (first.equalsText(u"Boss")) {
                if (const YString* name = argument(line, words, 1, "a boss name")) {
                    if (isBossName(*name))
                        result.plan.boss = *name;
                    else
                        problem(line, "unknown boss \"" + text(*name) + "\"");
                }
            } else if (first.equalsText(u"Item")) {
                dropPending();
                if (const YString* kind = argument(line, words, 1, "an item kind")) {
                    pending = stageItemKind(*kind);
                    if (pending == StageItemKind::None)
                        problem(line, "unknown item kind \"" + text(*kind) +
                                          "\" (Chance, LevelUp or Kintuba)");
                    else
                        pendingLine = line;
                }
            } else if (first.equalsText(u"Wait")) {
                if (const auto frames = number(line, words, 1, "the frames")) {
                    if (*frames < 0 || *frames > StageLimits::kMaxWait)
                        problem(line, "a wait of " + std::to_string(*frames) +
                                          " frames: it takes 0 to " +
                                          std::to_string(StageLimits::kMaxWait));
                    result.plan.bossDelay = *frames;
                }
            } else {
                ignored(line, words, "in a \"Shooting\" section",
                        {u"Enemy", u"Boss", u"Item", u"Wait"});
            }
        });
        dropPending();
    }

    const std::vector<YString>& lines;
    const StageFileCatalogue& files;
    std::size_t next = 0;
    StageScriptCheckResult result;
    std::set<std::u16string> seenSetUp;
    int shootingLine = 0;    // where the "Shooting" section opens; 0 before it
    int bossHeaderLine = 0;  // the "Boss" header after it; 0 before it
    int lastPosition = 0;
    int enemies = 0;
};

}  // namespace

int talkTextColumns(const YString& said) {
    int widest = 0, columns = 0;
    for (char16_t c : said) {
        if (c == u'+') {
            columns = 0;
            continue;
        }
        columns += isHalfWidth(c) ? 1 : 2;
        widest = std::max(widest, columns);
    }
    return widest;
}

int talkTextLines(const YString& said) {
    int lines = 1;
    for (char16_t c : said)
        lines += c == u'+';
    return lines;
}

StageScriptCheckResult checkStageScript(const std::vector<YString>& lines,
                                        const StageFileCatalogue& files) {
    return Checker(lines, files).run();
}

}  // namespace ml
