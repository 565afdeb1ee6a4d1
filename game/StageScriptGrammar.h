#pragma once
// The grammar of a stage script, written once: the table of statements (the
// word that selects each, where it may stand, its arguments and their types
// and ranges) and the parse of a script's lines into typed statements. The
// game's reader builds the stage from the parse and the packer's check
// judges it; neither splits a line or compares a keyword itself.
//
// A script is read section by section: set-up lines and headers at the top,
// "Talking…" and "Shooting…" open a section up to its "}". A header inside a
// section does not open another one: it is a statement of the section it
// stands in (the check refuses it).
//
// Adding a statement: a StageWord, a row of kStageRules (StageScriptGrammar.cpp),
// and what it does: the reader's build (StageScriptReader.cpp) for one that
// makes something when the stage loads, the step (ShootingScene's
// runScriptStep, StageTalk::runStep) for one the scene runs.
//
// Thread: plain functions on values, any thread.

#include <array>
#include <span>
#include <string>
#include <vector>

#include "engine/core/YString.h"
#include "game/StageScriptWords.h"

namespace ml {

// Every statement of the grammar, one per row of the table.
enum class StageWord {
    Unknown,  // a line the game skips
    // Set-up, at the top: one file each.
    Back,
    Bgm,
    BossBgm,
    BossFace,
    InfoStart1,
    InfoStart2,
    InfoEnd,
    // Headers, run by the scene: the talk phase, the shooting phase, the battle.
    Talking,
    Shooting,
    BossHeader,
    End,  // "}": closes a section (in a talk: both speakers leave)
    // Talk.
    Init,
    Image1,
    Image2,
    ImageOther,  // any other word holding "Image": its picture loads, nothing shows
    Talk1,
    Talk2,
    Play,
    // Shooting.
    Enemy,
    Boss,
    Item,
    Wait,
};

enum class StagePlace { Top, Talk, Shooting };

// How the stage uses a file it names.
enum class StageFileUse { Background, Picture, Sound };

enum class StageArgType {
    File,           // a set-up file, for `use`
    Picture,        // a talk picture
    PictureOrNull,  // a talk picture, or "null" for none
    Text,           // a talk text (one word: a delimiter would cut it)
    Number,         // a whole decimal number within its ranges
    Bat,            // "Bat1".."Bat24"
    BossName,       // a row of the boss table
    ItemKind,       // "Chance", "LevelUp", "Kintuba"
};

// One argument's type and the words its messages use (the check's in
// English, the game's in Japanese).
struct StageArg {
    StageArgType type{};
    const char* what = "";  // the check: a file's use, a number's name, a name's kind
    StageFileUse use = StageFileUse::Picture;
    // Number: what the game takes, and what the check lets pass (never wider).
    int min = 0, max = 0;
    int checkMin = 0, checkMax = 0;
    // Number: the check's message outside checkMin..checkMax ("{value}",
    // "{min}", "{max}" are filled in). Names: what follows the name.
    const char* outside = "";
    const char16_t* whatJa = u"";     // Number: its name; names: the sentence before the name
    const char16_t* choicesJa = u"";  // names: what follows the name
};

inline constexpr int kMaxStageArgs = 3;

enum class StageMatch { Exact, BeginsWith, Contains };
// Which set-up lines a stage must have: the game refuses a stage without a
// `Game` one; the check also wants the `Check` ones (a stage without music
// plays silently).
enum class StageNeed { No, Check, Game };

struct StageRule {
    StageWord word;
    const char16_t* spelling;
    StageMatch match;
    std::array<bool, 3> places;  // by StagePlace
    int side;                    // 1 or 2 for a statement of one speaker, else 0
    StageNeed need;
    const char* needs;  // the check's words for missing arguments
    int arity;
    std::array<StageArg, kMaxStageArgs> args;

    bool standsIn(StagePlace place) const { return places[static_cast<int>(place)]; }
};

// The whole table, in the order a line is matched against it.
std::span<const StageRule> stageRules();
const StageRule& stageRule(StageWord word);

// The rule a first word selects where it stands; null for none (a skipped line).
const StageRule* matchStageRule(StagePlace place, const veru::YString& first);

// Why the parse rejects a statement.
enum class StageFaultKind { MissingArgument, NotANumber, OutOfRange, UnknownName, TooManyEnemies };

struct StageFault {
    StageFaultKind kind;
    int arg = 0;          // the argument (0-based) it is about
    bool refused = true;  // the game refuses it too (a number the check wants tighter: false)
};

// One line of the script with a word, typed.
struct StageStatement {
    int line = 0;  // 1-based, blank lines counted
    StagePlace place = StagePlace::Top;
    int section = 0;                  // its section's header line; 0 at the top
    const StageRule* rule = nullptr;  // null: a line the game skips
    std::vector<veru::YString> words;
    std::array<int, kMaxStageArgs> numbers{};  // Number arguments, as read
    bool whole = false;                        // every argument is there, and every number reads
    std::vector<StageFault> faults;

    StageWord word() const { return rule ? rule->word : StageWord::Unknown; }
    const veru::YString& argument(int index) const {
        return words[static_cast<std::size_t>(index) + 1];
    }
    bool hasArgument(int index) const { return words.size() > static_cast<std::size_t>(index) + 1; }
    int number(int index) const { return numbers[static_cast<std::size_t>(index)]; }
    // The argument is there and, for a number, reads.
    bool readable(int index) const;
    // The argument is there and nothing is wrong with it.
    bool sound(int index) const;
    // The first fault the game refuses the line for; null when it takes it.
    const StageFault* refusal() const;
    // The scene runs it: every line of a talk section, and the headers.
    bool runsInScene() const;
};

struct StageScriptParse {
    std::vector<StageStatement> statements;  // every line with a word, in order
    int unclosedSection = 0;  // the header line of a section the script ends in; 0 for none
};

// `lines`: the script's lines in order, empty ones included (they count).
StageScriptParse parseStageScript(const std::vector<veru::YString>& lines);

// The messages for a fault: the check's (English) and the game's (Japanese).
std::string describeStageFault(const StageStatement& statement, const StageFault& fault);
veru::YString describeStageFaultJa(const StageStatement& statement, const StageFault& fault);

}  // namespace ml
