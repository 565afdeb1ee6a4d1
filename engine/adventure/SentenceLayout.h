#pragma once
// SentenceLayout: how a talk sentence is broken into lines of characters.
//
// Japanese text stands on a grid: lines hold 23 characters. "+" in the text forces a line break and
// is not shown. A quotation (「…」) or a thought (（…）) has its wrapped lines indented by one
// full-width space. A sentence should fit in 3 lines; longer ones are laid out all the same (the
// line list just grows) so that a bad script shows too much text rather than corrupting anything.
//
// English text is proportional: each glyph has its own pen position, and a
// line breaks at the space before the word that would pass the line's width
// (a word wider than a whole line is broken where it must be). "+" forces a
// break here too; spaces at a break are dropped.
//
// Thread: any; a plain value.

#include <functional>
#include <vector>

#include "engine/core/YString.h"

namespace veru::adv {

class SentenceLayout {
  public:
    static constexpr int kColumns = 23;
    static constexpr int kMaxLines = 3;
    // The width English lines wrap at: the grid's 23 cells of the normal size.
    static constexpr int kProportionalWidth = kColumns * 23;

    struct Glyph {
        char16_t character;
        int size;    // font size in pixels
        int alpha;   // 0-255
        int line;    // which line it stands on
        int column;  // its cell (grid) or its place (proportional) on that line
        int x = 0;   // proportional only: pen position in pixels on its line
    };
    struct Line {
        int count;   // characters on the line, indentation included
        int height;  // tallest font size seen while the line was open
    };

    static bool isIndented(const YString& text);

    // Lays out `text` at font size `size`. With `instant` every character is
    // fully visible from the start, otherwise it starts at alpha 0 (the
    // indentation space is always fully visible).
    SentenceLayout(const YString& text, int size, bool instant);
    // Proportional layout into lines at most `maxWidth` pixels wide, with
    // `advance` giving a character's width in pixels.
    using Advance = std::function<int(char16_t)>;
    SentenceLayout(const YString& text, int size, bool instant, const Advance& advance,
                   int maxWidth);

    const std::vector<Glyph>& getGlyphs() const { return glyphs; }
    const std::vector<Line>& getLines() const { return lines; }
    bool fits() const { return static_cast<int>(lines.size()) <= kMaxLines; }
    bool isProportional() const { return proportional; }

  private:
    std::vector<Glyph> glyphs;
    std::vector<Line> lines;
    bool proportional = false;
};

}  // namespace veru::adv
