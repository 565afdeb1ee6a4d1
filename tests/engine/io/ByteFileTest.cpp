// Byte files: the record layout byte for byte, and bad records refused.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "engine/exceptions/EOFException.h"
#include "engine/exceptions/FileNotFoundException.h"
#include "engine/exceptions/IOException.h"
#include "engine/io/ByteFileReader.h"
#include "engine/io/ByteFileWriter.h"
#include "tests/support/TempDir.h"

using namespace mirelune::test;
using veru::YString;
using veru::io::ByteFileReader;
using veru::io::ByteFileWriter;
namespace excp = veru::excp;

class ByteFileTest : public ::testing::Test {
  protected:
    TempDir dir;
    YString path = dir.file("records.bin");
};

TEST_F(ByteFileTest, WriterProducesTheRecordLayoutByteForByte) {
    {
        ByteFileWriter w(path);
        w.writeInt(0x12345678);
        w.writeInt(-2);
        w.writeLine(u"月A");
        w.writeLine(YString());  // nothing at all
        w.writeLine(u"b");
        w.newLine();  // nothing either
        w.close();
    }
    Bytes expected;
    appendInt32(expected, 0x12345678);
    appendInt32(expected, -2);
    appendStringRecord(expected, u"月A");
    appendStringRecord(expected, u"b");
    EXPECT_EQ(readBytes(path), expected);
    EXPECT_EQ((Bytes{expected[0], expected[1], expected[2], expected[3]}),
              (Bytes{0x78, 0x56, 0x34, 0x12}));
}

TEST_F(ByteFileTest, WriterKeysScrambleValuesAndTextButNotLengths) {
    {
        ByteFileWriter w(path);
        w.setKeys(0x01020304, 0x4C93);
        w.writeInt(0);
        w.writeLine(u"ab");
        w.close();
    }
    Bytes expected;
    appendInt32(expected, 0x01020304);  // the value 0 XOR the number key
    appendInt32(expected, 2 ^ 0x01020304);
    expected.insert(expected.end(), {'a' ^ 0x93, 0x00 ^ 0x93, 'b' ^ 0x93, 0x00 ^ 0x93});
    EXPECT_EQ(readBytes(path), expected);
}

TEST_F(ByteFileTest, ReaderReadsEveryRecordKindAndCountsWhatIsLeft) {
    Bytes file;
    appendInt32(file, -123456);
    file.push_back(0xAB);
    appendStringRecord(file, u"霧の湖", 0x93);
    file.insert(file.end(), {1 ^ 0x07, 2 ^ 0x07, 3 ^ 0x07});
    writeBytes(path, file);

    ByteFileReader r(path);
    EXPECT_EQ(r.getRemaining(), static_cast<int>(file.size()));
    EXPECT_EQ(r.readInt(), -123456);
    EXPECT_EQ(r.readByte(), 0xAB);
    r.setKeys(0, 0x4C93);
    EXPECT_EQ(r.readLine(), std::optional<YString>(u"霧の湖"));
    r.setKeys(0x0107, 0);
    EXPECT_EQ(r.readRest(), (Bytes{1, 2, 3}));
    EXPECT_TRUE(r.isEOF());
    EXPECT_EQ(r.readLine(), std::nullopt);
    EXPECT_THROW(r.readInt(), excp::EOFException);
    EXPECT_THROW(r.readByte(), excp::EOFException);
    EXPECT_THROW(r.readRest(), excp::EOFException);
}

TEST_F(ByteFileTest, AnEmptyStringRecordReadsEmptyButThrowsAtTheEndOfTheFile) {
    Bytes file;
    appendInt32(file, 0);
    appendStringRecord(file, u"x");
    appendInt32(file, 0);
    writeBytes(path, file);
    ByteFileReader r(path);
    EXPECT_EQ(r.readLine(), std::optional<YString>(YString()));
    EXPECT_EQ(r.getRemaining(), 10);
    EXPECT_EQ(r.readLine(), std::optional<YString>(u"x"));
    try {
        r.readLine();
        FAIL();
    } catch (const excp::EOFException& e) {
        EXPECT_EQ(e.getMessage(), excp::EOFException(path).getMessage()) << "names the file";
    }
}

TEST_F(ByteFileTest, BadStringLengthsAreRefusedBeforeAnythingIsAllocated) {
    const YString expectedMessage =
        YString(u"IOException::文字列の長さがファイルの残りと合いません。：") + path;
    for (std::int32_t badLength : {-1, -2147483647 - 1, 3, 0x7FFFFFFF}) {
        Bytes file;
        appendInt32(file, badLength);
        file.insert(file.end(), {'a', 0, 'b', 0});  // only two characters follow
        writeBytes(path, file);
        ByteFileReader r(path);
        try {
            r.readLine();
            FAIL() << badLength;
        } catch (const excp::IOException& e) {
            EXPECT_EQ(e.getMessage(), expectedMessage) << badLength;
        }
    }
}

TEST_F(ByteFileTest, ShortReadsAreIOExceptions) {
    writeBytes(path, Bytes{1, 2});
    ByteFileReader r(path);
    try {
        r.readInt();
        FAIL();
    } catch (const excp::IOException& e) {
        EXPECT_NE(std::u16string(e.getMessage()).find(path), std::u16string::npos)
            << "names the file: " << e.getMessage().toUtf8();
    }
}

TEST_F(ByteFileTest, MissingFilesNameTheirPath) {
    const YString missing = dir.file("none.ytx");
    try {
        ByteFileReader r(missing);
        FAIL();
    } catch (const excp::FileNotFoundException& e) {
        EXPECT_EQ(e.getMessage(), excp::FileNotFoundException(missing).getMessage());
    }
    EXPECT_THROW(ByteFileWriter(dir.file("no/such/folder/x.bin")), excp::FileNotFoundException);
    // A directory is no file to read.
    EXPECT_THROW(ByteFileReader r(YString::fromUtf8(dir.path().string())),
                 excp::FileNotFoundException);
}

TEST_F(ByteFileTest, TextsOfAnyLengthRoundTrip) {
    const YString longText(std::u16string(3000, u'夜'));
    {
        ByteFileWriter w(path);
        w.writeLine(longText);
        w.close();
    }
    ByteFileReader r(path);
    EXPECT_EQ(r.readLine(), std::optional<YString>(longText));
}

// A pipe named as a file is refused before it is opened: opening it would
// wait for a writer (or a reader) that never comes.
TEST_F(ByteFileTest, APipeIsRefusedNotWaitedFor) {
    const YString pipe = dir.file("pipe.bin");
    ASSERT_EQ(::mkfifo(pipe.toUtf8().c_str(), 0600), 0);
    for (int writing = 0; writing < 2; ++writing) {
        try {
            if (writing)
                ByteFileWriter w(pipe);
            else
                ByteFileReader r(pipe);
            ADD_FAILURE() << "a pipe was opened";
        } catch (const excp::IOException& e) {
            EXPECT_TRUE(e.getMessage().toUtf8().ends_with(pipe.toUtf8()))
                << e.getMessage().toUtf8();
        }
    }
}
