#include "engine/core/MessageBox.h"

#include <gtest/gtest.h>

#include "tests/support/RecordingMessageSink.h"

using mirelune::test::RecordingMessageSink;
using veru::YString;
using veru::awt::MessageKind;

TEST(MessageBox, EachFormUsesItsCaptionAndKind) {
    RecordingMessageSink sink;
    veru::awt::showError(u"読めません", u"AdventureScene::create()");
    veru::awt::showError(u"通っちゃいけないところを通ってるよ！");
    veru::awt::showInformation(u"シーンが設定されていません。終了します。");
    veru::awt::showWarning(u"パッドが見つかりませんでした。", u"パッド検出");
    auto m = sink.messages();
    ASSERT_EQ(m.size(), 4u);
    EXPECT_EQ(m[0].kind, MessageKind::error);
    EXPECT_EQ(m[0].caption, YString(u"AdventureScene::create()"));
    EXPECT_EQ(m[0].text, YString(u"読めません"));
    EXPECT_EQ(m[1].caption, YString(u"エラー"));
    EXPECT_EQ(m[2].kind, MessageKind::information);
    EXPECT_EQ(m[2].caption, YString(u"表示"));
    EXPECT_EQ(m[3].kind, MessageKind::warning);
}

TEST(MessageBox, ARemovedSinkHandsBackToThePreviousOne) {
    RecordingMessageSink outer;
    {
        RecordingMessageSink inner;
        veru::awt::showError(u"inner");
        EXPECT_EQ(inner.count(), 1u);
    }
    veru::awt::showError(u"outer");
    EXPECT_EQ(outer.count(), 1u);
    EXPECT_EQ(outer.messages()[0].text, YString(u"outer"));
}
