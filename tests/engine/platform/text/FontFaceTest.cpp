// Faces found through our alias table, and their glyphs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "engine/core/MessageBox.h"
#include "engine/graphics/FontSpec.h"
#include "engine/platform/FileSystem.h"
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

// Counts the error boxes and prints their text where the death test reads it.
class BoxCounter : public veru::awt::MessageSink {
  public:
    void show(veru::awt::MessageKind, const veru::YString&, const veru::YString& text) override {
        boxes += 1;
        std::fputs(text.toUtf8().c_str(), stderr);
    }
    int boxes = 0;
};

// A machine without a Japanese font: the game cannot draw its text, says so
// once in a box that names what to install, and does not search the fonts
// again on every draw. Run in a fresh process, as fontconfig reads its
// configuration once.
TEST(FontFaceDeathTest, WithoutAJapaneseFontOneBoxNamesWhatToInstall) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    veru::platform::TemporaryFolder folder{"mirelune-fonts-"};
    const std::string config = veru::YString(folder.path()).toUtf8() + "/fonts.conf";
    std::ofstream(config) << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
    ::setenv("FONTCONFIG_FILE", config.c_str(), 1);
    EXPECT_EXIT(
        {
            BoxCounter counter;
            veru::awt::ScopedMessageSink sink(&counter);
            veru::dxt::FontSpec spec(u"ＭＳ ゴシック", 23);
            bool none = true;
            for (int frame = 0; frame < 3; ++frame)
                none = none && spec.font() == nullptr;
            spec.setSize(24);  // another size is looked for, but not reported again
            none = none && spec.font() == nullptr;
            std::exit(none ? counter.boxes : 100);
        },
        testing::ExitedWithCode(1), "fonts-ipafont-gothic.*fonts-noto-cjk");
    ::unsetenv("FONTCONFIG_FILE");
}

}  // namespace
