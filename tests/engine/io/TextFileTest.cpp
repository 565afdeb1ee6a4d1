// Text files are CP932 with CR LF line ends.

#include <gtest/gtest.h>

#include "engine/exceptions/FileNotFoundException.h"
#include "engine/io/TextFileReader.h"
#include "engine/io/TextFileWriter.h"
#include "tests/support/TempDir.h"

using namespace mirelune::test;
using veru::YString;
using veru::io::TextFileReader;
using veru::io::TextFileWriter;
using veru::io::YFile;

TEST(TextFile, WritesCp932WithCrLfLineEnds) {
    TempDir dir;
    const YString path = dir.file("x.ini");
    {
        TextFileWriter w{YFile(path)};
        w.writeLine(u"[月] = ");
        w.writeLine(YString(u"1"));
        w.newLine();
        w.close();
    }
    EXPECT_EQ(readBytes(path), (Bytes{'[', 0x8C, 0x8E, ']', ' ', '=', ' ', '1', '\r', '\n'}));
}

TEST(TextFile, ReadsLinesEndedByLfOrCrLfAndTheLastLineWithoutEnd) {
    TempDir dir;
    const YString path = dir.file("lines.txt");
    writeBytes(path, Bytes{'a', '\r', '\n', 0x8C, 0x8E, '\n', '\n', 'z'});
    TextFileReader r{YFile(path)};
    EXPECT_EQ(r.readLine(), std::optional<YString>(u"a"));
    EXPECT_EQ(r.readLine(), std::optional<YString>(u"月"));
    EXPECT_EQ(r.readLine(), std::optional<YString>(YString()));
    EXPECT_FALSE(r.isEOF());
    EXPECT_EQ(r.readLine(), std::optional<YString>(u"z"));
    EXPECT_TRUE(r.isEOF());
    EXPECT_EQ(r.readLine(), std::nullopt);
}

TEST(TextFile, LongLinesComeInPiecesWithNothingLost) {
    TempDir dir;
    const YString path = dir.file("long.txt");
    Bytes bytes(1500, 'k');
    bytes.push_back('\n');
    writeBytes(path, bytes);
    TextFileReader r{YFile(path)};
    auto first = r.readLine();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->size(), TextFileReader::kMaxLine);
    auto second = r.readLine();
    ASSERT_TRUE(second);
    EXPECT_EQ(first->size() + second->size(), 1500u);
    EXPECT_TRUE(r.isEOF());
}

TEST(TextFile, AMissingFileReadsAsEmptyAndCannotBeWrittenIntoAMissingFolder) {
    TempDir dir;
    TextFileReader r{YFile(dir.file("none.txt"))};
    EXPECT_TRUE(r.isEOF());
    EXPECT_EQ(r.readLine(), std::nullopt);
    EXPECT_THROW(TextFileWriter{YFile(dir.file("no/dir/x.txt"))},
                 veru::excp::FileNotFoundException);
}
