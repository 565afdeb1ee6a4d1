#include "engine/core/ValueParser.h"

#include <gtest/gtest.h>

#include "engine/exceptions/NumberFormatException.h"

using veru::parseBool;
using veru::parseInt;
using veru::YString;
using veru::excp::NumberFormatException;

TEST(ParseInt, ReadsALeadingDecimalNumber) {
    EXPECT_EQ(parseInt(u"12abc"), 12);
    EXPECT_EQ(parseInt(u"  \t-45"), -45);
    EXPECT_EQ(parseInt(u"+7"), 7);
    EXPECT_EQ(parseInt(u"abc"), 0);
    EXPECT_EQ(parseInt(u""), 0);
    EXPECT_EQ(parseInt(u"-"), 0);
    EXPECT_EQ(parseInt(u"2147483647"), 2147483647);
    EXPECT_EQ(parseInt(u"-2147483648"), -2147483647 - 1);
}

TEST(ParseInt, ThrowsForNumbersOutsideTheIntRange) {
    for (const char16_t* text :
         {u"99999999999", u"2147483648", u"-2147483649", u"123456789012345678901234567890"}) {
        try {
            parseInt(text);
            FAIL() << YString(text).toUtf8();
        } catch (const NumberFormatException& e) {
            EXPECT_EQ(e.getMessage(),
                      YString(u"文字列がint値のフォーマットでありません。：") + YString(text));
        }
    }
}

TEST(ParseBool, AcceptsOnlyTheExactWords) {
    EXPECT_TRUE(parseBool(u"true"));
    EXPECT_FALSE(parseBool(u"false"));
    for (const char16_t* text : {u"True", u" true", u"false ", u"1", u""}) {
        try {
            parseBool(text);
            FAIL() << YString(text).toUtf8();
        } catch (const NumberFormatException& e) {
            EXPECT_EQ(e.getMessage(),
                      YString(u"文字列がbool値のフォーマットでありません。：") + YString(text));
        }
    }
}
