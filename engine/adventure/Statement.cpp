#include "engine/adventure/Statement.h"

namespace veru::adv {

namespace {

bool isSeparator(char16_t c) {
    return c == u':' || c == u' ' || c == u',' || c == u'(' || c == u')';
}

}  // namespace

Statement::Statement(const YString& line) {
    std::size_t i = 0;
    while (i < line.size()) {
        if (isSeparator(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == u'"') {
            // A quoted argument keeps its spaces, commas and brackets; an
            // unclosed quote runs to the end of the line.
            const std::size_t close = line.find(u'"', i + 1);
            const std::size_t end = close == std::u16string::npos ? line.size() : close;
            words.emplace_back(line.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        std::size_t end = i;
        while (end < line.size() && !isSeparator(line[end]))
            ++end;
        words.emplace_back(line.substr(i, end - i));
        i = end;
    }
}

const YString& Statement::argument(std::size_t index) const {
    return index + 1 < words.size() ? words[index + 1] : empty;
}

int fontSizeForWord(const YString& word) {
    if (word == u"SMALL" || word == u"Small")
        return 15;
    if (word == u"BIG")
        return 36;
    return 23;
}

}  // namespace veru::adv
