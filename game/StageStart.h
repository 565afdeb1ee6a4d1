#pragma once
// StageStart: a play that begins part-way through a heroine's stage — at a
// stage position, or straight at a boss — with a chosen status, for
// learning a boss or a hard stretch without flying the whole stage. The
// practice menu makes one; mlplaytest's --boss and --from too.
//
// The stage script is read as written, then:
//   - in its shooting section, a boss start keeps only the named boss's line
//     (entering at once, no wait before it); a position start keeps the
//     enemies from that position on, moved forward so that the first of them
//     comes as soon as the stage's first enemy would, each with the item it
//     carries. Lines left out become blank lines, so a message about a line
//     still names the line of the file;
//   - the opening talk is not run, and a boss start runs no talk at all
//     (only the talk headers, and "Play", which brings in the boss's tune),
//     since the talk around the stage's own boss is not the named boss's.
// Everything after the shooting section (the fight, the ending) stays.
//
// The start status replaces a new game's: the shot level, lives and stock
// given, else a new game's; a boss alone is met at the full shot level by
// default, as after a continue (a player reaching the boss has gathered the
// stage's power-ups).
//
// Ownership: plain values. Thread: any.
// Failure: startScript throws veru::excp::Exception naming what is wrong:
// an unknown boss (the message lists the bosses there are), a position past
// the last enemy, a script without a shooting section or with one never
// closed.

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace veru::dxt {
class PlayStatus;
}

namespace ml {

class GameSetting;
struct StageReplay;
struct StageStep;

struct StageStart {
    std::string boss;         // a boss of the boss table: that boss alone
    std::optional<int> from;  // a stage position (the timeline's numbers)
    // The status the play starts with; unset: a new game's (see above).
    std::optional<int> power;  // a shot level code
    std::optional<int> lives;
    std::optional<int> stock;

    bool isWholeStage() const { return boss.empty() && !from; }
    // The shot level the play starts with when none is given; nullopt: a
    // new game's.
    std::optional<int> startPower() const;
    // Puts the start status into `status` (what is unset stays as it is).
    void applyStatus(veru::dxt::PlayStatus& status) const;
    bool operator==(const StageStart&) const = default;
};

// The script's lines (as read, unscrambled) rewritten for `start`: as many
// lines as given, the shooting section changed as described above.
std::vector<std::string> startScript(const std::vector<std::string>& lines,
                                     const StageStart& start);

// What a practice play of heroine `character` starts from (a recording of
// no frames yet, StageReplay.h): the player's buttons, difficulty `level`,
// a score of 0, and a new game's status changed as `start` says.
StageReplay practiceStartValues(const StageStart& start, int level, int character,
                                const GameSetting& settings, const veru::dxt::PlayStatus& status);

// The start point a recording keeps (StageReplay's start block): the
// stage position (0: none) and the boss's index in the boss table (-1:
// none); (0, -1) is the whole stage.
std::pair<int, int> startPointOf(const std::optional<StageStart>& start);
// The start of a recording's start point; nullopt for the whole stage.
// Throws veru::excp::Exception for a boss index the table does not have.
std::optional<StageStart> startOfPoint(int position, int boss);

// Leaves out the steps that `start` does not run: the opening talk (every
// step before the first "Shooting" header) and, for a boss start, every
// talk line.
void trimStartSteps(std::deque<StageStep>& steps, const StageStart& start);

}  // namespace ml
