#pragma once
// SentenceLayout: how a talk sentence is broken into lines of characters.
//
// Lines hold 23 characters. "+" in the text forces a line break and is not
// shown. A quotation (「…」) or a thought (（…）) has its wrapped lines
// indented by one full-width space. A sentence should fit in 3 lines; longer
// ones are laid out all the same (the line list just grows) so that a bad
// script shows too much text rather than corrupting anything.
//
// Thread: any; a plain value.

#include <vector>

#include "engine/core/YString.h"

namespace veru::adv {

class SentenceLayout {
  public:
    static constexpr int kColumns = 23;
    static constexpr int kMaxLines = 3;

    struct Glyph {
        char16_t character;
        int size;    // font size in pixels
        int alpha;   // 0-255
        int line;    // which line it stands on
        int column;  // its cell on that line
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

    const std::vector<Glyph>& getGlyphs() const { return glyphs; }
    const std::vector<Line>& getLines() const { return lines; }
    bool fits() const { return static_cast<int>(lines.size()) <= kMaxLines; }

  private:
    std::vector<Glyph> glyphs;
    std::vector<Line> lines;
};

}  // namespace veru::adv
