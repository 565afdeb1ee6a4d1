#pragma once
// StageScriptReader: reads a stage script ("script/stage_trial.dat") into a
// StageContent — every object the stage will use is made and loaded up
// front, the enemy timeline is built, and the talk and header lines are
// queued for the scene to run.
//
// Grammar: one record per line; words split at any run of ": ,()\t"; empty
// lines (and lines of delimiters only) are skipped; keywords are exact
// except "begins with Talking/Shooting" and "contains Image". Set-up lines
// "Back", "BGM", "BOSS_BGM", "BOSS_Face", "Info_Start1", "Info_Start2",
// "Info_End" (one path each); "Talking…" and "Shooting…" open a section up
// to its "}"; "Boss" is a header. In a talk section every line is queued
// ("}" too), "Init" (two pictures or null) and "…Image…" (one picture)
// load the pictures they name. In a shooting section (nothing queued):
// "Enemy kind position y", "Boss name", "Item kind" (carried by the next
// "Enemy"), "Wait frames" (the last counts). Unknown first words are
// ignored everywhere.
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

#include "engine/core/YString.h"
#include "game/StageScript.h"

namespace veru::io {
class ByteFileReader;
}
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
    // The game's own: "Bat1".."Bat24" and the eight bosses, all for 800 x 480.
    static BatMaker gameBats();
    static BossMaker gameBosses();

    // Every object is made for the 800 x 480 field and given `difficulty`
    // (0x200000 easy, 0x200001 normal, 0x200002 hard) with setLevel. With
    // no sound manager nothing loads sounds and the tunes stay null.
    StageScriptReader(veru::platform::VideoDevice* device, veru::sound::SoundManger* sounds,
                      int difficulty, shooting::cmp::ScrollBackground& background,
                      BatMaker bats = gameBats(), BossMaker bosses = gameBosses());

    // Reads the whole file at `path` into `content` (an empty one). Throws as
    // StageScript.h says; `content` then holds what was made so far.
    void readStageScript(const veru::YString& path, StageContent& content);

    // Continue reading from `reader` to the section's "}" (or the end).
    void readTalkSection(veru::io::ByteFileReader& reader, StageContent& content);
    void readShootingSection(veru::io::ByteFileReader& reader, StageContent& content);

    // Make, load and append one object; unknown names throw. An item no
    // enemy took up is taken out of its list again with dropItem.
    shooting::object::EnemyObject& createEnemy(const veru::YString& kind, StageContent& content);
    shooting::object::Boss& createBoss(const veru::YString& name, StageContent& content);
    shooting::object::ItemObject& createItem(const veru::YString& kind, StageContent& content);
    static void dropItem(const shooting::object::ItemObject* item, StageContent& content);

    static constexpr int kFieldWidth = 800;
    static constexpr int kFieldHeight = 480;

  private:
    // The next line's words, with the line itself in `line`, skipping empty
    // lines and lines of delimiters only; empty at the end of the file.
    std::vector<veru::YString> nextWords(veru::io::ByteFileReader& reader, veru::YString& line);
    // Exception "<file>：<what>" / "<file>（<n>行目）：<what>" for the current line.
    [[noreturn]] void fail(const veru::YString& what) const;
    [[noreturn]] void failHere(const veru::YString& what) const;
    veru::sound::ISound* tune(const veru::YString& name) const;
    const veru::YString& argument(const std::vector<veru::YString>& words, std::size_t index) const;
    int number(const std::vector<veru::YString>& words, std::size_t index) const;
    // Fails on the current line when `value` is outside low..high.
    void within(int value, int low, int high, const char16_t* what) const;
    void loadPicture(const veru::YString& name, StageContent& content);

    veru::platform::VideoDevice* device;
    veru::sound::SoundManger* sounds;
    int difficulty;
    shooting::cmp::ScrollBackground& background;
    BatMaker bats;
    BossMaker bosses;
    veru::YString path;
    int lineNumber = 0;
};

}  // namespace ml
