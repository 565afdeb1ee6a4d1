#include "engine/core/StringTokenizer.h"

#include <gtest/gtest.h>

#include <vector>

using veru::YString;
using veru::util::StringTokenizer;

namespace {
std::vector<std::u16string> allTokens(StringTokenizer& t) {
    std::vector<std::u16string> out;
    while (const char16_t* token = t.nextToken())
        out.emplace_back(token);
    return out;
}
}  // namespace

TEST(StringTokenizer, SplitsAScriptLineAndCountsEveryCall) {
    StringTokenizer t(u"Face:siro, 3", u": ,()");
    EXPECT_EQ(allTokens(t), (std::vector<std::u16string>{u"Face", u"siro", u"3"}));
    EXPECT_EQ(t.getCount(), 4);
    EXPECT_EQ(t.nextToken(), nullptr);
    EXPECT_EQ(t.getCount(), 5);
}

TEST(StringTokenizer, SkipsLeadingAndRepeatedDelimitersAndNeverGivesEmptyTokens) {
    StringTokenizer t(u"  ((a,,  b))c  ", u" ,()");
    EXPECT_EQ(allTokens(t), (std::vector<std::u16string>{u"a", u"b", u"c"}));
    StringTokenizer empty(u"", u" ");
    EXPECT_EQ(empty.nextToken(), nullptr);
    StringTokenizer onlyDelimiters(u"[] = ", u"[], =");
    EXPECT_EQ(onlyDelimiters.nextToken(), nullptr);
}

TEST(StringTokenizer, TwoTokenizersDoNotDisturbEachOther) {
    StringTokenizer a(u"1 2 3", u" ");
    StringTokenizer b(u"x,y", u",");
    EXPECT_EQ(std::u16string(a.nextToken()), u"1");
    EXPECT_EQ(std::u16string(b.nextToken()), u"x");
    EXPECT_EQ(std::u16string(a.nextToken()), u"2");
    EXPECT_EQ(std::u16string(b.nextToken()), u"y");
    EXPECT_EQ(std::u16string(a.nextToken()), u"3");
    EXPECT_EQ(b.nextToken(), nullptr);
}

TEST(StringTokenizer, TokensStayValidWhileTheTokenizerLives) {
    YString source(u"[KEYbullet] = 16");
    StringTokenizer t(source, u"[], =");
    const char16_t* key = t.nextToken();
    source.clear();  // the tokenizer keeps its own copy
    const char16_t* value = t.nextToken();
    EXPECT_EQ(std::u16string(key), u"KEYbullet");
    EXPECT_EQ(std::u16string(value), u"16");
}
