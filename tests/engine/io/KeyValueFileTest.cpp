#include "engine/io/KeyValueFile.h"

#include <gtest/gtest.h>

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

TEST(KeyValueFile, ACutShortFileThrowsEOF) {
    TempDir dir;
    const YString path = dir.file("setting.env");
    Bytes file;
    appendStringRecord(file, u"[SCORE] = 500");
    appendInt32(file, 0);  // a last record whose text never comes
    writeBytes(path, file);
    EXPECT_THROW(KeyValueFile store(path), veru::excp::EOFException);
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
