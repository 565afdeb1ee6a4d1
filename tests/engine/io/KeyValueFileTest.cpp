#include "engine/io/KeyValueFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/exceptions/EOFException.h"
#include "engine/exceptions/Exception.h"
#include "tests/support/TempDir.h"

using namespace mirelune::test;
using veru::YString;
using veru::io::KeyValueFile;

TEST(KeyValueFile, AMissingFileIsCreatedEmpty) {
    TempDir dir;
    const YString path = dir.file("setting.env");
    KeyValueFile store(path);
    EXPECT_TRUE(store.isBinary());
    EXPECT_TRUE(store.getEntries().empty());
    EXPECT_TRUE(fileExists(path));
    EXPECT_TRUE(readBytes(path).empty());
}

TEST(KeyValueFile, BinaryStoresWriteOneRecordPerEntryInKeyOrder) {
    TempDir dir;
    const YString path = dir.file("setting.env");
    KeyValueFile store(path);
    store.set(u"SCREEN", u"1");
    store.set(u"KEYbullet", u"16");
    store.set(u"LEVEL", u"11");
    store.set(u"LEVEL", u"12");  // replaces
    store.save();
    Bytes expected;
    appendStringRecord(expected, u"[KEYbullet] = 16");
    appendStringRecord(expected, u"[LEVEL] = 12");
    appendStringRecord(expected, u"[SCREEN] = 1");
    EXPECT_EQ(readBytes(path), expected);
    EXPECT_FALSE(fileExists(path + u".tmp"));
}

TEST(KeyValueFile, LoadingKeepsTheFirstRecordOfAKeyAndSkipsEmptyOnes) {
    TempDir dir;
    const YString path = dir.file("setting.env");
    Bytes file;
    appendStringRecord(file, u"[SCORE] = 500");
    appendStringRecord(file, u"[Unknown] = x,y");
    appendStringRecord(file, u"[SCORE] = 900");
    appendStringRecord(file, u"[LEVEL] = ");
    appendStringRecord(file, u"   ");
    writeBytes(path, file);
    KeyValueFile store(path);
    EXPECT_EQ(store.get(u"SCORE"), YString(u"500"));
    EXPECT_EQ(store.get(u"Unknown"), YString(u"x"));  // cut at the comma
    EXPECT_TRUE(store.has(u"LEVEL"));
    EXPECT_EQ(store.get(u"LEVEL"), YString());
    EXPECT_FALSE(store.contains(u"SCREEN"));
    EXPECT_EQ(store.get(u"SCREEN"), YString());
    // Loading again finds the same records and changes nothing.
    EXPECT_TRUE(store.load());
    EXPECT_EQ(store.getEntries().size(), 3u);
    EXPECT_EQ(store.get(u"SCORE"), YString(u"500"));
}

TEST(KeyValueFile, IniAndTxtFilesAreTextLines) {
    TempDir dir;
    const YString path = dir.file("x.ini");
    {
        KeyValueFile store(path);
        EXPECT_FALSE(store.isBinary());
        store.put(u"b", u"2");
        store.put(u"a", u"1");
        store.write();
    }
    EXPECT_EQ(readBytes(path), (Bytes{'[', 'a', ']', ' ', '=', ' ', '1', '\r', '\n', '[', 'b', ']',
                                      ' ', '=', ' ', '2', '\r', '\n'}));
    KeyValueFile again(path);
    EXPECT_EQ(again.get(u"a"), YString(u"1"));
    EXPECT_EQ(again.get(u"b"), YString(u"2"));
    EXPECT_FALSE(KeyValueFile(dir.file("y.txt")).isBinary());
    EXPECT_TRUE(KeyValueFile(dir.file("z.INI")).isBinary());
}

// Damage costs only what it touches: the records before it are kept, and
// after it reading picks up again at the next whole record.
TEST(KeyValueFile, DamageSkipsOnlyWhatItTouches) {
    TempDir dir;
    const YString path = dir.file("setting.env");
    Bytes first, second;
    appendStringRecord(first, u"[KEYbomb] = 64");
    appendStringRecord(first, u"[LEVEL] = 12");
    appendStringRecord(second, u"[SCORE] = 500");
    appendStringRecord(second, u"[SCREEN] = 2");
    struct Case {
        const char* what;
        Bytes bytes;
        std::vector<const char16_t*> kept;
    };
    auto joined = [](Bytes a, const Bytes& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    Bytes strayInLength = joined(first, second);
    strayInLength.insert(strayInLength.begin() + static_cast<long>(first.size()) + 1, 0x7F);
    // Before the last '2' of "[LEVEL] = 12": that record keeps its length,
    // the one after it is read one byte early.
    Bytes strayInText = joined(first, second);
    strayInText.insert(strayInText.begin() + static_cast<long>(first.size()) - 2, 0x7F);
    Bytes cutShort = joined(first, second);
    cutShort.resize(cutShort.size() - 3);
    Bytes lengthOnly = first;
    appendInt32(lengthOnly, 0);  // a last record whose text never comes
    const Case cases[] = {
        {"a stray byte in a length", strayInLength, {u"KEYbomb", u"LEVEL", u"SCREEN"}},
        {"a stray byte in a text", strayInText, {u"KEYbomb", u"LEVEL", u"SCORE", u"SCREEN"}},
        {"cut short", cutShort, {u"KEYbomb", u"LEVEL", u"SCORE"}},
        {"a length with no text", lengthOnly, {u"KEYbomb", u"LEVEL"}},
        {"garbage in front",
         joined(Bytes{0xFF, 0xFF, 0xFF, 0x7F, 'x'}, second),
         {u"SCORE", u"SCREEN"}},
        {"garbage only", Bytes{0xFF, 0xFF, 0xFF, 0x7F, 'x', 'y', 'z'}, {}},
    };
    for (const Case& c : cases) {
        writeBytes(path, c.bytes);
        KeyValueFile store(path);
        EXPECT_TRUE(store.isDamaged()) << c.what;
        ASSERT_FALSE(store.getProblems().empty()) << c.what;
        EXPECT_NE(store.getProblems()[0].indexOf(u"バイト目"), -1) << c.what;
        EXPECT_EQ(store.getEntries().size(), c.kept.size()) << c.what;
        for (const char16_t* key : c.kept)
            EXPECT_TRUE(store.has(key)) << c.what << " " << YString(key).toUtf8();
    }
    writeBytes(path, strayInText);
    EXPECT_EQ(KeyValueFile(path).get(u"SCORE"), YString(u"500"));
    EXPECT_EQ(KeyValueFile(path).get(u"LEVEL"), YString(u"1\u327F"));  // what the byte made
    writeBytes(path, joined(first, second));
    EXPECT_FALSE(KeyValueFile(path).isDamaged());
}

// A named pipe under the name would block an open for ever: it is not read.
TEST(KeyValueFile, OnlyRegularFilesAreRead) {
    TempDir dir;
    const YString path = dir.file("setting.env");
    ASSERT_EQ(::mkfifo(path.toUtf8().c_str(), 0600), 0);
    KeyValueFile store(path);
    EXPECT_TRUE(store.getEntries().empty());
    ASSERT_EQ(store.getProblems().size(), 1u);
    EXPECT_NE(store.getProblems()[0].indexOf(u"通常のファイルではない"), -1);
}

TEST(KeyValueFile, AFailedSaveLeavesTheOldFileAsItWas) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write into read-only folders";
    TempDir dir;
    const YString path = dir.file("setting.env");
    KeyValueFile store(path);
    store.set(u"SCORE", u"1");
    store.save();
    const Bytes before = readBytes(path);
    std::filesystem::permissions(
        dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    store.set(u"SCORE", u"2");
    EXPECT_THROW(store.save(), veru::excp::Exception);
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
    EXPECT_EQ(readBytes(path), before);
}

TEST(KeyValueFile, SavingReplacesTheFileInOneStep) {
    TempDir dir;
    const YString path = dir.file("setting.env");
    KeyValueFile store(path);
    store.set(u"SCORE", u"1");
    store.save();
    // A reader holding the old file keeps seeing the old contents: the new
    // file was written beside it and renamed over it, not written in place.
    std::ifstream held(path.toUtf8(), std::ios::binary);
    store.set(u"SCORE", u"123456");
    store.save();
    Bytes old((std::istreambuf_iterator<char>(held)), std::istreambuf_iterator<char>());
    Bytes expectedOld;
    appendStringRecord(expectedOld, u"[SCORE] = 1");
    EXPECT_EQ(old, expectedOld);
    EXPECT_EQ(KeyValueFile(path).get(u"SCORE"), YString(u"123456"));
}
