// Reading a talk script: its statements in order, and a damaged or
// oversized file refused with a message naming it.
#include "engine/adventure/TalkScriptFile.h"

#include <gtest/gtest.h>

#include "engine/exceptions/Exception.h"
#include "engine/io/Scrambler.h"
#include "tests/support/TempDir.h"

using namespace mirelune::test;
using veru::YString;

namespace {

std::string failureOf(const YString& path) {
    try {
        veru::adv::readTalkScript(path);
    } catch (const veru::excp::Exception& e) {
        return e.getMessage().toUtf8();
    }
    return "(read)";
}

TEST(TalkScriptFileTest, ReadsTheStatementsSkippingBlankRecords) {
    TempDir dir;
    Bytes bytes;
    for (const char16_t* line : {u"Back(img/a.ytx)", u"", u"Sentence(siro, やあ)"})
        appendStringRecord(bytes, line, veru::io::kDataFileKey);
    const YString path = dir.file("talk.dat");
    writeBytes(path, bytes);
    veru::io::registerGameFileKeys();
    EXPECT_EQ(veru::adv::readTalkScript(path),
              (std::vector<YString>{u"Back(img/a.ytx)", u"Sentence(siro, やあ)"}));
}

TEST(TalkScriptFileTest, DamagedAndOversizedFilesAreRefusedNamingTheFile) {
    TempDir dir;
    veru::io::registerGameFileKeys();
    // A record claiming more text than there is; a file cut inside a length.
    Bytes claims;
    appendStringRecord(claims, u"Back(img/a.ytx)", veru::io::kDataFileKey);
    appendInt32(claims, 5000);
    claims.insert(claims.end(), {1, 2});
    const YString damaged = dir.file("damaged.dat");
    writeBytes(damaged, claims);
    EXPECT_EQ(failureOf(damaged),
              "IOException::文字列の長さがファイルの残りと合いません。：" + damaged.toUtf8());
    const YString cut = dir.file("cut.dat");
    writeBytes(cut, Bytes{3, 0});
    EXPECT_NE(failureOf(cut).find(cut.toUtf8()), std::string::npos) << failureOf(cut);

    const YString big = dir.file("big.dat");
    writeBytes(big, Bytes(veru::adv::kMaxTalkScriptBytes + 1, 0));
    EXPECT_EQ(failureOf(big), big.toUtf8() + "：ファイルが大きすぎます（1024KBまで）。");
}

}  // namespace
