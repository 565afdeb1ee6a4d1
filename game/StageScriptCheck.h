#pragma once
// The check of a stage script before it is packed or played: every line is
// one the reader can act on, every name is one the game can make, every file
// it names is one the game has, and the stage it describes cannot get stuck.
// What it finds is reported line by line; a script with no problem is also
// laid out as a plan (the enemies in order, the boss, the talk) for the
// content tests and the designers' tools.
//
// Problems found:
//   - a statement missing an argument, a number that is not a whole decimal
//     number, a height outside the field, enemies out of position order
//     (they enter in file order, so a later one would hold back the rest);
//   - an unknown bat kind, boss name or item kind;
//   - an "Item" that no "Enemy" of the same section takes up (it would never
//     appear, and the boss waits until every item is gone);
//   - a file the catalogue does not know (background, music, boss face,
//     captions, talk pictures);
//   - a missing set-up line, no "Shooting" section, no "Boss" in it, no
//     "Boss" header after it, a section that is never closed, a section
//     opened inside another, a second "Shooting" section, a second "Boss"
//     header or one inside a talk;
//   - anything beyond StageLimits: an enemy position the stage counter
//     never reaches, a "Wait" above a minute, too many lines or enemies;
//   - a talk line for a side that shows no portrait (the talk would wait for
//     it forever), a talk text the talk box cannot hold, a text cut short by
//     a delimiter.
//
// Warned of (the script passes): every line the game skips, but comments
// ("//…").
//
// Thread: plain functions, any thread. Nothing is loaded.

#include <functional>
#include <string>
#include <vector>

#include "engine/core/YString.h"
#include "game/StageScriptGrammar.h"

namespace ml {

// True when the game has `path` for that use (the packer asks the manifest).
using StageFileCatalogue = std::function<bool(const veru::YString& path, StageFileUse use)>;

struct StageScriptProblem {
    int line = 0;  // 1-based line of the script; 0 for the script as a whole
    std::string message;
};

struct StageEnemyPlan {
    int line = 0;
    veru::YString kind;
    int position = 0;
    int y = 0;
    StageItemKind item = StageItemKind::None;  // what it carries
};

struct StageTalkPlan {
    int line = 0;
    int side = 1;  // 1 the player's (left), 2 the other speaker's
    veru::YString text;
};

struct StagePlan {
    std::vector<StageStatement> statements;  // the whole script, typed, as the game reads it
    std::vector<StageEnemyPlan> enemies;     // in file order
    veru::YString boss;
    int bossDelay = 0;
    std::vector<StageTalkPlan> talk;      // in file order
    std::vector<veru::YString> pictures;  // every talk picture named, in order
};

struct StageScriptCheckResult {
    std::vector<StageScriptProblem> problems;  // in line order; any one refuses the script
    // Lines the game skips (an unknown statement, one in the wrong case or
    // typed with full-width spaces): reported, the script still passes.
    std::vector<StageScriptProblem> warnings;
    StagePlan plan;
    bool ok() const { return problems.empty(); }
};

// Talk boxes show up to this many lines ("+" breaks a line) of at most this
// many half-width columns (a full-width character takes two).
inline constexpr int kStageTalkLines = 3;
inline constexpr int kStageTalkColumns = 28;

// `lines`: the script's lines in order, empty ones included (they count).
StageScriptCheckResult checkStageScript(const std::vector<veru::YString>& lines,
                                        const StageFileCatalogue& files);

// Columns a talk text takes on its widest line, and its number of lines.
int talkTextColumns(const veru::YString& text);
int talkTextLines(const veru::YString& text);

}  // namespace ml
