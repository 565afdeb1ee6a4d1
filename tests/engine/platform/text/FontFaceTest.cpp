// Faces found through our alias table, and their glyphs.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/platform/text/FontFace.h"

namespace {

using veru::platform::FontFace;
using veru::platform::GlyphImage;

TEST(FontFaceTest, WindowsFaceNamesFindAJapaneseFace) {
    std::string error;
    for (const char16_t* name : {u"ＭＳ ゴシック", u"HGｺﾞｼｯｸM", u"default", u"Courier Nothing"}) {
        auto face = FontFace::open(name, 23, false, false, error);
        ASSERT_TRUE(face) << error;
        EXPECT_EQ(face->advance(U'あ'), 23);
        EXPECT_EQ(face->lineHeight(), 23);
        EXPECT_GT(face->ascent(), 15);
        EXPECT_LT(face->ascent(), 23);
    }
    EXPECT_FALSE(FontFace::open(u"default", 0, false, false, error));
}

TEST(FontFaceTest, GlyphsComeInSeventeenLevels) {
    std::string error;
    auto face = FontFace::open(u"default", 30, false, false, error);
    ASSERT_TRUE(face) << error;
    GlyphImage glyph;
    ASSERT_TRUE(face->glyph(U'漢', glyph));
    EXPECT_EQ(glyph.advance, 30);
    ASSERT_EQ(glyph.levels.size(), static_cast<std::size_t>(glyph.width * glyph.rows));
    EXPECT_EQ(*std::max_element(glyph.levels.begin(), glyph.levels.end()), 16);
    EXPECT_TRUE(
        std::all_of(glyph.levels.begin(), glyph.levels.end(), [](int l) { return l <= 16; }));
    // Bold draws more ink than regular.
    auto bold = FontFace::open(u"default", 30, true, false, error);
    GlyphImage heavy;
    ASSERT_TRUE(bold->glyph(U'漢', heavy));
    auto ink = [](const GlyphImage& g) {
        int sum = 0;
        for (auto l : g.levels)
            sum += l;
        return sum;
    };
    EXPECT_GT(ink(heavy), ink(glyph));
}

TEST(FontFaceTest, SurrogatePairsBecomeOneCodePoint) {
    EXPECT_EQ(veru::platform::toCodePoints(u"a\U0001F600b"), U"a\U0001F600b");
    std::u16string lone{u'x', static_cast<char16_t>(0xD800)};
    EXPECT_EQ(veru::platform::toCodePoints(lone), U"x\uFFFD");
}

}  // namespace
