#include "game/StageScriptCheck.h"

#include <algorithm>
#include <array>
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

const char16_t* sectionName(StagePlace place) {
    return stageRule(place == StagePlace::Talk ? StageWord::Talking : StageWord::Shooting).spelling;
}

// Judges the parse of one script, statement by statement, in line order.
class Checker {
  public:
    Checker(const std::vector<YString>& lines, const StageFileCatalogue& files)
        : lines(lines), files(files) {}

    StageScriptCheckResult run() {
        if (lines.size() > static_cast<std::size_t>(StageLimits::kMaxLines))
            problem(0, "the script has " + std::to_string(lines.size()) + " lines: at most " +
                           std::to_string(StageLimits::kMaxLines) + " are read");
        StageScriptParse parse = parseStageScript(lines);
        for (const StageStatement& s : parse.statements)
            statement(s);
        if (parse.unclosedSection) {
            problem(parse.unclosedSection, "the \"" + text(sectionName(openPlace)) +
                                               "\" section is never closed with \"}\"");
            dropPending();
        }
        for (const StageRule& rule : stageRules())
            if (rule.need != StageNeed::No && !seenSetUp.count(rule.word))
                problem(0, "no \"" + text(rule.spelling) + "\" line: the stage needs it");
        if (!shootingLine)
            problem(0, "no \"Shooting\" section: the stage would have nothing to play");
        else if (result.plan.boss.empty())
            problem(0, "no \"Boss\" line in a \"Shooting\" section: the stage has no boss");
        if (shootingLine && !bossHeaderLine)
            problem(0,
                    "no \"Boss\" header after the \"Shooting\" section: the battle never starts");
        std::stable_sort(result.problems.begin(), result.problems.end(),
                         [](const auto& a, const auto& b) { return a.line < b.line; });
        result.plan.statements = std::move(parse.statements);
        return std::move(result);
    }

  private:
    void problem(int line, std::string message) {
        result.problems.push_back({line, std::move(message)});
    }

    // A line the game skips without a word: the writer meant something by
    // it, so say so (comments excepted), pointing at a statement of the
    // place typed in the wrong case.
    void ignored(const StageStatement& s, const char* where) {
        const YString& first = s.words[0];
        if (isStageComment(first))
            return;
        std::string message =
            "ignored " + std::string(where) + ": \"" + text(first) + "\" is no statement there";
        const YString& whole = lines[static_cast<std::size_t>(s.line - 1)];
        if (std::any_of(whole.begin(), whole.end(), isFullWidthDelimiter))
            message +=
                " (full-width spaces or punctuation do not separate words: type "
                "half-width ones)";
        for (const StageRule& rule : stageRules())
            if (rule.standsIn(s.place) && rule.match != StageMatch::Contains &&
                sameLetters(first, rule.spelling) && !first.equalsText(rule.spelling))
                message += " (did you mean \"" + text(rule.spelling) + "\"? case counts)";
        result.warnings.push_back({s.line, std::move(message)});
    }

    void knownFile(int line, const YString& path, StageFileUse use, const char* what) {
        if (!files || !files(path, use))
            problem(line, std::string(what) + " \"" + text(path) + "\" is not in the manifest");
    }

    // What every statement shares: its faults, and the files it names.
    void statement(const StageStatement& s) {
        for (const StageFault& fault : s.faults)
            problem(s.line, describeStageFault(s, fault));
        for (int i = 0; s.rule && i < s.rule->arity && s.hasArgument(i); ++i) {
            const StageArg& arg = s.rule->args[static_cast<std::size_t>(i)];
            const YString& name = s.argument(i);
            if (arg.type == StageArgType::File)
                knownFile(s.line, name, arg.use, arg.what);
            if (arg.type == StageArgType::Picture ||
                (arg.type == StageArgType::PictureOrNull && !name.equalsText(u"null"))) {
                knownFile(s.line, name, StageFileUse::Picture, arg.what);
                result.plan.pictures.push_back(name);
            }
        }
        switch (s.place) {
            case StagePlace::Top:
                topLevel(s);
                break;
            case StagePlace::Talk:
                talk(s);
                break;
            case StagePlace::Shooting:
                shooting(s);
                break;
        }
    }

    void topLevel(const StageStatement& s) {
        switch (s.word()) {
            case StageWord::Talking:
                visible = {false, false, false};
                openPlace = StagePlace::Talk;
                break;
            case StageWord::Shooting:
                // A second section would bring the boss in a second time.
                if (shootingLine)
                    problem(s.line, "a second \"Shooting\" section (the first opens at line " +
                                        std::to_string(shootingLine) + "): a stage has one");
                else
                    shootingLine = s.line;
                openPlace = StagePlace::Shooting;
                break;
            case StageWord::BossHeader:
                if (bossHeaderLine)
                    problem(s.line, "a second \"Boss\" header (the first at line " +
                                        std::to_string(bossHeaderLine) +
                                        "): the battle starts once");
                else if (shootingLine)
                    bossHeaderLine = s.line;
                break;
            case StageWord::Unknown:
                ignored(s, "outside a section");
                break;
            default:
                seenSetUp.insert(s.word());
                break;
        }
    }

    // A section header inside a section: the reader takes it as a line of
    // the open section, the stage acts on it anyway.
    bool misplacedHeader(const StageStatement& s) {
        if (s.word() != StageWord::Talking && s.word() != StageWord::Shooting)
            return false;
        problem(s.line, "a \"" + text(s.rule->spelling) + "\" section opens inside the \"" +
                            text(sectionName(s.place)) + "\" section of line " +
                            std::to_string(s.section) + ": close that one with \"}\" first");
        return true;
    }

    void talk(const StageStatement& s) {
        if (misplacedHeader(s))
            return;
        const int side = s.rule ? s.rule->side : 0;
        switch (s.word()) {
            case StageWord::BossHeader:
                problem(s.line, "a \"Boss\" header inside the \"Talking\" section of line " +
                                    std::to_string(s.section) +
                                    ": the battle would start in the middle of the talk");
                break;
            case StageWord::Init:
                for (int i = 0; i < 2 && s.hasArgument(i); ++i)
                    visible[static_cast<std::size_t>(i) + 1] = !s.argument(i).equalsText(u"null");
                break;
            case StageWord::Image1:
            case StageWord::Image2:
                if (s.hasArgument(0))
                    visible[static_cast<std::size_t>(side)] = true;
                break;
            case StageWord::ImageOther:
                if (s.hasArgument(0))
                    ignored(s, "in a talk (its picture is loaded, not shown)");
                break;
            case StageWord::Talk1:
            case StageWord::Talk2:
                if (s.hasArgument(0))
                    said(s, side);
                break;
            case StageWord::Unknown:
                ignored(s, "in a talk");
                break;
            default:
                break;
        }
    }

    void said(const StageStatement& s, int side) {
        const YString& words = s.argument(0);
        if (s.hasArgument(1))
            problem(s.line,
                    "the text holds a delimiter (space, comma, colon, parenthesis "
                    "or tab): only \"" +
                        text(words) + "\" would be shown");
        if (!visible[static_cast<std::size_t>(side)])
            problem(s.line, "side " + std::to_string(side) +
                                " shows no portrait: the talk would wait for it forever");
        if (talkTextLines(words) > kStageTalkLines)
            problem(s.line, "the text takes more than " + std::to_string(kStageTalkLines) +
                                " lines of the talk box");
        if (talkTextColumns(words) > kStageTalkColumns)
            problem(s.line, "a line of the text is wider than the talk box (" +
                                std::to_string(talkTextColumns(words)) + " columns, " +
                                std::to_string(kStageTalkColumns) + " fit)");
        result.plan.talk.push_back({s.line, side, words});
    }

    // An item no enemy took up would never appear and hold the boss back.
    void dropPending() {
        if (pendingLine)
            problem(*pendingLine,
                    "no \"Enemy\" takes up this \"Item\": it would never "
                    "appear and the boss would never come");
        pendingLine.reset();
        pending = StageItemKind::None;
    }

    void shooting(const StageStatement& s) {
        if (misplacedHeader(s))
            return;
        switch (s.word()) {
            case StageWord::End:
                dropPending();
                openPlace = StagePlace::Top;
                break;
            case StageWord::Enemy:
                // Enemies enter in file order: an earlier position would wait
                // for the one before.
                if (s.sound(1) && s.number(1) < lastPosition)
                    problem(s.line, "the position " + std::to_string(s.number(1)) +
                                        " comes before the previous enemy's " +
                                        std::to_string(lastPosition) +
                                        ": enemies enter in file order");
                if (s.whole) {
                    lastPosition = std::max(lastPosition, s.number(1));
                    result.plan.enemies.push_back(
                        {s.line, s.argument(0), s.number(1), s.number(2), pending});
                }
                pendingLine.reset();
                pending = StageItemKind::None;
                break;
            case StageWord::Boss:
                if (s.sound(0))
                    result.plan.boss = s.argument(0);
                break;
            case StageWord::Item:
                dropPending();
                if (s.sound(0)) {
                    pending = stageItemKind(s.argument(0));
                    pendingLine = s.line;
                }
                break;
            case StageWord::Wait:
                if (s.readable(0))
                    result.plan.bossDelay = s.number(0);
                break;
            case StageWord::Unknown:
                ignored(s, "in a \"Shooting\" section");
                break;
            default:
                break;
        }
    }

    const std::vector<YString>& lines;
    const StageFileCatalogue& files;
    StageScriptCheckResult result;
    std::set<StageWord> seenSetUp;
    StagePlace openPlace = StagePlace::Top;
    int shootingLine = 0;    // where the "Shooting" section opens; 0 before it
    int bossHeaderLine = 0;  // the "Boss" header after it; 0 before it
    // The talk section's sides that show a portrait (1 and 2).
    std::array<bool, 3> visible{false, false, false};
    // The shooting section's item waiting for its enemy.
    std::optional<int> pendingLine;
    StageItemKind pending = StageItemKind::None;
    int lastPosition = 0;
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
