#include "game/StageScriptWords.h"

#include <climits>
#include <optional>
#include <string>

#include "engine/core/StringTokenizer.h"
#include "game/shooting/object/bosses/BossTable.h"
#include "game/shooting/object/enemies/BatTable.h"

namespace ml {

using veru::YString;

std::vector<YString> splitStageLine(const YString& line) {
    std::vector<YString> words;
    veru::util::StringTokenizer tokenizer(line, YString(kStageDelimiters));
    while (const char16_t* word = tokenizer.nextToken())
        words.emplace_back(word);
    return words;
}

bool wordBeginsWith(const YString& word, const char16_t* keyword) {
    return word.indexOf(YString(keyword)) == 0;
}

bool wordContains(const YString& word, const char16_t* keyword) {
    return word.indexOf(YString(keyword)) >= 0;
}

bool isStageComment(const YString& firstWord) {
    return wordBeginsWith(firstWord, u"//");
}

namespace {

// The word in ASCII, or nullopt when it holds anything else (no table name
// does).
std::optional<std::string> asciiWord(const YString& word) {
    std::string ascii;
    for (char16_t c : std::u16string_view(word)) {
        if (c < 0x20 || c > 0x7e)
            return std::nullopt;
        ascii.push_back(static_cast<char>(c));
    }
    return ascii;
}

}  // namespace

int batNumber(const YString& kind) {
    // The bat table is the one list of bats' names.
    const std::optional<std::string> ascii = asciiWord(kind);
    return ascii ? shooting::object::batNumber(*ascii) : 0;
}

bool isBatKind(const YString& kind) {
    return batNumber(kind) != 0;
}

bool isBossName(const YString& name) {
    // The boss table is the one list of bosses: a new row is a new name here.
    const std::optional<std::string> ascii = asciiWord(name);
    return ascii && shooting::object::findBossRow(*ascii) != nullptr;
}

StageItemKind stageItemKind(const YString& kind) {
    if (kind.equalsText(u"Chance"))
        return StageItemKind::Chance;
    if (kind.equalsText(u"LevelUp"))
        return StageItemKind::LevelUp;
    if (kind.equalsText(u"Kintuba"))
        return StageItemKind::Kintuba;
    return StageItemKind::None;
}

std::optional<int> readStageNumber(const YString& word) {
    std::size_t i = 0;
    const bool negative = !word.empty() && word[0] == u'-';
    if (!word.empty() && (word[0] == u'-' || word[0] == u'+'))
        i = 1;
    if (i == word.size())
        return std::nullopt;
    long long value = 0;
    for (; i < word.size(); ++i) {
        const char16_t c = word[i];
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX || value < INT_MIN)
        return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace ml
