#pragma once
// StageScriptReader: reads a stage script ("script/stage_trial.dat") into a
// StageContent — every object the stage will use is made and loaded up
// front, the enemy timeline is built, and the talk lines and headers are
// queued as typed steps for the scene to run.
//
// The file's records are its lines (blank ones kept, so line numbers are the
// source's); parseStageScript (StageScriptGrammar.h) types them, and the
// reader builds from the statements in line order: the set-up files, the
// talk pictures ("Init", "…Image…"), and in the shooting section the
// enemies, the items they carry (the next "Enemy" takes up an "Item"), the
// boss and the last "Wait". A line the game refuses stops the reading there.
//
// What a broken script does, and what the loaders throw: StageScript.h.
//
// Ownership: everything made goes into the StageContent given (the "Back"
// picture into the background given); the device, the sound manager and
// the background are borrowed and must outlive the reader.
// Thread: main thread only.

#include <functional>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/core/YString.h"
#include "game/StageScript.h"
#include "game/StageScriptGrammar.h"

namespace ml::shooting::cmp {
class ScrollBackground;
}
namespace veru::platform {
class VideoDevice;
}
namespace veru::sound {
class SoundManger;
}

namespace ml {

class StageScriptReader {
  public:
    // Makers of the named bats and bosses; null for a name they do not know.
    using BatMaker =
        std::function<std::unique_ptr<shooting::object::EnemyObject>(std::string_view)>;
    using BossMaker = std::function<std::unique_ptr<shooting::object::Boss>(std::string_view)>;
    // The game's own: the bat and boss tables' rows, all for the field of StageBounds.h.
    static BatMaker gameBats();
    static BossMaker gameBosses();

    // Every object is made for the field of StageBounds.h and given `difficulty`
    // (0x200000 easy, 0x200001 normal, 0x200002 hard) with setLevel. With
    // no sound manager nothing loads sounds and the tunes stay null.
    StageScriptReader(veru::platform::VideoDevice* device, veru::sound::SoundManger* sounds,
                      int difficulty, shooting::cmp::ScrollBackground& background,
                      BatMaker bats = gameBats(), BossMaker bosses = gameBosses());

    // Reads the whole file at `path` into `content` (an empty one). Throws as
    // StageScript.h says; `content` then holds what was made so far.
    void readStageScript(const veru::YString& path, StageContent& content);

    // Rewrites the file's lines after they are read and before anything is
    // built from them (a play starting part-way, StageStart.h); it keeps
    // their number, so messages name the file's lines. An Exception it
    // throws is reported as the file's.
    using LineEdit = std::function<std::vector<veru::YString>(std::vector<veru::YString>)>;
    void setLineEdit(LineEdit edit) { lineEdit = std::move(edit); }

  private:
    // The file's lines, blank ones included; refuses a file beyond StageLimits.
    std::vector<veru::YString> readLines(const veru::YString& path);
    // Exception "<file>：<what>" / "<file>（<n>行目）：<what>" for the current line.
    [[noreturn]] void fail(const veru::YString& what) const;
    [[noreturn]] void failHere(const veru::YString& what) const;
    // Makes what one statement builds; a step for the scene is queued after.
    void build(const StageStatement& s, StageContent& content);
    StageStep step(const StageStatement& s, const StageContent& content) const;
    veru::sound::ISound* tune(const veru::YString& name) const;
    void loadPicture(const veru::YString& name, StageContent& content);

    // Make, load and append one object; unknown names throw. An item no
    // enemy took up is taken out of its list again with dropItem.
    shooting::object::EnemyObject& createEnemy(const veru::YString& kind, StageContent& content);
    shooting::object::Boss& createBoss(const veru::YString& name, StageContent& content);
    shooting::object::ItemObject& createItem(const veru::YString& kind, StageContent& content);
    static void dropItem(const shooting::object::ItemObject* item, StageContent& content);

    veru::platform::VideoDevice* device;
    veru::sound::SoundManger* sounds;
    int difficulty;
    shooting::cmp::ScrollBackground& background;
    BatMaker bats;
    BossMaker bosses;
    LineEdit lineEdit;
    veru::YString path;
    int lineNumber = 0;
    // The shooting section's item waiting for its enemy; null for none.
    shooting::object::ItemObject* pendingItem = nullptr;
};

}  // namespace ml
