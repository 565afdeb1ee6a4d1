#pragma once
// The words of a stage script: how a line splits into words, the names of
// the bats, bosses and items a script may make, and how a number argument
// is read. The grammar (StageScriptGrammar.h) reads every statement with
// these, for the game and the packer alike, so a name the packer accepts is a
// name the game can make.
//
// Thread: plain functions on values, any thread.

#include <optional>
#include <string_view>
#include <vector>

#include "engine/core/YString.h"
#include "game/StageBounds.h"

namespace ml {

// Colon, space, comma, parentheses and tab: any mix, any run, separates words.
inline constexpr char16_t kStageDelimiters[] = u": ,()\t";

// The words of a line; empty for an empty line or one made of delimiters only.
std::vector<veru::YString> splitStageLine(const veru::YString& line);

// The first word "begins with" / "contains" a keyword (the three tests of the
// grammar that are not exact: "Talking", "Shooting", "Image").
bool wordBeginsWith(const veru::YString& word, const char16_t* keyword);
bool wordContains(const veru::YString& word, const char16_t* keyword);

// The number of the bat table's row called exactly `kind`, else 0.
int batNumber(const veru::YString& kind);
bool isBatKind(const veru::YString& kind);
// The name of a row of the boss table, exactly.
bool isBossName(const veru::YString& name);

enum class StageItemKind { None, Chance, LevelUp, Kintuba };
// "Chance", "LevelUp", "Kintuba"; None for anything else.
StageItemKind stageItemKind(const veru::YString& kind);

// What a stage script may hold. The game's reader and the packer's check
// refuse anything beyond these, naming the file and line, so no script can
// make a stage that never ends, waits for days or fills memory.
struct StageLimits {
    // Enemy positions: up to the last the stage position reaches.
    static constexpr int kMinPosition = 0;
    static constexpr int kMaxPosition = stage::kLastPosition;
    // Enemy heights the game takes: a little above and below the field. An
    // enemy put further out leaves the field at once.
    static constexpr int kMinHeight = -32;
    static constexpr int kMaxHeight = 512;
    // "Wait" before the boss, in frames: at most a minute.
    static constexpr int kMaxWait = 3600;
    // The size of a script: its lines (blank ones included), its enemies and
    // its packed file.
    static constexpr int kMaxLines = 20000;
    static constexpr int kMaxEnemies = 5000;
    static constexpr long long kMaxFileBytes = 1024 * 1024;
};

// A line whose first word begins with "//" is a comment: nothing reads it.
bool isStageComment(const veru::YString& firstWord);

// A whole decimal int: an optional sign and at least one digit, nothing
// else, within the int range. Empty when the word is not such a number
// ("12abc", "abc" and "" are not numbers in a stage script).
std::optional<int> readStageNumber(const veru::YString& word);

}  // namespace ml
