#include "game/StageScriptWords.h"

#include <climits>
#include <string>

#include "engine/core/StringTokenizer.h"
#include "game/shooting/object/bosses/BossTable.h"

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

int batNumber(const YString& kind) {
    constexpr std::u16string_view prefix = u"Bat";
    if (kind.size() < 4 || kind.size() > 5 || std::u16string_view(kind).substr(0, 3) != prefix)
        return 0;
    int number = 0;
    for (std::size_t i = 3; i < kind.size(); ++i) {
        const char16_t c = kind[i];
        if (c < u'0' || c > u'9' || (i == 3 && c == u'0'))
            return 0;
        number = number * 10 + (c - u'0');
    }
    return number <= 24 ? number : 0;
}

bool isBatKind(const YString& kind) {
    return batNumber(kind) != 0;
}

bool isBossName(const YString& name) {
    // The boss table is the one list of bosses: a new row is a new name here.
    std::string ascii;
    for (char16_t c : std::u16string_view(name)) {
        if (c < 0x20 || c > 0x7e)
            return false;
        ascii.push_back(static_cast<char>(c));
    }
    return shooting::object::findBossRow(ascii) != nullptr;
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
