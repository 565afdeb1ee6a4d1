#include "engine/adventure/SentenceLayout.h"

#include <gtest/gtest.h>

using veru::YString;
using veru::adv::SentenceLayout;

namespace {
YString repeat(char16_t c, int n) {
    return YString(std::u16string(static_cast<std::size_t>(n), c));
}
}  // namespace

TEST(SentenceLayout, TwentyThreeCharactersFillOneLineAndTheTwentyFourthWraps) {
    SentenceLayout one(repeat(u'月', 23), 23, false);
    ASSERT_EQ(one.getLines().size(), 1u);
    EXPECT_EQ(one.getLines()[0].count, 23);

    SentenceLayout two(repeat(u'月', 24), 23, false);
    ASSERT_EQ(two.getLines().size(), 2u);
    EXPECT_EQ(two.getLines()[0].count, 23);
    EXPECT_EQ(two.getLines()[1].count, 1);
    const auto& last = two.getGlyphs().back();
    EXPECT_EQ(last.line, 1);
    EXPECT_EQ(last.column, 0);  // not a quotation: no indentation
    EXPECT_EQ(last.alpha, 0);
}

TEST(SentenceLayout, QuotationsAndThoughtsIndentTheirWrappedLines) {
    SentenceLayout quote(u"「月が+きれい」", 23, true);
    ASSERT_EQ(quote.getLines().size(), 2u);
    EXPECT_EQ(quote.getLines()[0].count, 3);
    EXPECT_EQ(quote.getLines()[1].count, 5);  // the space and 「きれい」's four
    const auto& glyphs = quote.getGlyphs();
    ASSERT_EQ(glyphs.size(), 8u);  // the "+" is not shown
    EXPECT_EQ(glyphs[3].character, u'　');
    EXPECT_EQ(glyphs[3].alpha, 255);
    EXPECT_EQ(glyphs[4].character, u'き');
    EXPECT_EQ(glyphs[4].column, 1);

    SentenceLayout thought(YString(u"（") + repeat(u'霧', 30) + u"）", 23, false);
    ASSERT_EQ(thought.getLines().size(), 2u);
    EXPECT_EQ(thought.getLines()[1].count, 1 + 32 - 23);
    EXPECT_EQ(thought.getGlyphs()[23].character, u'　');
    EXPECT_EQ(thought.getGlyphs()[23].alpha, 255);

    EXPECT_FALSE(SentenceLayout::isIndented(u"「only an opening"));
    EXPECT_FALSE(SentenceLayout::isIndented(u"「"));
}

TEST(SentenceLayout, APlusAtTheEndOfAFullLineBreaksOnceAndIsNotShown) {
    SentenceLayout s(repeat(u'a', 23) + u"+b", 23, true);
    ASSERT_EQ(s.getLines().size(), 2u);
    EXPECT_EQ(s.getLines()[1].count, 1);
    for (const auto& g : s.getGlyphs())
        EXPECT_NE(g.character, u'+');
}

TEST(SentenceLayout, TooLongSentencesAreLaidOutButDoNotFit) {
    SentenceLayout s(repeat(u'a', 70), 15, false);
    EXPECT_EQ(s.getLines().size(), 4u);
    EXPECT_FALSE(s.fits());
    EXPECT_TRUE(SentenceLayout(repeat(u'a', 69), 15, false).fits());
    EXPECT_EQ(s.getLines()[0].height, 15);
}

namespace {
// Every character 10 pixels wide, so widths are easy to count.
int tenPixels(char16_t) {
    return 10;
}
std::u16string lineText(const SentenceLayout& layout, int line) {
    std::u16string out;
    for (const auto& g : layout.getGlyphs())
        if (g.line == line)
            out += g.character;
    return out;
}
}  // namespace

TEST(SentenceLayout, EnglishWrapsAtSpacesAndNeverInsideAWord) {
    // 100 pixels hold ten characters: "the moon is" would be 11.
    SentenceLayout layout(u"the moon is round+tonight", 23, false, tenPixels, 100);
    ASSERT_TRUE(layout.isProportional());
    ASSERT_EQ(layout.getLines().size(), 3u);
    EXPECT_EQ(lineText(layout, 0), u"the moon");
    EXPECT_EQ(lineText(layout, 1), u"is round");  // the space at the wrap is dropped
    EXPECT_EQ(lineText(layout, 2), u"tonight");
    const auto& glyphs = layout.getGlyphs();
    EXPECT_EQ(glyphs[4].x, 40);  // "m" after "the "
    for (const auto& g : glyphs)
        EXPECT_LE(g.x + 10, 100);
}

TEST(SentenceLayout, AnEnglishWordWiderThanALineIsBrokenRatherThanLost) {
    SentenceLayout layout(u"a bbbbbbbbbbbb", 23, true, tenPixels, 100);
    ASSERT_EQ(layout.getLines().size(), 3u);
    EXPECT_EQ(lineText(layout, 0), u"a");
    EXPECT_EQ(lineText(layout, 1), u"bbbbbbbbbb");
    EXPECT_EQ(lineText(layout, 2), u"bb");
    EXPECT_EQ(layout.getGlyphs().back().alpha, 255);
}
