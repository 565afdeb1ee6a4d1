#pragma once
// ReplayLibrary: the plays a player chose to keep, one recording a file in
// the "replays" folder of the player's folder (GameFolders.h). The game adds
// files there and reads them; it never overwrites or deletes one.
//
// A kept play is named after when it ended (the player's local time), who
// flew and the difficulty: "2026-12-09_2141_shiro_normal.rpl"; a name
// already taken gets "-2", "-3", ... before the suffix. The file is created
// only if it does not exist (in one step, so two keeps at once cannot both
// take a name).
//
// Thread: any; nothing is shared.
// Failure: keepReplay throws veru::excp::IOException naming the folder or
// the file it could not make or write (a file begun is removed again).
// listReplays never throws: a file that cannot be read is listed as
// damaged with the reason; a folder that cannot be read lists nothing.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "engine/core/YString.h"
#include "game/StageReplay.h"

namespace ml {

// One file of the library as the list shows it.
struct ReplayEntry {
    std::filesystem::path path;
    // When the play ended (seconds since 1970 UTC): the recorded time, or
    // the file's own time when the file records none.
    std::int64_t date = 0;
    int character = 0;  // the heroine's number (StageHeroine::number)
    int level = 0;      // the difficulty's level code (Difficulty.h)
    // Score and whether the stage was cleared; nullopt when not recorded.
    std::optional<StageReplay::Result> result;
    bool practice = false;  // started part-way or at a boss
    // A file that cannot be read: listed with the reason, never played.
    bool damaged = false;
    veru::YString reason;
};

// At most this many files are listed: the newest by the files' own times.
inline constexpr std::size_t kMaxListedReplays = 500;

// The library's folder under the player's folder.
std::filesystem::path replayFolder(const std::filesystem::path& userDir);

// The file name (without folder and "-N") of a play: date and time it
// ended in the player's local time, heroine, difficulty.
std::string keptReplayName(const StageReplay& replay, std::int64_t endedAt);

// Writes `replay` into the library under a name of its own and returns the
// file's path. The play's end time names it (now, when the recording has
// no result). Creates the folder when missing.
std::filesystem::path keepReplay(const std::filesystem::path& userDir, const StageReplay& replay);

// The library, newest first (by date, then by name, last first). Only
// regular files ending in ".rpl" count; of a larger folder only the
// kMaxListedReplays newest files (by the files' own times) are read.
std::vector<ReplayEntry> listReplays(const std::filesystem::path& userDir);

}  // namespace ml
