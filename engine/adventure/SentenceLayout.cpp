#include "engine/adventure/SentenceLayout.h"

#include <algorithm>

namespace veru::adv {

bool SentenceLayout::isIndented(const YString& text) {
    if (text.size() < 2)
        return false;
    return (text.front() == u'「' && text.back() == u'」') ||
           (text.front() == u'（' && text.back() == u'）');
}

SentenceLayout::SentenceLayout(const YString& text, int size, bool instant) {
    const bool indented = isIndented(text);
    const int startAlpha = instant ? 255 : 0;
    int column = 0;
    int lineHeight = 0;
    auto closeLine = [&](int count) {
        lines.push_back({count, lineHeight});
        column = 0;
        lineHeight = 0;
        if (indented) {
            glyphs.push_back({u'　', size, 255, static_cast<int>(lines.size()), 0});
            column = 1;
        }
    };
    for (char16_t c : text) {
        lineHeight = std::max(lineHeight, size);
        if (c == u'+') {
            // A forced break; at the end of a full line it is the wrap itself.
            closeLine(column);
            continue;
        }
        if (column == kColumns) {
            closeLine(kColumns);
        }
        glyphs.push_back({c, size, startAlpha, static_cast<int>(lines.size()), column});
        column += 1;
    }
    lines.push_back({column, lineHeight});
}

}  // namespace veru::adv
