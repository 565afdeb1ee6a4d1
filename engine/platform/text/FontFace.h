#pragma once
// FontFace: one font at one pixel size, for rasterising text into pictures.
//
// Faces are found through fontconfig with our own alias table first: the
// Windows face names the game asks for ("ＭＳ ゴシック", "HGｺﾞｼｯｸM") and
// "default" map to IPAGothic, then Noto Sans CJK JP. Any other name is tried
// as given before those. A face is taken only when it covers U+3042 (あ).
//
// Sizes follow the GDI cell height: `pixelSize` is the line height, the
// full-width advance is `pixelSize` and the half-width one half of it.
// veru::kEnglishTextFace (for English text) is the one face taken without
// kana: it must cover "A", and its advances are its own.
// Glyphs come as coverage in 17 grey levels 0..16 (8-bit coverage v becomes
// (v * 16 + 127) / 255).
//
// Ownership: owns its FreeType face; the FreeType library is shared by all
// faces and lives until the program ends.
// Thread: main thread only.
// Failure: open() returns null and fills `error`; glyph() returns false for a
// character the face cannot render.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace veru::platform {

struct GlyphImage {
    int advance = 0;  // pen advance in pixels
    int left = 0;     // from the pen position to the bitmap's first column
    int top = 0;      // from the baseline up to the bitmap's first row
    int width = 0;
    int rows = 0;
    std::vector<std::uint8_t> levels;  // width * rows grey levels 0..16, rows top down
};

// What open() reports when no installed face has Japanese: the game cannot
// draw its text without one, so it names, in Japanese and English, the
// packages that bring one.
inline constexpr const char* kNoJapaneseFontMessage =
    "日本語のフォントが見つかりません。文字を表示するには fonts-ipafont-gothic または "
    "fonts-noto-cjk をインストールしてください。\n"
    "No Japanese font was found, so the game cannot draw its text. Install "
    "fonts-ipafont-gothic or fonts-noto-cjk (sudo apt install fonts-ipafont-gothic).";

class FontFace {
  public:
    static std::unique_ptr<FontFace> open(std::u16string_view faceName, int pixelSize, bool bold,
                                          bool italic, std::string& error);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    int lineHeight() const { return pixelSize; }
    // Pixels from the top of a line to the baseline.
    int ascent() const { return ascentPixels; }
    bool glyph(char32_t character, GlyphImage& out);
    // Advance of one character; 0 when the face cannot render it.
    int advance(char32_t character);
    // The font file in use (for messages and tests).
    const std::string& filePath() const { return file; }

  private:
    struct Impl;
    explicit FontFace(std::unique_ptr<Impl> impl);

    std::unique_ptr<Impl> impl;
    std::string file;
    int pixelSize = 0;
    int ascentPixels = 0;
};

// Calls plot(x, y, level) for every pixel a glyph covers (level 1..16), with
// its pen at `penX` on the line whose baseline is at `baseline`. Clipping to
// the picture drawn into is the caller's.
template <class Plot>
void forEachGlyphPixel(const GlyphImage& glyph, int penX, int baseline, Plot&& plot) {
    for (int row = 0; row < glyph.rows; ++row) {
        for (int column = 0; column < glyph.width; ++column) {
            const int level = glyph.levels[static_cast<std::size_t>(row) * glyph.width + column];
            if (level != 0)
                plot(penX + glyph.left + column, baseline - glyph.top + row, level);
        }
    }
}

// Decodes UTF-16 (surrogate pairs joined; lone surrogates become U+FFFD).
std::u32string toCodePoints(std::u16string_view text);

}  // namespace veru::platform
