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

SentenceLayout::SentenceLayout(const YString& text, int size, bool instant, const Advance& advance,
                               int maxWidth)
    : proportional(true) {
    const int startAlpha = instant ? 255 : 0;
    int place = 0;  // glyphs on the open line
    int pen = 0;    // its width so far
    auto closeLine = [&] {
        lines.push_back({place, size});
        place = 0;
        pen = 0;
    };
    auto put = [&](char16_t c, int width) {
        glyphs.push_back({c, size, startAlpha, static_cast<int>(lines.size()), place, pen});
        place += 1;
        pen += width;
    };
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == u'+') {
            closeLine();
            ++i;
            continue;
        }
        // The spaces before the next word go with it: they are dropped when
        // the word starts a new line.
        std::size_t start = i;
        while (i < text.size() && text[i] == u' ')
            ++i;
        const std::size_t spaces = i - start;
        std::size_t end = i;
        while (end < text.size() && text[end] != u' ' && text[end] != u'+')
            ++end;
        int spaceWidth = 0;
        for (std::size_t k = start; k < i; ++k)
            spaceWidth += advance(text[k]);
        int wordWidth = 0;
        for (std::size_t k = i; k < end; ++k)
            wordWidth += advance(text[k]);
        if (place > 0 && pen + spaceWidth + wordWidth > maxWidth) {
            closeLine();
        } else if (place > 0 || spaces == 0) {
            for (std::size_t k = start; k < i; ++k)
                put(text[k], advance(text[k]));
        }
        for (std::size_t k = i; k < end; ++k) {
            const int width = advance(text[k]);
            if (place > 0 && pen + width > maxWidth)
                closeLine();  // a word longer than a line
            put(text[k], width);
        }
        i = end;
    }
    lines.push_back({place, size});
}

}  // namespace veru::adv
