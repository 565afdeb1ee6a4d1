#include "engine/core/ValueParser.h"

#include <cstdint>
#include <limits>

#include "engine/exceptions/NumberFormatException.h"

namespace veru {

namespace {

bool isSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

}  // namespace

int parseInt(std::u16string text) {
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    // Magnitudes up to INT_MAX + 1 are kept, so that INT_MIN is reachable.
    constexpr std::int64_t kLimit = static_cast<std::int64_t>(std::numeric_limits<int>::max()) + 1;
    std::int64_t value = 0;
    bool outOfRange = false;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        if (!outOfRange) {
            value = value * 10 + (text[i] - u'0');
            if (value > kLimit)
                outOfRange = true;
        }
    }
    if (outOfRange || (!negative && value == kLimit)) {
        throw excp::NumberFormatException(YString(text),
                                          YString(u"文字列がint値のフォーマットでありません。："));
    }
    return static_cast<int>(negative ? -value : value);
}

bool parseBool(std::u16string text) {
    if (text == u"true")
        return true;
    if (text == u"false")
        return false;
    throw excp::NumberFormatException(YString(text),
                                      YString(u"文字列がbool値のフォーマットでありません。："));
}

}  // namespace veru
