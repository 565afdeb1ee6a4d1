#include "engine/platform/text/FontFace.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <map>
#include <memory>

#include "engine/core/Language.h"

namespace veru::platform {

namespace {

struct FaceCloser {
    void operator()(FT_FaceRec_* face) const { FT_Done_Face(face); }
};
// An open FreeType face; closed before the library, which is never closed.
using FaceHandle = std::unique_ptr<FT_FaceRec_, FaceCloser>;

struct PatternCloser {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternHandle = std::unique_ptr<FcPattern, PatternCloser>;

FaceHandle openFace(FT_Library library, const char* file, int index) {
    FT_Face face = nullptr;
    if (FT_New_Face(library, file, index, &face) != 0) {
        return nullptr;
    }
    return FaceHandle(face);
}

// The shared FreeType library, made on first use and deliberately kept for
// the whole run: faces may live in caches torn down at exit in any order,
// and every face must be closed before the library is.
FT_Library library() {
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l) != 0) {
            l = nullptr;
        }
        return l;
    }();
    return lib;
}

struct FaceLocation {
    std::string file;
    int index = 0;
};

// Families to try for a face name, in order.
std::vector<std::string> familiesFor(std::u16string_view faceName) {
    static const std::vector<std::string> japanese = {"IPAGothic", "Noto Sans CJK JP"};
    if (faceName == u"ＭＳ ゴシック" || faceName == u"HGｺﾞｼｯｸM" || faceName == u"default" ||
        faceName.empty()) {
        return japanese;
    }
    std::string name;
    for (char16_t c : faceName) {
        if (c >= 0x80) {
            // Other Windows face names have no match here; the Japanese faces stand in.
            return japanese;
        }
        name.push_back(static_cast<char>(c));
    }
    std::vector<std::string> result{name};
    result.insert(result.end(), japanese.begin(), japanese.end());
    return result;
}

bool matchFamily(const std::string& family, FaceLocation& out) {
    PatternHandle pattern(FcPatternCreate());
    if (!pattern) {
        return false;
    }
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    PatternHandle match(FcFontMatch(nullptr, pattern.get(), &result));
    pattern.reset();
    if (!match) {
        return false;
    }
    FcChar8* file = nullptr;
    int index = 0;
    // `file` points into `match` and is copied before the pattern goes.
    bool found = FcPatternGetString(match.get(), FC_FILE, 0, &file) == FcResultMatch && file;
    if (found) {
        FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);
        out.file = reinterpret_cast<const char*>(file);
        out.index = index;
    }
    return found;
}

bool covers(const FaceLocation& location, char32_t character) {
    FaceHandle face = openFace(library(), location.file.c_str(), location.index);
    return face && FT_Get_Char_Index(face.get(), character) != 0;
}

// Resolves a face name once; later calls reuse the answer.
bool locate(std::u16string_view faceName, FaceLocation& out) {
    static std::map<std::u16string, FaceLocation> cache;
    auto it = cache.find(std::u16string(faceName));
    if (it != cache.end()) {
        out = it->second;
        return true;
    }
    if (!FcInit()) {
        return false;
    }
    // Japanese text needs kana (U+3042); the English face only Latin letters.
    const char32_t needed = faceName == kEnglishTextFace ? U'A' : U'\u3042';
    for (const std::string& family : familiesFor(faceName)) {
        FaceLocation candidate;
        if (matchFamily(family, candidate) && covers(candidate, needed)) {
            cache.emplace(std::u16string(faceName), candidate);
            out = candidate;
            return true;
        }
    }
    return false;
}

}  // namespace

struct FontFace::Impl {
    FaceHandle face;
    bool bold = false;
    bool italic = false;
};

FontFace::FontFace(std::unique_ptr<Impl> i) : impl(std::move(i)) {}

FontFace::~FontFace() = default;

std::unique_ptr<FontFace> FontFace::open(std::u16string_view faceName, int pixelSize, bool bold,
                                         bool italic, std::string& error) {
    if (!library()) {
        error = "FreeType could not start";
        return nullptr;
    }
    if (pixelSize <= 0 || pixelSize > 1024) {
        error = "font size out of range";
        return nullptr;
    }
    FaceLocation location;
    if (!locate(faceName, location)) {
        error = kNoJapaneseFontMessage;
        return nullptr;
    }
    auto impl = std::make_unique<Impl>();
    impl->face = openFace(library(), location.file.c_str(), location.index);
    if (!impl->face) {
        error = "cannot open font " + location.file;
        return nullptr;
    }
    if (FT_Set_Pixel_Sizes(impl->face.get(), 0, static_cast<FT_UInt>(pixelSize)) != 0) {
        error = "font size refused by " + location.file;
        return nullptr;
    }
    impl->bold = bold;
    impl->italic = italic;
    // The GDI cell: ascent and descent share the line height as the
    // font's Windows metrics share its design height.
    double up = impl->face->ascender;
    double down = -static_cast<double>(impl->face->descender);
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(impl->face.get(), FT_SFNT_OS2));
    if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
        up = os2->usWinAscent;
        down = os2->usWinDescent;
    }
    std::unique_ptr<FontFace> result(new FontFace(std::move(impl)));
    result->file = location.file;
    result->pixelSize = pixelSize;
    result->ascentPixels =
        up + down > 0 ? static_cast<int>(std::lround(pixelSize * up / (up + down))) : pixelSize;
    return result;
}

bool FontFace::glyph(char32_t character, GlyphImage& out) {
    out = GlyphImage{};
    FT_Face face = impl->face.get();
    FT_UInt index = FT_Get_Char_Index(face, character);
    if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_NO_BITMAP) != 0) {
        return false;
    }
    FT_GlyphSlot slot = face->glyph;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (impl->bold) {
            FT_Outline_EmboldenXY(&slot->outline, (face->size->metrics.x_ppem << 6) / 24, 0);
        }
        if (impl->italic) {
            FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};
            FT_Outline_Transform(&slot->outline, &shear);
        }
    }
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) {
        return false;
    }
    out.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    out.left = slot->bitmap_left;
    out.top = slot->bitmap_top;
    const FT_Bitmap& bitmap = slot->bitmap;
    out.width = static_cast<int>(bitmap.width);
    out.rows = static_cast<int>(bitmap.rows);
    out.levels.assign(static_cast<std::size_t>(out.width) * out.rows, 0);
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) {
        return true;  // nothing drawable (an empty glyph); keep the advance
    }
    for (int row = 0; row < out.rows; ++row) {
        const unsigned char* line = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        for (int column = 0; column < out.width; ++column) {
            unsigned v = line[column];
            out.levels[static_cast<std::size_t>(row) * out.width + column] =
                static_cast<std::uint8_t>((v * 16 + 127) / 255);
        }
    }
    return true;
}

int FontFace::advance(char32_t character) {
    FT_Face face = impl->face.get();
    FT_UInt index = FT_Get_Char_Index(face, character);
    if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_NO_BITMAP) != 0) {
        return 0;
    }
    return static_cast<int>((face->glyph->advance.x + 32) >> 6);
}

std::u32string toCodePoints(std::u16string_view text) {
    std::u32string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            result.push_back(0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) +
                             (static_cast<char32_t>(text[i + 1]) - 0xDC00));
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            result.push_back(0xFFFD);
        } else {
            result.push_back(c);
        }
    }
    return result;
}

}  // namespace veru::platform
