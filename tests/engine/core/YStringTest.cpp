#include "engine/core/YString.h"

#include <gtest/gtest.h>

#include "engine/core/SharedTextBuffer.h"

using veru::YString;

TEST(YString, ConvertsTheJapaneseCodePageAndUtf8) {
    // "月" in CP932 is 0x8C 0x8E; "ｱ" (half-width) is the single byte 0xB1.
    EXPECT_EQ(YString::fromAnsi("\x8C\x8E"
                                "A\xB1"),
              YString(u"月Aｱ"));
    EXPECT_EQ(YString(u"月Aｱ").toAnsi(), std::string("\x8C\x8E"
                                                     "A\xB1"));
    EXPECT_EQ(YString::fromUtf8("湖の霧"), YString(u"湖の霧"));
    EXPECT_EQ(YString(u"湖の霧").toUtf8(), "湖の霧");
    // A lead byte with nothing after it must not stop or crash the conversion.
    EXPECT_EQ(YString::fromAnsi("ab\x8C"), YString(u"ab\uFFFD"));
    // A character CP932 cannot hold becomes '?'.
    EXPECT_EQ(YString(u"a\U0001F319b").toAnsi(), "a?b");
}

TEST(YString, ReadsLittleEndianUtf16Bytes) {
    const std::uint8_t bytes[] = {0x08, 0x67, 0x41, 0x00};  // 月 A
    EXPECT_EQ(YString::fromUtf16Bytes(bytes, 2), YString(u"月A"));
    EXPECT_EQ(YString::fromUtf16Bytes(bytes, 0), YString());
}

TEST(YString, AppendsTextsNumbersAndAnsiText) {
    YString s(u"score");
    s.append(u"=").append(-120).append(YString(u"/")).append("max");
    EXPECT_EQ(s, YString(u"score=-120/max"));
    EXPECT_EQ(YString::fromInt(-2147483647 - 1), YString(u"-2147483648"));
    // Results longer than 1023 units are kept whole.
    YString longText(std::u16string(1500, u'x'));
    longText.append(7);
    EXPECT_EQ(longText.size(), 1501u);
    EXPECT_EQ(longText.back(), u'7');
}

TEST(YString, SearchesComparesAndCuts) {
    const YString s(u"img/face_siro.ytx");
    EXPECT_EQ(s.indexOf(u"face"), 4);
    EXPECT_EQ(s.indexOf(u"none"), -1);
    EXPECT_TRUE(s.equals(YString(u"img/face_siro.ytx")));
    EXPECT_FALSE(s.equalsText(u"IMG/face_siro.ytx"));
    EXPECT_FALSE(s.equalsText(nullptr));
    EXPECT_EQ(s.substring(4, 4), YString(u"face"));
    EXPECT_EQ(s.substring(14), YString(u"ytx"));
    EXPECT_EQ(s.substring(99), YString());
}

TEST(YString, ReplacesFirstAndAll) {
    const YString s(u"a+b+c");
    EXPECT_EQ(s.replaceFirst(u"+", u" "), YString(u"a b+c"));
    EXPECT_EQ(s.replaceAll(u"+", u" "), YString(u"a b c"));
    EXPECT_EQ(s.replaceAll(u"-", u" "), s);
    // Repeated replacement sees text the previous replacement made.
    EXPECT_EQ(YString(u"aab").replaceAll(u"ab", u"b"), YString(u"b"));
    // A replacement that contains what it replaces must not loop for ever.
    EXPECT_EQ(s.replaceAll(u"+", u"++"), YString(u"a++b++c"));
    EXPECT_EQ(s.replaceAll(u"", u"x"), s);
}

TEST(YString, SuffixIsTheTextAfterTheLastDotComparedExactly) {
    EXPECT_TRUE(YString(u"sound/bgm.ogg").hasSuffix("ogg"));
    EXPECT_FALSE(YString(u"sound/bgm.OGG").hasSuffix("ogg"));
    EXPECT_TRUE(YString(u"setting.env.ini").hasSuffix("ini"));
    EXPECT_FALSE(YString(u"archive.ogg.bak").hasSuffix("ogg"));
    EXPECT_TRUE(YString(u"wav").hasSuffix("wav"));  // no dot: the whole name
    EXPECT_FALSE(YString(u"x.wav").hasSuffix(".wav"));
}

TEST(YString, SharedBufferHoldsTextsBelow1024Units) {
    const char16_t* p = YString(u"夜").toSharedBuffer();
    ASSERT_EQ(p, veru::sharedTextBuffer);
    EXPECT_EQ(std::u16string(p), u"夜");
    EXPECT_NE(YString(std::u16string(1023, u'a')).toSharedBuffer(), nullptr);
    EXPECT_EQ(YString(std::u16string(1024, u'a')).toSharedBuffer(), nullptr);
}
