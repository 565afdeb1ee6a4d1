#include "engine/adventure/Statement.h"

#include "engine/core/StringTokenizer.h"

namespace veru::adv {

Statement::Statement(const YString& line) {
    util::StringTokenizer tokens(line, u": ,()");
    while (const char16_t* token = tokens.nextToken())
        words.emplace_back(token);
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
