#pragma once
// StageStart: plays that begin part-way through a heroine's stage, for
// learning a boss or a hard stretch without flying the whole stage.
//
// The stage script is rewritten as a new script: the opening talk goes,
// and the shooting section keeps either only its boss line (a named boss,
// entering at once) or only the enemies from a position on, moved forward
// so that the first of them comes as soon as the stage's first enemy
// would. Everything after the shooting section (the boss talk, the fight,
// the closing talk) stays as written.
//
// Ownership: plain values; StartedScript owns the folder the rewritten
// script is written to and removes it when destroyed.
// Thread: any (the folder's files are the caller's to share).
// Failure: rewriting throws std::runtime_error naming the script's line
// (or the option) at fault: an unknown boss, a position past the last
// enemy, a script without a shooting section.

#include <optional>
#include <string>
#include <vector>

#include "engine/platform/FileSystem.h"
#include "game/StageHeroine.h"

namespace ml::playtest {

struct StageStart {
    std::string boss;         // a boss of the boss table: that boss alone
    std::optional<int> from;  // a stage position (the timeline's numbers)

    bool isWholeStage() const { return boss.empty() && !from; }
    // A boss alone is met with the full shot level, as after a continue (a
    // player reaching the boss has gathered the stage's power-ups); a stage
    // part-way starts as a new game does.
    std::optional<int> startPower() const;
};

// The script's lines (as read, unscrambled) rewritten for `start`.
std::vector<std::string> startScript(const std::vector<std::string>& lines,
                                     const StageStart& start);

// The heroine's stage script rewritten for `start` and written, scrambled
// as the game's scripts are, into a temporary folder; `heroine()` is the
// heroine flying it. The game's data must be the current folder.
class StartedScript {
  public:
    StartedScript(const StageHeroine& heroine, const StageStart& start);
    StartedScript(const StartedScript&) = delete;
    StartedScript& operator=(const StartedScript&) = delete;

    const StageHeroine& heroine() const { return started; }

  private:
    veru::platform::TemporaryFolder folder;
    std::u16string path;
    StageHeroine started;
};

}  // namespace ml::playtest
