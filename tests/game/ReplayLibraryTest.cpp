// The library of kept plays: every keep makes a file of its own and never
// touches another; the list reads back what each file says, newest first,
// and names a damaged file instead of dropping or playing it.

#include "game/ReplayLibrary.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <set>

#include "engine/exceptions/IOException.h"
#include "engine/platform/Clock.h"
#include "game/StageHeroine.h"
#include "tests/support/TempDir.h"

using namespace mirelune::test;
namespace fs = std::filesystem;

namespace {

ml::StageReplay played(int character, int level, std::int64_t endedAt, int score) {
    ml::StageReplay replay;
    replay.seed = 99;
    replay.character = character;
    replay.level = level;
    replay.words = {0, 0x10, 0x10, 0};
    replay.result = ml::StageReplay::Result{score, score > 1000, 4, endedAt};
    return replay;
}

constexpr std::int64_t kDay = 1796852460;  // 2026-12-09 around 21:41 UTC
constexpr int kEasy = 0x200000, kNormal = 0x200001, kHard = 0x200002;

}  // namespace

TEST(ReplayLibrary, KeepingTheSameMinuteTwiceMakesTwoFilesAndOverwritesNone) {
    TempDir dir;
    const ml::StageReplay first = played(1, kNormal, kDay, 500);
    const ml::StageReplay second = played(1, kNormal, kDay, 700);
    const fs::path a = ml::keepReplay(dir.path(), first);
    const fs::path b = ml::keepReplay(dir.path(), second);
    const fs::path c = ml::keepReplay(dir.path(), second);
    EXPECT_EQ(a.parent_path(), dir.path() / "replays");

    const veru::platform::CalendarTime when = veru::platform::localCalendarTime(kDay);
    char date[64];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d_%02d%02d", when.year, when.month, when.day,
                  when.hour, when.minute);
    EXPECT_EQ(a.filename(), std::string(date) + "_shiro_normal.rpl");
    EXPECT_EQ(b.filename(), std::string(date) + "_shiro_normal-2.rpl");
    EXPECT_EQ(c.filename(), std::string(date) + "_shiro_normal-3.rpl");
    EXPECT_EQ(ml::readStageReplay(enginePath(a)).result->score, 500);
    EXPECT_EQ(ml::readStageReplay(enginePath(b)).result->score, 700);
    EXPECT_EQ(ml::keptReplayName(played(2, kHard, kDay, 0), kDay),
              std::string(date) + "_hotaru_hard");

    // A name taken by anything at all (a dangling link too) is passed over.
    fs::create_symlink(dir.path() / "nowhere",
                       dir.path() / "replays" / (std::string(date) + "_shiro_easy.rpl"));
    const fs::path d = ml::keepReplay(dir.path(), played(1, kEasy, kDay, 1));
    EXPECT_EQ(d.filename(), std::string(date) + "_shiro_easy-2.rpl");
    EXPECT_FALSE(fs::exists(dir.path() / "nowhere"));
}

TEST(ReplayLibrary, AKeepThatCannotWriteNamesTheFolder) {
    TempDir dir;
    writeBytes(dir.file("replays"), {1, 2, 3});  // a file where the folder should be
    try {
        ml::keepReplay(dir.path(), played(1, kNormal, kDay, 1));
        ADD_FAILURE() << "kept";
    } catch (const veru::excp::IOException& e) {
        EXPECT_NE(e.getMessage().toUtf8().find((dir.path() / "replays").string()),
                  std::string::npos)
            << e.getMessage().toUtf8();
    }
    EXPECT_EQ(readBytes(dir.file("replays")), (Bytes{1, 2, 3}));
}

TEST(ReplayLibrary, ListsNewestFirstWithWhatEachFileSaysAndNamesTheDamagedOnes) {
    TempDir dir;
    EXPECT_TRUE(ml::listReplays(dir.path()).empty()) << "no folder yet: an empty list";

    const fs::path old = ml::keepReplay(dir.path(), played(1, kEasy, kDay - 86400, 300));
    const fs::path newest = ml::keepReplay(dir.path(), played(2, kHard, kDay, 4500));
    ml::StageReplay practice = played(1, kNormal, kDay - 3600, 800);
    practice.startBoss = 0;
    const fs::path middle = ml::keepReplay(dir.path(), practice);
    // An old recording without a result: dated by the file itself.
    ml::StageReplay unknown = played(1, kNormal, 0, 0);
    unknown.result.reset();
    const fs::path undated = dir.path() / "replays" / "from_before.rpl";
    ml::writeStageReplay(enginePath(undated), unknown);
    fs::last_write_time(undated, fs::file_time_type::clock::now() - std::chrono::hours(24 * 800));
    // A damaged file, a file of another kind, a folder named like a replay.
    Bytes cut = readBytes(enginePath(newest));
    cut.resize(cut.size() - 5);
    writeBytes(enginePath(dir.path() / "replays" / "cut.rpl"), cut);
    fs::last_write_time(dir.path() / "replays" / "cut.rpl",
                        std::chrono::file_clock::from_sys(
                            std::chrono::sys_seconds(std::chrono::seconds(kDay + 60))));
    writeBytes(enginePath(dir.path() / "replays" / "notes.txt"), {'h', 'i'});
    fs::create_directory(dir.path() / "replays" / "folder.rpl");

    const std::vector<ml::ReplayEntry> list = ml::listReplays(dir.path());
    ASSERT_EQ(list.size(), 5u);
    // The damaged file is dated by its file time: a minute after the newest.
    EXPECT_TRUE(list[0].damaged);
    EXPECT_EQ(list[0].path.filename(), "cut.rpl");
    EXPECT_NE(list[0].reason.toUtf8().find("cut.rpl"), std::string::npos);
    EXPECT_EQ(list[1].path, newest);
    EXPECT_EQ(list[1].character, 2);
    EXPECT_EQ(list[1].level, kHard);
    ASSERT_TRUE(list[1].result);
    EXPECT_EQ(list[1].result->score, 4500);
    EXPECT_TRUE(list[1].result->cleared);
    EXPECT_FALSE(list[1].practice);
    EXPECT_EQ(list[1].date, kDay);
    EXPECT_EQ(list[2].path, middle);
    EXPECT_TRUE(list[2].practice);
    EXPECT_EQ(list[3].path, old);
    EXPECT_FALSE(list[3].result->cleared);
    EXPECT_EQ(list[4].path, undated);
    EXPECT_FALSE(list[4].result);
    EXPECT_FALSE(list[4].damaged);
    for (std::size_t i = 1; i < list.size(); ++i)
        EXPECT_FALSE(list[i].damaged) << i;
}

TEST(ReplayLibrary, AHugeFolderListsOnlyTheNewestFiles) {
    TempDir dir;
    fs::create_directories(dir.path() / "replays");
    const Bytes bytes = [] {
        const std::vector<std::uint8_t> b = ml::stageReplayBytes(played(1, kNormal, kDay, 1));
        return Bytes(b.begin(), b.end());
    }();
    const std::size_t count = ml::kMaxListedReplays + 20;
    const auto now = fs::file_time_type::clock::now();
    for (std::size_t i = 0; i < count; ++i) {
        const fs::path file = dir.path() / "replays" / ("play" + std::to_string(i) + ".rpl");
        writeBytes(enginePath(file), bytes);
        // play0 is the oldest file.
        fs::last_write_time(file, now - std::chrono::minutes(count - i));
    }
    const std::vector<ml::ReplayEntry> list = ml::listReplays(dir.path());
    ASSERT_EQ(list.size(), ml::kMaxListedReplays);
    std::set<std::string> names;
    for (const ml::ReplayEntry& entry : list)
        names.insert(entry.path.filename().string());
    for (std::size_t i = 0; i < 20; ++i)
        EXPECT_EQ(names.count("play" + std::to_string(i) + ".rpl"), 0u) << i;
    EXPECT_EQ(names.count("play" + std::to_string(count - 1) + ".rpl"), 1u);
}
