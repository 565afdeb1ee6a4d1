// The messages a player may meet, put into English while the game speaks
// English, with file names and numbers kept; Japanese left untouched.
#include "engine/core/MessageText.h"

#include <gtest/gtest.h>

using veru::Language;
using veru::YString;
using veru::awt::playerText;

TEST(MessageText, EnglishKeepsTheFileNamesAndLineNumbers) {
    EXPECT_EQ(
        playerText(
            u"script/trial.en.dat（12行目）：文字列がbool値のフォーマットでありません。：ture",
            Language::english),
        YString(u"script/trial.en.dat (line 12): Not true or false: ture"));
    EXPECT_EQ(playerText(u"script/x.dat：ファイルが空です。", Language::english),
              YString(u"script/x.dat: the file is empty."));
    const YString settings = YString(u"設定ファイル「setting.env」の一部が壊れていました。\n") +
                             u"読めた設定（画面、難易度）はそのまま使います。\n" +
                             u"読めなかった設定（ショットのボタン）は初期設定に戻します。\n";
    EXPECT_EQ(playerText(settings, Language::english),
              YString(u"The settings file \"setting.env\" was partly damaged.\n"
                      u"The settings that could be read (screen, difficulty) are kept.\n"
                      u"The settings that could not be read (shot button) go back to their "
                      u"defaults.\n"));
    // Something the table does not know keeps its words; a full-width bracket
    // that is no line number stays.
    EXPECT_EQ(playerText(u"（注）", Language::english), YString(u"（注）"));
}

TEST(MessageText, JapaneseIsLeftAsWritten) {
    const YString text = u"script/t.dat（3行目）：ファイルが空です。";
    EXPECT_EQ(playerText(text, Language::japanese), text);
    EXPECT_EQ(playerText(u"エラー", Language::english), YString(u"Error"));
}
