#include "game/StageScriptGrammar.h"

#include <algorithm>
#include <string>

namespace ml {

using veru::YString;

namespace {

using enum StageArgType;
using enum StageMatch;
using enum StageNeed;
using Places = std::array<bool, 3>;  // top, talk, shooting

constexpr Places kTop{true, false, false};
constexpr Places kTalk{false, true, false};
constexpr Places kShooting{false, false, true};
constexpr Places kTopAndTalk{true, true, false};
constexpr Places kSections{false, true, true};
constexpr Places kAnywhere{true, true, true};

constexpr StageArg file(StageFileUse use, const char* what) {
    return {.type = File, .what = what, .use = use};
}

constexpr StageArg kPicture{.type = Picture, .what = "talk picture"};
constexpr StageArg kPictureOrNull{.type = PictureOrNull, .what = "talk picture"};
constexpr StageArg kText{.type = Text, .what = "text"};

// The stage counter reaches every position of the game's range; the check
// also wants every enemy to enter with its centre inside the field.
constexpr StageArg kPosition{
    .type = Number,
    .what = "the position",
    .min = StageLimits::kMinPosition,
    .max = StageLimits::kMaxPosition,
    .checkMin = StageLimits::kMinPosition,
    .checkMax = StageLimits::kMaxPosition,
    .outside = "the position {value} is outside {min} to {max}: the stage counter never gets there",
    .whatJa = u"敵の位置"};
constexpr StageArg kHeight{.type = Number,
                           .what = "the height",
                           .min = StageLimits::kMinHeight,
                           .max = StageLimits::kMaxHeight,
                           .checkMin = 0,
                           .checkMax = stage::kFieldHeight,  // the centre inside the field
                           .outside = "the height {value} is outside the field ({min} to {max})",
                           .whatJa = u"敵の高さ"};
constexpr StageArg kFrames{.type = Number,
                           .what = "the frames",
                           .min = 0,
                           .max = StageLimits::kMaxWait,
                           .checkMin = 0,
                           .checkMax = StageLimits::kMaxWait,
                           .outside = "a wait of {value} frames: it takes {min} to {max}",
                           .whatJa = u"Waitのフレーム数"};

constexpr StageArg kBatKind{.type = Bat,
                            .what = "unknown enemy kind",
                            .outside = " (Bat1 to Bat24)",
                            .whatJa = u"そのような敵はいません。",
                            .choicesJa = u"（Bat1～Bat24）"};
constexpr StageArg kBossName{
    .type = BossName, .what = "unknown boss", .whatJa = u"そのようなボスはいません。"};
constexpr StageArg kItemKind{.type = ItemKind,
                             .what = "unknown item kind",
                             .outside = " (Chance, LevelUp or Kintuba)",
                             .whatJa = u"そのようなアイテムはありません。",
                             .choicesJa = u"（Chance、LevelUp、Kintuba）"};

// Matched in this order: the headers come before "…Image…", so a header
// word holding "Image" is still a header.
// clang-format off
constexpr StageRule kStageRules[] = {
//   word                    spelling        match       places       side need   needs (the check's words)            arity args
    {StageWord::End,         u"}",           Exact,      kSections,   0,   No,    "",                                  0, {}},
    {StageWord::Talking,     u"Talking",     BeginsWith, kAnywhere,   0,   No,    "",                                  0, {}},
    {StageWord::Shooting,    u"Shooting",    BeginsWith, kAnywhere,   0,   No,    "",                                  0, {}},
    {StageWord::BossHeader,  u"Boss",        Exact,      kTopAndTalk, 0,   No,    "",                                  0, {}},
    {StageWord::Back,        u"Back",        Exact,      kTop,        0,   Game,  "a file",                            1, {file(StageFileUse::Background, "background")}},
    {StageWord::Bgm,         u"BGM",         Exact,      kTop,        0,   Check, "a file",                            1, {file(StageFileUse::Sound, "stage music")}},
    {StageWord::BossBgm,     u"BOSS_BGM",    Exact,      kTop,        0,   Check, "a file",                            1, {file(StageFileUse::Sound, "boss music")}},
    {StageWord::BossFace,    u"BOSS_Face",   Exact,      kTop,        0,   Game,  "a file",                            1, {file(StageFileUse::Picture, "boss face")}},
    {StageWord::InfoStart1,  u"Info_Start1", Exact,      kTop,        0,   Game,  "a file",                            1, {file(StageFileUse::Picture, "caption")}},
    {StageWord::InfoStart2,  u"Info_Start2", Exact,      kTop,        0,   Game,  "a file",                            1, {file(StageFileUse::Picture, "caption")}},
    {StageWord::InfoEnd,     u"Info_End",    Exact,      kTop,        0,   Game,  "a file",                            1, {file(StageFileUse::Picture, "caption")}},
    {StageWord::Init,        u"Init",        Exact,      kTalk,       0,   No,    "two pictures (or null)",            2, {kPictureOrNull, kPictureOrNull}},
    {StageWord::Image1,      u"1P_Image",    Exact,      kTalk,       1,   No,    "a picture",                         1, {kPicture}},
    {StageWord::Image2,      u"2P_Image",    Exact,      kTalk,       2,   No,    "a picture",                         1, {kPicture}},
    {StageWord::ImageOther,  u"Image",       Contains,   kTalk,       0,   No,    "a picture",                         1, {kPicture}},
    {StageWord::Talk1,       u"1P_Talk",     Exact,      kTalk,       1,   No,    "a text",                            1, {kText}},
    {StageWord::Talk2,       u"2P_Talk",     Exact,      kTalk,       2,   No,    "a text",                            1, {kText}},
    {StageWord::Play,        u"Play",        Exact,      kTalk,       0,   No,    "",                                  0, {}},
    {StageWord::Enemy,       u"Enemy",       Exact,      kShooting,   0,   No,    "a kind, a position and a height",   3, {kBatKind, kPosition, kHeight}},
    {StageWord::Boss,        u"Boss",        Exact,      kShooting,   0,   No,    "a boss name",                       1, {kBossName}},
    {StageWord::Item,        u"Item",        Exact,      kShooting,   0,   No,    "an item kind",                      1, {kItemKind}},
    {StageWord::Wait,        u"Wait",        Exact,      kShooting,   0,   No,    "the frames",                        1, {kFrames}},
};
// clang-format on

bool matches(const StageRule& rule, const YString& first) {
    switch (rule.match) {
        case Exact:
            return first.equalsText(rule.spelling);
        case BeginsWith:
            return wordBeginsWith(first, rule.spelling);
        case Contains:
            return wordContains(first, rule.spelling);
    }
    return false;
}

bool knownName(StageArgType type, const YString& word) {
    switch (type) {
        case Bat:
            return isBatKind(word);
        case BossName:
            return isBossName(word);
        case ItemKind:
            return stageItemKind(word) != StageItemKind::None;
        default:
            return true;
    }
}

// Types and ranges of the arguments, in order; a missing one ends the line.
void readArguments(StageStatement& s) {
    const StageRule& rule = *s.rule;
    s.whole = true;
    for (int i = 0; i < rule.arity; ++i) {
        if (!s.hasArgument(i)) {
            s.faults.push_back({StageFaultKind::MissingArgument, i});
            s.whole = false;
            return;
        }
        const StageArg& arg = rule.args[static_cast<std::size_t>(i)];
        const YString& word = s.argument(i);
        if (arg.type == Number) {
            const std::optional<int> value = readStageNumber(word);
            if (!value) {
                s.faults.push_back({StageFaultKind::NotANumber, i});
                s.whole = false;
                continue;
            }
            s.numbers[static_cast<std::size_t>(i)] = *value;
            if (*value < arg.checkMin || *value > arg.checkMax)
                s.faults.push_back(
                    {StageFaultKind::OutOfRange, i, *value < arg.min || *value > arg.max});
        } else if (!knownName(arg.type, word)) {
            s.faults.push_back({StageFaultKind::UnknownName, i});
        }
    }
}

std::string text(const YString& s) {
    return s.toUtf8();
}

// `pattern` with "{value}", "{min}" and "{max}" filled in.
std::string fill(std::string pattern, int value, int min, int max) {
    for (const auto& [key, number] :
         {std::pair<std::string, int>{"{value}", value}, {"{min}", min}, {"{max}", max}})
        if (const std::size_t at = pattern.find(key); at != std::string::npos)
            pattern.replace(at, key.size(), std::to_string(number));
    return pattern;
}

YString quoted(const YString& word) {
    return YString(u"「").append(word).append(u"」");
}

}  // namespace

std::span<const StageRule> stageRules() {
    return kStageRules;
}

const StageRule& stageRule(StageWord word) {
    for (const StageRule& rule : kStageRules)
        if (rule.word == word)
            return rule;
    return kStageRules[0];  // not reached: every word but Unknown has its row
}

const StageRule* matchStageRule(StagePlace place, const YString& first) {
    for (const StageRule& rule : kStageRules)
        if (rule.standsIn(place) && matches(rule, first))
            return &rule;
    return nullptr;
}

bool StageStatement::readable(int index) const {
    return hasArgument(index) &&
           std::none_of(faults.begin(), faults.end(), [&](const StageFault& f) {
               return f.arg == index && f.kind == StageFaultKind::NotANumber;
           });
}

bool StageStatement::sound(int index) const {
    return hasArgument(index) &&
           std::none_of(faults.begin(), faults.end(), [&](const StageFault& f) {
               return f.arg == index && f.kind != StageFaultKind::TooManyEnemies;
           });
}

const StageFault* StageStatement::refusal() const {
    for (const StageFault& fault : faults)
        if (fault.refused)
            return &fault;
    return nullptr;
}

bool StageStatement::runsInScene() const {
    const StageWord w = word();
    return place == StagePlace::Talk ||
           (place == StagePlace::Top &&
            (w == StageWord::Talking || w == StageWord::Shooting || w == StageWord::BossHeader));
}

StageScriptParse parseStageScript(const std::vector<YString>& lines) {
    StageScriptParse parse;
    StagePlace place = StagePlace::Top;
    int section = 0, enemies = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::vector<YString> words = splitStageLine(lines[i]);
        if (words.empty())
            continue;
        StageStatement s;
        s.line = static_cast<int>(i) + 1;
        s.place = place;
        s.section = section;
        s.rule = matchStageRule(place, words[0]);
        s.words = std::move(words);
        if (s.rule)
            readArguments(s);
        // The first enemy beyond the limit is refused (the game stops there).
        if (s.word() == StageWord::Enemy && ++enemies == StageLimits::kMaxEnemies + 1)
            s.faults.push_back({StageFaultKind::TooManyEnemies});

        const StageWord w = s.word();
        if (place == StagePlace::Top && (w == StageWord::Talking || w == StageWord::Shooting)) {
            place = w == StageWord::Talking ? StagePlace::Talk : StagePlace::Shooting;
            section = s.line;
        } else if (place != StagePlace::Top && w == StageWord::End) {
            place = StagePlace::Top;
            section = 0;
        }
        parse.statements.push_back(std::move(s));
    }
    parse.unclosedSection = section;
    return parse;
}

std::string describeStageFault(const StageStatement& s, const StageFault& fault) {
    const StageArg& arg = s.rule->args[static_cast<std::size_t>(fault.arg)];
    switch (fault.kind) {
        case StageFaultKind::MissingArgument:
            return "\"" + text(s.words[0]) + "\" needs " + s.rule->needs;
        case StageFaultKind::NotANumber:
            return std::string(arg.what) + " \"" + text(s.argument(fault.arg)) +
                   "\" is not a number";
        case StageFaultKind::OutOfRange:
            return fill(arg.outside, s.number(fault.arg), arg.checkMin, arg.checkMax);
        case StageFaultKind::UnknownName:
            return std::string(arg.what) + " \"" + text(s.argument(fault.arg)) + "\"" + arg.outside;
        case StageFaultKind::TooManyEnemies:
            return "more than " + std::to_string(StageLimits::kMaxEnemies) +
                   " enemies: a stage takes at most that many";
    }
    return {};
}

YString describeStageFaultJa(const StageStatement& s, const StageFault& fault) {
    const StageArg& arg = s.rule->args[static_cast<std::size_t>(fault.arg)];
    switch (fault.kind) {
        case StageFaultKind::MissingArgument:
            return quoted(s.words[0]).append(u"の引数が足りません。");
        case StageFaultKind::NotANumber:
            return YString(u"数値として読めません。").append(quoted(s.argument(fault.arg)));
        case StageFaultKind::OutOfRange:
            return YString(arg.whatJa)
                .append(u"が範囲外です。「")
                .append(s.number(fault.arg))
                .append(u"」（")
                .append(arg.min)
                .append(u"～")
                .append(arg.max)
                .append(u"）");
        case StageFaultKind::UnknownName:
            return YString(arg.whatJa).append(quoted(s.argument(fault.arg))).append(arg.choicesJa);
        case StageFaultKind::TooManyEnemies:
            return YString(u"敵が多すぎます（")
                .append(StageLimits::kMaxEnemies)
                .append(u"体まで）。");
    }
    return {};
}

}  // namespace ml
