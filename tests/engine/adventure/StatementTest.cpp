#include "engine/adventure/Statement.h"

#include <gtest/gtest.h>

#include "engine/adventure/StatementQueue.h"
#include "engine/exceptions/EmptyException.h"

using veru::YString;
using veru::adv::Statement;

TEST(Statement, BothWritingsGiveTheSameWords) {
    Statement call(u"Sentence(siro, 「月が+きれい」, BIG, true, false)");
    Statement colon(u"Sentence: siro 「月が+きれい」 BIG true false");
    for (const Statement* s : {&call, &colon}) {
        EXPECT_EQ(s->keyword(), YString(u"Sentence"));
        ASSERT_EQ(s->argumentCount(), 5u);
        EXPECT_EQ(s->argument(0), YString(u"siro"));
        EXPECT_EQ(s->argument(1), YString(u"「月が+きれい」"));
        EXPECT_EQ(s->argument(4), YString(u"false"));
    }
}

TEST(Statement, AQuotedArgumentKeepsItsSeparators) {
    Statement s(u"Sentence(Shiro, \"Wait, you two! (Please.)\", NORMAL, false, true)");
    ASSERT_EQ(s.argumentCount(), 5u);
    EXPECT_EQ(s.argument(1), YString(u"Wait, you two! (Please.)"));
    EXPECT_EQ(s.argument(2), YString(u"NORMAL"));
    // An unclosed quote takes the rest of the line rather than losing it.
    EXPECT_EQ(Statement(u"Sentence(null, \"no end").argument(1), YString(u"no end"));
}

TEST(Statement, MissingArgumentsReadAsEmpty) {
    Statement s(u"BGM");
    EXPECT_EQ(s.keyword(), YString(u"BGM"));
    EXPECT_EQ(s.argument(0), YString());
    EXPECT_EQ(Statement(u"   ").keyword(), YString());
}

TEST(Statement, SizeWords) {
    EXPECT_EQ(veru::adv::fontSizeForWord(u"SMALL"), 15);
    EXPECT_EQ(veru::adv::fontSizeForWord(u"Small"), 15);
    EXPECT_EQ(veru::adv::fontSizeForWord(u"small"), 23);
    EXPECT_EQ(veru::adv::fontSizeForWord(u"BIG"), 36);
    EXPECT_EQ(veru::adv::fontSizeForWord(u"NORMAL"), 23);
}

TEST(StatementQueue, KeepsFileOrderAndRefusesToPopWhenEmpty) {
    veru::adv::StatementQueue q;
    q.push(u"Back(img/lake.ytx)");
    q.push(u"end");
    EXPECT_EQ(q.pop().text, YString(u"Back(img/lake.ytx)"));
    EXPECT_FALSE(q.isEmpty());
    q.clear();
    EXPECT_TRUE(q.isEmpty());
    EXPECT_THROW(q.pop(), veru::excp::EmptyException);
}
