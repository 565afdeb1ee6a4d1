#pragma once
// GameSetting: what the player chose and what the game remembers between
// runs: screen mode, window size, difficulty, the five action buttons, the
// music and effect volumes, the high score and the records (StageRecords). The keys, their ranges
// and defaults are the rows of settings/SettingKeys.h.
//
// Read once at start-up from the "setting.env" the program is given (beside
// it in a build folder, in the player's data folder when installed) and
// written once when the game ends normally. The file holds one record per key,
// "[KEY] = value", in key order (see KeyValueFile). Keys added later (the
// volumes, the window size) may be missing: they take their defaults, and a
// reader that predates them passes them by. Keys the game does not know stay
// in the file.
//
// Every value is read strictly: a record of exactly "[KEY] = value", a whole
// number in its key's range (a usable button mask for the action keys). A
// value that fails keeps that key's default alone; every other key keeps what
// the file said. A damaged file or value never keeps the game from starting:
// the file is kept as "<name>.broken" (".broken2", ".broken3" ... when that
// name is taken, so an earlier backup is never overwritten), what could be
// read is written back at once, and an error box lists what was kept and
// which keys were not.
//
// The action masks live in the ButtonMap (their one owner while the game
// runs); the mask accessors here read and write it. Likewise the keys and pad
// buttons of each control live in the ActionBindings; a file without them
// (from before they could be chosen) gives the defaults that go with its
// masks, so it plays as it always did.
//
// Ownership: owns its store; borrows the ButtonMap and the ActionBindings,
// which must outlive it.
// Thread: main thread only.
// Failure: save throws IOException naming the file; the old file then stays
// as it was.

#include <array>
#include <memory>
#include <vector>

#include "engine/core/Language.h"
#include "engine/core/YString.h"
#include "engine/input/ActionBindings.h"
#include "engine/input/ButtonMap.h"
#include "engine/io/KeyValueFile.h"
#include "game/settings/SettingKeys.h"
#include "game/shooting/object/ObjectCodes.h"

namespace veru::excp {
class Exception;
}

namespace ml {

class GameSetting {
  public:
    using Key = settings::Key;

    // Difficulty codes: the first three level codes, which the stage and
    // its objects are given.
    static constexpr int kLevelEasy = shooting::object::LEVEL_1;
    static constexpr int kLevelNormal = shooting::object::LEVEL_2;
    static constexpr int kLevelHard = shooting::object::LEVEL_3;

    // Default action masks (buttons 1-5), from the table.
    static constexpr int kDefaultShoot = settings::info(Key::keyBullet).fallback;
    static constexpr int kDefaultSpecial = settings::info(Key::keyKintuba).fallback;
    static constexpr int kDefaultBomb = settings::info(Key::keyBomb).fallback;
    static constexpr int kDefaultSlow = settings::info(Key::keySlow).fallback;
    static constexpr int kDefaultPause = settings::info(Key::keyPause).fallback;

    // Volumes run from 0 (silent) to kMaxVolume (full, the default).
    static constexpr int kMaxVolume = settings::info(Key::musicVolume).high;
    // The window is 1x ... kMaxWindowScale times the picture's size.
    static constexpr int kMaxWindowScale = settings::info(Key::windowScale).high;

    // Whether an action may be bound to `mask`: some of buttons 1-10 and
    // nothing else.
    static bool usableMask(int mask);
    // Whether `value` is one `key` may hold.
    static bool accepts(Key key, int value);

    // The key text in the file ("SCREEN" ...).
    static veru::YString keyName(Key key) { return settings::info(key).name; }

    // Reads `fileName` at once. `buttons` and `bindings` null mean the
    // game's global ones.
    explicit GameSetting(const veru::YString& fileName,
                         veru::dxt::event::ButtonMap* buttons = nullptr,
                         veru::dxt::event::ActionBindings* bindings = nullptr);

    // Takes every value from the store (defaults for missing keys), then
    // applyMasks. A value that cannot be read takes its default and is
    // named in getUnreadKeys().
    void load();
    // Resets all five masks to their defaults when any is unusable (0, or a
    // bit that is no button), as after an unfinished rebinding.
    void applyMasks();
    // Puts every value into the store and writes it to the file (through a
    // symbolic link to its target). Masks left unusable are reset first.
    void save();

    // Any key, in its stored form.
    int value(Key key) const;
    // Stores `value` brought into a number key's range; a button key takes
    // any mask (applyMasks checks them once the player has bound all five).
    void setValue(Key key, int value);

    bool isFullScreen() const { return value(Key::screen) == 2; }
    void setFullScreen(bool full) { setValue(Key::screen, full ? 2 : 1); }
    int getLevel() const;
    void setLevel(int levelCode);
    int getMaskShoot() const { return value(Key::keyBullet); }
    void setMaskShoot(int mask) { setValue(Key::keyBullet, mask); }
    int getMaskSpecial() const { return value(Key::keyKintuba); }
    void setMaskSpecial(int mask) { setValue(Key::keyKintuba, mask); }
    int getMaskPause() const { return value(Key::keyPause); }
    void setMaskPause(int mask) { setValue(Key::keyPause, mask); }
    int getMaskBomb() const { return value(Key::keyBomb); }
    void setMaskBomb(int mask) { setValue(Key::keyBomb, mask); }
    int getMaskSlow() const { return value(Key::keySlow); }
    void setMaskSlow(int mask) { setValue(Key::keySlow, mask); }
    // "SCORE": the best score of any play, which older versions show. The
    // records per heroine and difficulty are StageRecords'.
    int getHiScore() const { return value(Key::score); }
    void setHiScore(int score) { setValue(Key::score, score); }
    // 0 ... kMaxVolume; setters clamp.
    int getMusicVolume() const { return value(Key::musicVolume); }
    void setMusicVolume(int level) { setValue(Key::musicVolume, level); }
    int getEffectVolume() const { return value(Key::effectVolume); }
    void setEffectVolume(int level) { setValue(Key::effectVolume, level); }
    // 1 ... kMaxWindowScale; the setter clamps.
    int getWindowScale() const { return value(Key::windowScale); }
    void setWindowScale(int scale) { setValue(Key::windowScale, scale); }

    // The language the player chose: 0 (never chosen: the desktop's), 1
    // Japanese, 2 English. languageFor gives the language the game speaks.
    static constexpr int kLanguageDesktop = 0;
    static constexpr int kLanguageJapanese = 1;
    static constexpr int kLanguageEnglish = 2;
    int getLanguage() const { return value(Key::language); }
    void setLanguage(int choice) { setValue(Key::language, choice); }
    veru::Language languageFor(veru::Language desktop) const;

    // The score handed from the stage to the scenes after it; not stored.
    int getLastScore() const { return lastScore; }
    void setLastScore(int score) { lastScore = score; }

    // The keys of the last load whose values could not be read.
    const std::vector<veru::YString>& getUnreadKeys() const { return unreadKeys; }
    const veru::io::KeyValueFile& getFile() const { return *file; }

  private:
    void setDefaults();
    // The key's default; for the keys and pad-button rows, the one that goes
    // with the action masks held now.
    int fallbackOf(Key key) const;
    // Takes the key's value from the store: its default when the key is
    // missing, and also when the value is bad, which is then noted.
    void readKey(Key key);
    void carryOldScore();
    // Keeps the damaged file aside, writes back what was read and tells the
    // player what was kept.
    void reportDamage(const veru::YString& fileName, const veru::YString& reason);
    void recoverFromBrokenFile(const veru::YString& fileName, const veru::excp::Exception& error);
    // Copies the file to a free ".broken" name; that name, or empty.
    veru::YString keepBrokenCopy(const veru::YString& fileName) const;

    // Stored values of the number keys (the button keys live in `buttons`).
    std::array<int, settings::kKeyCount> values{};
    int lastScore = 0;
    std::vector<veru::YString> unreadKeys;
    std::vector<veru::YString> badValues;  // one line per unread key, for the box
    std::unique_ptr<veru::io::KeyValueFile> file;
    veru::dxt::event::ButtonMap* buttons;
    veru::dxt::event::ActionBindings* bindings;
};

}  // namespace ml
