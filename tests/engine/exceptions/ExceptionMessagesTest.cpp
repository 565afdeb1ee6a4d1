// The messages are shown to the player as they stand: check every one,
// character for character.

#include <gtest/gtest.h>

#include <memory>

#include "engine/exceptions/ArrayIndexOutOfBoundsException.h"
#include "engine/exceptions/CanNotConnectException.h"
#include "engine/exceptions/EOFException.h"
#include "engine/exceptions/EmptyException.h"
#include "engine/exceptions/Exception.h"
#include "engine/exceptions/FileNotFoundException.h"
#include "engine/exceptions/IOException.h"
#include "engine/exceptions/IllegalArgumentException.h"
#include "engine/exceptions/NullPointerException.h"
#include "engine/exceptions/NumberFormatException.h"
#include "engine/material/SpriteNotBeginException.h"

using namespace veru::excp;
using veru::YString;

TEST(Exceptions, DefaultMessagesNameTheirClass) {
    EXPECT_EQ(Exception().getMessage(), YString(u"例外が発生しました。"));
    EXPECT_EQ(Exception().getMessage().size(), 10u);
    EXPECT_EQ(NullPointerException().getMessage(),
              YString(u"NullPointerException::参照先がありません。"));
    EXPECT_EQ(EOFException().getMessage(), YString(u"EOFException::ファイルの終端に来ています。"));
    EXPECT_EQ(IOException().getMessage(),
              YString(u"IOException::ファイル入出力の際に何か失敗しました。"));
    EXPECT_EQ(EmptyException().getMessage(),
              YString(u"EmptyException::空のデータ構造にアクセスされました。"));
    EXPECT_EQ(IllegalArgumentException().getMessage(),
              YString(u"IllegalArgumentException::不当な引数が指定されました。"));
    EXPECT_EQ(CanNotConnectException().getMessage(),
              YString(u"CanNotConnectException::接続に失敗しました。"));
    EXPECT_EQ(
        veru::dxt::material::SpriteNotBeginException().getMessage(),
        YString(u"SpriteNotBeginException::Spriteが作成、またはBegin()呼び出しがされていません。"));
}

TEST(Exceptions, TextFormsCarryTheCallersText) {
    EXPECT_EQ(Exception(u"a").getMessage(), YString(u"a"));
    EXPECT_EQ(Exception(u"前", u"後").getMessage(), YString(u"前後"));
    EXPECT_EQ(NullPointerException(u"n").getMessage(), YString(u"n"));
    EXPECT_EQ(IOException(u"i").getMessage(), YString(u"i"));
    EXPECT_EQ(IllegalArgumentException(u"パス名が長すぎます。：x").getMessage(),
              YString(u"パス名が長すぎます。：x"));
    EXPECT_EQ(CanNotConnectException(u"c").getMessage(), YString(u"c"));
    EXPECT_EQ(NumberFormatException(u"12x", u"説明：").getMessage(), YString(u"説明：12x"));
}

TEST(Exceptions, DetailsFollowTheFixedText) {
    const YString missing = FileNotFoundException(u"img/none.ytx").getMessage();
    EXPECT_EQ(missing,
              YString(u"FileNotFoundException::ファイルが見つかりませんでした。\n：img/none.ytx"));
    const std::size_t lineFeed = missing.find(u'\n');
    ASSERT_NE(lineFeed, YString::npos);
    EXPECT_EQ(missing.substring(lineFeed + 1), YString(u"：img/none.ytx"));

    EXPECT_EQ(ArrayIndexOutOfBoundsException(-1).getMessage(),
              YString(u"ArrayIndexOutOfBoundsException::"
                      u"不正なインデックスを使って配列がアクセスされました：-1"));
}

TEST(Exceptions, EveryMemberIsCaughtAsExceptionAndCopiesOwnTheirText) {
    std::unique_ptr<Exception> original = std::make_unique<FileNotFoundException>(u"a.ysf");
    Exception copy = *original;
    original.reset();
    EXPECT_EQ(copy.getMessage(),
              YString(u"FileNotFoundException::ファイルが見つかりませんでした。\n：a.ysf"));
    try {
        throw EOFException();
    } catch (const Exception& e) {
        EXPECT_EQ(e.getMessage(), EOFException().getMessage());
    }
}
