#include "engine/io/Scrambler.h"

#include <gtest/gtest.h>

#include "engine/io/ByteFileReader.h"
#include "engine/io/ByteFileWriter.h"
#include "tests/support/TempDir.h"

using namespace mirelune::test;
using veru::YString;
namespace io = veru::io;

TEST(Scrambler, ScramblingTwiceRestoresAndKeyZeroChangesNothing) {
    Bytes original{0x00, 0x93, 0xFF, 0x10};
    Bytes b = original;
    io::scramble(b, 0x4C93);
    EXPECT_EQ(b, (Bytes{0x93, 0x00, 0x6C, 0x83}));
    io::scramble(b, 0x4C93);
    EXPECT_EQ(b, original);
    io::scramble(b, 0);
    io::scramble(b, 0x4C00);  // only the low byte counts
    EXPECT_EQ(b, original);
}

TEST(Scrambler, RegistryStartsEmptyAndKeepsTheLastKey) {
    EXPECT_EQ(io::fileKeyFor("wav"), 0);
    io::registerFileKey("tst", 5);
    io::registerFileKey("tst", 7);
    EXPECT_EQ(io::fileKeyFor("tst"), 7);
    io::registerGameFileKeys();
    EXPECT_EQ(io::fileKeyFor("ytx"), 0x4C93);
    EXPECT_EQ(io::fileKeyFor("ysf"), 19603);
    EXPECT_EQ(io::fileKeyFor("dat"), 0x4C93);
}

TEST(Scrambler, ScriptsReadBackOnlyWithTheKeyTheyWereScrambledWith) {
    TempDir dir;
    io::registerGameFileKeys();
    const YString scrambled = dir.file("trial.dat");
    const YString plain = dir.file("plain.dat");
    {
        io::ByteFileWriter w(scrambled);
        w.setKeys(0, io::fileKeyFor("dat"));
        w.writeLine(u"Sentence:normal,月がきれい");
        w.close();
        io::ByteFileWriter p(plain);
        p.writeLine(u"Sentence:normal,月がきれい");
        p.close();
    }
    // Lengths stay plain; only the text bytes change.
    Bytes expected;
    appendStringRecord(expected, u"Sentence:normal,月がきれい", 0x93);
    EXPECT_EQ(readBytes(scrambled), expected);

    io::ByteFileReader good(scrambled);
    good.setKeys(0, io::fileKeyFor("dat"));
    EXPECT_EQ(good.readLine(), std::optional<YString>(u"Sentence:normal,月がきれい"));

    io::ByteFileReader garbled(plain);
    garbled.setKeys(0, io::fileKeyFor("dat"));
    EXPECT_NE(garbled.readLine(), std::optional<YString>(u"Sentence:normal,月がきれい"));
}
