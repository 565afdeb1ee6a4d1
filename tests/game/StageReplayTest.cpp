// Recorded plays: the file keeps the seed, the settings the play depends on
// and every frame's buttons exactly; anything that is not such a file is
// refused with a message naming it, never half read.

#include "game/StageReplay.h"

#include <gtest/gtest.h>

#include "engine/exceptions/FileNotFoundException.h"
#include "engine/exceptions/IOException.h"
#include "game/StageStateHash.h"
#include "tests/support/TempDir.h"

using namespace mirelune::test;

namespace {

ml::StageReplay sample() {
    ml::StageReplay replay;
    replay.seed = 0xFEDCBA9876543210ull;
    replay.level = 0x200002;
    replay.maskShoot = 0x20;
    replay.maskSpecial = 0x10;
    replay.maskPause = 0x2000;
    replay.startScore = 12345;
    replay.startLives = 4;
    replay.startStock = 0;
    replay.startPower = 0x200003;
    replay.character = 2;
    replay.startPosition = 4321;
    replay.startBoss = 1;
    replay.result = ml::StageReplay::Result{98765, true, 13, 0x1'2345'6789};
    // Held runs, single frames, a word with the top button, a run at the end.
    replay.words = {0, 0, 0, 0x30, 0x30, 0x1, 0x2000, 0x2000, 0x9, 0x9, 0x9, 0x9, 0};
    return replay;
}

Bytes intsToBytes(std::initializer_list<std::int32_t> values) {
    Bytes out;
    for (auto v : values)
        appendInt32(out, v);
    return out;
}

// The values, then their checksum as the writer puts it after them.
Bytes withChecksum(std::initializer_list<std::int32_t> body) {
    ml::StageStateHash checksum;
    for (std::int32_t value : body)
        checksum.add(value);
    Bytes bytes = intsToBytes(body);
    appendInt32(bytes, static_cast<std::int32_t>(checksum.value() & 0xFFFFFFFFu));
    appendInt32(bytes, static_cast<std::int32_t>(checksum.value() >> 32));
    return bytes;
}

}  // namespace

TEST(StageReplay, WritesAndReadsBackEveryValue) {
    TempDir dir;
    const ml::StageReplay written = sample();
    ml::writeStageReplay(dir.file("play.rpl"), written);
    const ml::StageReplay read = ml::readStageReplay(dir.file("play.rpl"));
    EXPECT_EQ(read.seed, written.seed);
    EXPECT_EQ(read.level, written.level);
    EXPECT_EQ(read.maskShoot, written.maskShoot);
    EXPECT_EQ(read.maskSpecial, written.maskSpecial);
    EXPECT_EQ(read.maskBomb, written.maskBomb);
    EXPECT_EQ(read.maskSlow, written.maskSlow);
    EXPECT_EQ(read.maskPause, written.maskPause);
    EXPECT_EQ(read.startScore, written.startScore);
    EXPECT_EQ(read.startLives, written.startLives);
    EXPECT_EQ(read.startStock, written.startStock);
    EXPECT_EQ(read.startPower, written.startPower);
    EXPECT_EQ(read.character, 2);
    EXPECT_EQ(read.startPosition, 4321);
    EXPECT_EQ(read.startBoss, 1);
    EXPECT_EQ(read.result, written.result);
    EXPECT_EQ(read.words, written.words);
    EXPECT_EQ(read.wordAt(3), 0x30);
    EXPECT_EQ(read.wordAt(500), 0);  // past the end nothing is held
}

TEST(StageReplay, HeldButtonsTakeLittleRoom) {
    TempDir dir;
    ml::StageReplay replay;
    replay.words.assign(36000, 0x10);  // ten minutes of the shot held
    replay.words.insert(replay.words.end(), 100, 0x18);
    ml::writeStageReplay(dir.file("long.rpl"), replay);
    EXPECT_LT(readBytes(dir.file("long.rpl")).size(), 140u);
    EXPECT_EQ(ml::readStageReplay(dir.file("long.rpl")).words, replay.words);

    ml::StageReplay empty;
    ml::writeStageReplay(dir.file("empty.rpl"), empty);
    const ml::StageReplay back = ml::readStageReplay(dir.file("empty.rpl"));
    EXPECT_TRUE(back.words.empty());
    EXPECT_FALSE(back.result) << "a play never finished keeps its result unknown";
    EXPECT_EQ(back.startBoss, -1);
}

// Version 3 files (before practice and the result block) started at the
// stage's start and say nothing of how the play ended.
TEST(StageReplay, ReadsTheThirdVersionWithoutAResult) {
    TempDir dir;
    const std::initializer_list<std::int32_t> body = {ml::StageReplay::kMark,
                                                      3,
                                                      7,
                                                      0,
                                                      0x200001,
                                                      0x10,
                                                      0x20,
                                                      0x40,
                                                      0x80,
                                                      0x100,
                                                      0,
                                                      3,
                                                      2,
                                                      0x200000,
                                                      2,
                                                      3,
                                                      2,
                                                      0x10,
                                                      2,
                                                      0,
                                                      1};
    writeBytes(dir.file("v3.rpl"), withChecksum(body));
    const ml::StageReplay read = ml::readStageReplay(dir.file("v3.rpl"));
    EXPECT_EQ(read.character, 2);
    EXPECT_EQ(read.words, (std::vector<int>{0x10, 0x10, 0}));
    EXPECT_EQ(read.startPosition, 0);
    EXPECT_EQ(read.startBoss, -1);
    EXPECT_FALSE(read.result);
    EXPECT_TRUE(read.verified);
}

// Version 1 files hold no start values and
// no checksum: they start as a new game starts the stage.
TEST(StageReplay, ReadsTheFirstVersion) {
    TempDir dir;
    writeBytes(dir.file("v1.rpl"), intsToBytes({ml::StageReplay::kMark, 1, 7, 0, 0x200002, 0x20,
                                                0x10, 0x40, 0x80, 0x100, 3, 2, 0x30, 2, 0, 1}));
    const ml::StageReplay read = ml::readStageReplay(dir.file("v1.rpl"));
    EXPECT_EQ(read.seed, 7u);
    EXPECT_EQ(read.level, 0x200002);
    EXPECT_EQ(read.maskShoot, 0x20);
    EXPECT_EQ(read.words, (std::vector<int>{0x30, 0x30, 0}));
    const ml::StageReplay fresh;
    EXPECT_EQ(read.startScore, 0);
    EXPECT_EQ(read.startLives, fresh.startLives);
    EXPECT_EQ(read.startStock, fresh.startStock);
    EXPECT_EQ(read.startPower, fresh.startPower);
    EXPECT_FALSE(read.verified) << "no checksum: whoever plays it must say so";
    ml::writeStageReplay(dir.file("v3.rpl"), read);
    EXPECT_TRUE(ml::readStageReplay(dir.file("v3.rpl")).verified);
}

// Version 2 files, written before Hotaru could fly, are Shiro's.
TEST(StageReplay, ReadsTheSecondVersionAsShiros) {
    TempDir dir;
    const std::initializer_list<std::int32_t> body = {ml::StageReplay::kMark,
                                                      2,
                                                      7,
                                                      0,
                                                      0x200002,
                                                      0x20,
                                                      0x10,
                                                      0x40,
                                                      0x80,
                                                      0x100,
                                                      500,
                                                      3,
                                                      4,
                                                      0x200001,
                                                      2,
                                                      1,
                                                      0x30,
                                                      2};
    writeBytes(dir.file("v2.rpl"), withChecksum(body));
    const ml::StageReplay read = ml::readStageReplay(dir.file("v2.rpl"));
    EXPECT_EQ(read.startScore, 500);
    EXPECT_EQ(read.startPower, 0x200001);
    EXPECT_EQ(read.character, 1);
    EXPECT_EQ(read.words, (std::vector<int>{0x30, 0x30}));
}

// A recording plays out as garbage if any value is off: every flipped bit
// is caught by the checksum, and a value the game cannot have is refused by
// name even when the checksum agrees (a file written by a broken tool).
TEST(StageReplay, RefusesAFlippedBitAndValuesOutOfRange) {
    TempDir dir;
    ml::writeStageReplay(dir.file("good.rpl"), sample());
    const Bytes good = readBytes(dir.file("good.rpl"));
    for (std::size_t byte = 0; byte < good.size(); ++byte) {
        for (int bit = 0; bit < 8; bit += 3) {
            Bytes flipped = good;
            flipped[byte] ^= static_cast<std::uint8_t>(1 << bit);
            writeBytes(dir.file("flipped.rpl"), flipped);
            EXPECT_THROW(ml::readStageReplay(dir.file("flipped.rpl")), veru::excp::IOException)
                << "byte " << byte << " bit " << bit;
        }
    }

    struct Case {
        const char* name;
        void (*spoil)(ml::StageReplay&);
        const char* said;
    };
    const Case cases[] = {
        {"difficulty", [](ml::StageReplay& r) { r.level = 0x12345; }, "0x12345"},
        {"no shot button", [](ml::StageReplay& r) { r.maskShoot = 0; }, "ショット"},
        {"a direction as pause", [](ml::StageReplay& r) { r.maskPause = 0x1; }, "ポーズ"},
        {"lives", [](ml::StageReplay& r) { r.startLives = 6; }, "残機"},
        {"stock", [](ml::StageReplay& r) { r.startStock = -1; }, "ストック"},
        {"shot level", [](ml::StageReplay& r) { r.startPower = 0x200005; }, "0x200005"},
        {"score", [](ml::StageReplay& r) { r.startScore = -5; }, "スコア"},
        {"heroine", [](ml::StageReplay& r) { r.character = 3; }, "キャラクター 3"},
        {"button word", [](ml::StageReplay& r) { r.words[4] = 0x4000; }, "フレーム 4"},
        {"start position", [](ml::StageReplay& r) { r.startPosition = -1; }, "開始位置"},
        {"start boss", [](ml::StageReplay& r) { r.startBoss = -2; }, "ボス"},
        {"result", [](ml::StageReplay& r) { r.result->score = -1; }, "結果"},
    };
    for (const Case& c : cases) {
        ml::StageReplay replay = sample();
        c.spoil(replay);
        EXPECT_NE(replay.problem(), "") << c.name;
        ml::writeStageReplay(dir.file("spoilt.rpl"), replay);
        try {
            ml::readStageReplay(dir.file("spoilt.rpl"));
            ADD_FAILURE() << c.name << ": read";
        } catch (const veru::excp::IOException& e) {
            EXPECT_NE(e.getMessage().indexOf(dir.file("spoilt.rpl")), -1) << c.name;
            EXPECT_NE(e.getMessage().toUtf8().find(c.said), std::string::npos)
                << c.name << ": " << e.getMessage().toUtf8();
        }
    }
    EXPECT_EQ(sample().problem(), "");
}

TEST(StageReplay, RefusesWhatIsNoReplayOfThisVersion) {
    TempDir dir;
    EXPECT_THROW(ml::readStageReplay(dir.file("missing.rpl")), veru::excp::FileNotFoundException);

    ml::writeStageReplay(dir.file("good.rpl"), sample());
    const Bytes good = readBytes(dir.file("good.rpl"));
    const std::int32_t header[] = {ml::StageReplay::kMark, 1, 0, 0, 0x200001, 16, 32, 64, 128, 256};
    auto withTail = [&](std::initializer_list<std::int32_t> tail) {
        Bytes out;
        for (auto v : header)
            appendInt32(out, v);
        Bytes rest = intsToBytes(tail);
        out.insert(out.end(), rest.begin(), rest.end());
        return out;
    };

    struct Case {
        const char* name;
        Bytes bytes;
    };
    Bytes wrongVersion = good;
    wrongVersion[4] = 5;
    Bytes wrongMark = good;
    wrongMark[0] ^= 0xFF;
    const Case cases[] = {
        {"empty", {}},
        {"cut in the header", Bytes(good.begin(), good.begin() + 10)},
        {"cut in the runs", Bytes(good.begin(), good.end() - 3)},
        {"one byte too many",
         [&] {
             Bytes b = good;
             b.push_back(0);
             return b;
         }()},
        {"another version", wrongVersion},
        {"another file", wrongMark},
        {"runs longer than the frames", withTail({3, 1, 0x10, 5})},
        {"runs shorter than the frames", withTail({5, 1, 0x10, 3})},
        {"a run of no frames", withTail({0, 1, 0x10, 0})},
        {"a negative count", withTail({-1, 0})},
        {"a count no file could hold", withTail({0x7FFFFFFF, 0x7FFFFFFF})},
    };
    for (const Case& c : cases) {
        writeBytes(dir.file("bad.rpl"), c.bytes);
        try {
            ml::readStageReplay(dir.file("bad.rpl"));
            ADD_FAILURE() << c.name << ": read";
        } catch (const veru::excp::IOException& e) {
            EXPECT_NE(e.getMessage().indexOf(dir.file("bad.rpl")), -1) << c.name;
        } catch (const veru::excp::Exception& e) {
            ADD_FAILURE() << c.name << ": " << e.getMessage().toUtf8();
        }
    }
}
