#pragma once
// Reading a stage script ("script/stage_trial.dat"): the file that builds a
// shooting stage. The shooting scene's readStageScript delegates here and
// takes the members it needs out of the StageContent.
//
// One scrambled string record per line, each split into words at any run of
// ": ,()\t" (so "Enemy(Bat3, 1200, 240)" and "Enemy Bat3 1200 240" are the
// same statement). Reading builds, up front, every object the stage uses —
// the background's picture, the two tunes, the boss face, the three
// captions, every enemy with its carried item, the boss and every talk
// picture — the enemy timeline, and the queue of steps the stage runs later,
// one a frame: the phase headers and the talk lines, typed
// (StageScriptGrammar.h has the grammar).
//
// What a broken script does (the packer refuses all of these before a
// script reaches a player; this is for a script edited by hand):
//   - an unknown bat kind, boss name or item kind, a statement missing an
//     argument, a number that is not a whole decimal number ("12abc",
//     "abc", one beyond the int range), a number outside StageLimits (an
//     enemy position the stage counter never reaches, a height far off the
//     field, a "Wait" above a minute), more lines or enemies than
//     StageLimits allows: reading stops with a message naming the file and
//     the line (a file above StageLimits' size: the file);
//   - no "Shooting" section, no "Boss" in one, or a missing "Back",
//     "BOSS_Face", "Info_Start1", "Info_Start2" or "Info_End" line: reading
//     stops with a message naming the file (the stage relies on all of them;
//     a stage without a boss could never be won);
//   - an "Item" no "Enemy" takes up (another "Item", or the end of its
//     section, comes first): the item is dropped, so the stage never waits
//     for an item that can never appear;
//   - a line of delimiters only, and unknown first words: skipped.
// Every timeline entry has its waiting enemy: an entry is added only once
// its enemy is made.
//
// Ownership: everything made goes into the StageContent, which the scene
// owns; sounds stay the sound manager's.
// Thread: main thread only.
// Failure: FileNotFoundException for a missing script, picture or tune (the
// loader's message); the loaders' IOException for a broken picture; and
// veru::excp::Exception "<file>（<n>行目）：<what>" for a line that cannot be
// used (n counts the records of the packed file: the packer keeps blank
// lines, so n is the line of the source), "<file>：<what>" for what the
// whole file lacks; the byte reader's exceptions (with the path) for a
// damaged file.

#include <array>
#include <deque>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "engine/core/YString.h"
#include "game/StageScriptGrammar.h"

namespace veru::platform {
class VideoDevice;
}
namespace veru::dxt::material {
class Texture;
}
namespace veru::sound {
class ISound;
class SoundManger;
}  // namespace veru::sound
namespace ml::shooting::object {
class Boss;
class EnemyObject;
class ItemObject;
}  // namespace ml::shooting::object
namespace ml::shooting::cmp {
class AlphaParts;
class BossFace;
class ScrollBackground;
}  // namespace ml::shooting::cmp

namespace ml {

struct StageStart;

// One line of the script the scene runs, read and resolved: a header, a talk
// statement, or (Unknown, ImageOther) a talk line that does nothing but
// still takes its frame, as every queued line does.
struct StageStep {
    StageWord word = StageWord::Unknown;
    int line = 0;  // in the script, for messages and tests
    int side = 0;  // Image1/2, Talk1/2: the speaker's side
    // Init: the pictures of sides 1 and 2 (null: the side shows none);
    // Image1/2: [0]. Borrowed from the content's picture table.
    std::array<veru::dxt::material::Texture*, 2> pictures{};
    veru::YString text;  // Talk1/2: what is said ("+" breaks the line)
};

// What reading one stage script builds. Entry i of `timeline` belongs to
// entry i of `waitingEnemies`; every item is in one list and carried by one
// waiting enemy, which only borrows it (free the enemies first).
struct StageContent {
    StageContent();
    ~StageContent();
    StageContent(StageContent&&) noexcept;
    StageContent& operator=(StageContent&&) noexcept;

    std::deque<StageStep> steps;  // run from the front, one a frame
    std::map<veru::YString, std::unique_ptr<veru::dxt::material::Texture>> pictureTable;
    // Taken from the front as the enemies enter.
    std::deque<std::pair<int, int>> timeline;  // (position, y); entry i is waitingEnemies[i]'s
    std::deque<std::unique_ptr<shooting::object::EnemyObject>> waitingEnemies;
    std::vector<std::unique_ptr<shooting::object::ItemObject>> chanceItems;
    std::vector<std::unique_ptr<shooting::object::ItemObject>> kintubaItems;
    std::vector<std::unique_ptr<shooting::object::ItemObject>> levelUpItems;
    std::unique_ptr<shooting::object::Boss> boss;
    int bossDelay = 0;  // the last "Wait"; 0 without one
    veru::sound::ISound* stageMusic = nullptr;
    veru::sound::ISound* bossMusic = nullptr;
    std::unique_ptr<shooting::cmp::BossFace> bossFace;
    std::unique_ptr<shooting::cmp::AlphaParts> infoStart1;
    std::unique_ptr<shooting::cmp::AlphaParts> infoStart2;
    std::unique_ptr<shooting::cmp::AlphaParts> infoEnd;
};

// Reads the script at `path` into `into`. `sounds` may be null (no sounds
// are loaded then); `level` is the difficulty every enemy, boss and item is
// given; `background` takes the "Back" picture; `start` (may be null: the
// whole stage) a play that starts part-way (StageStart.h). On an exception
// `into` holds what was made so far.
void readStageScript(const veru::YString& path, veru::platform::VideoDevice* device,
                     veru::sound::SoundManger* sounds, int level,
                     shooting::cmp::ScrollBackground& background, StageContent& into,
                     const StageStart* start = nullptr);

}  // namespace ml
