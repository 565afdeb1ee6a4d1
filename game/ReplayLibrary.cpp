#include "game/ReplayLibrary.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <queue>
#include <system_error>
#include <tuple>
#include <utility>

#include "engine/exceptions/Exception.h"
#include "engine/exceptions/IOException.h"
#include "engine/platform/Clock.h"
#include "engine/platform/FileHandle.h"
#include "engine/platform/FileSystem.h"
#include "game/Difficulty.h"
#include "game/StageHeroine.h"

namespace ml {

namespace fs = std::filesystem;

namespace {

// Names tried for one play before the keep gives up ("-2" ... "-999").
constexpr int kMaxNameTries = 999;

veru::YString shown(const fs::path& path) {
    return veru::YString::fromUtf8(path.string());
}

// The file's own modification time in seconds since 1970; 0 when unknown.
std::int64_t fileSeconds(const fs::path& path) {
    std::error_code error;
    const fs::file_time_type time = fs::last_write_time(path, error);
    if (error)
        return 0;
    const auto system = std::chrono::file_clock::to_sys(time);
    return std::chrono::duration_cast<std::chrono::seconds>(system.time_since_epoch()).count();
}

struct Found {
    std::int64_t time;
    fs::path path;
};

// Oldest on top, so the heap keeps the newest files.
struct NewerFirst {
    bool operator()(const Found& a, const Found& b) const {
        return std::tie(a.time, a.path) > std::tie(b.time, b.path);
    }
};

ReplayEntry entryOf(const Found& file) {
    ReplayEntry entry;
    entry.path = file.path;
    entry.date = file.time;
    try {
        const StageReplay replay = readStageReplay(shown(file.path));
        entry.character = replay.character;
        entry.level = replay.level;
        entry.result = replay.result;
        entry.practice = replay.startPosition != 0 || replay.startBoss >= 0;
        if (replay.result)
            entry.date = replay.result->endedAt;
    } catch (const veru::excp::Exception& e) {
        entry.damaged = true;
        entry.reason = e.getMessage();
    }
    return entry;
}

}  // namespace

fs::path replayFolder(const fs::path& userDir) {
    return userDir / "replays";
}

std::string keptReplayName(const StageReplay& replay, std::int64_t endedAt) {
    const veru::platform::CalendarTime when = veru::platform::localCalendarTime(endedAt);
    const StageHeroine* heroine = findHeroine(replay.character);
    const Difficulty* difficulty = findDifficulty(replay.level);
    char date[64];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d_%02d%02d", when.year, when.month, when.day,
                  when.hour, when.minute);
    return std::string(date) + "_" + (heroine ? heroine->key : "unknown") + "_" +
           (difficulty ? difficulty->key : "unknown");
}

fs::path keepReplay(const fs::path& userDir, const StageReplay& replay) {
    const fs::path folder = replayFolder(userDir);
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder, error))
        throw veru::excp::IOException(veru::YString(u"リプレイのフォルダを作れません。：") +
                                      shown(folder));
    const std::int64_t endedAt =
        replay.result ? replay.result->endedAt : veru::platform::wallClockSeconds();
    const std::string name = keptReplayName(replay, endedAt);
    const std::vector<std::uint8_t> bytes = stageReplayBytes(replay);
    for (int n = 1; n <= kMaxNameTries; ++n) {
        const fs::path path =
            folder / (name + (n > 1 ? "-" + std::to_string(n) : std::string()) + ".rpl");
        const veru::YString file = shown(path);
        // "x": created here and now, or not opened at all when the name is taken.
        veru::platform::FileHandle out = veru::platform::FileHandle::open(file, "wbx");
        if (!out.isOpen()) {
            if (veru::platform::statPath(file).exists || fs::is_symlink(path, error))
                continue;
            throw veru::excp::IOException(veru::YString(u"リプレイを保存できません。：") + file);
        }
        if (!out.write(bytes.data(), bytes.size()) || !out.finish()) {
            veru::platform::removeFile(file);
            throw veru::excp::IOException(veru::YString(u"リプレイを保存できません。：") + file);
        }
        return path;
    }
    throw veru::excp::IOException(veru::YString(u"リプレイの名前が尽きました。：") +
                                  shown(folder / (name + ".rpl")));
}

std::vector<ReplayEntry> listReplays(const fs::path& userDir) {
    std::priority_queue<Found, std::vector<Found>, NewerFirst> newest;
    std::error_code error;
    fs::directory_iterator it(replayFolder(userDir), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        const fs::path& path = it->path();
        std::error_code statError;
        if (path.extension() != ".rpl" || !it->is_regular_file(statError))
            continue;
        newest.push(Found{fileSeconds(path), path});
        if (newest.size() > kMaxListedReplays)
            newest.pop();
    }
    std::vector<ReplayEntry> entries;
    entries.reserve(newest.size());
    for (; !newest.empty(); newest.pop())
        entries.push_back(entryOf(newest.top()));
    std::sort(entries.begin(), entries.end(), [](const ReplayEntry& a, const ReplayEntry& b) {
        return std::tie(a.date, a.path) > std::tie(b.date, b.path);
    });
    return entries;
}

}  // namespace ml
