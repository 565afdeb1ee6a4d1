#pragma once
// GameSetting: what the player chose and what the game remembers between
// runs: screen mode, window size, difficulty, the five action buttons, the
// music and effect volumes and the high score.
//
// Read once at start-up from the "setting.env" the program is given (beside
// it in a build folder, in the player's data folder when installed) and
// written once when the game ends normally. The file holds one record per key,
// "[KEY] = value", in key order (see KeyValueFile). The volume and window
// size keys came later: a file without them reads as full volume and the
// smallest window, and a reader that predates them passes them by.
//
// A damaged settings file (cut short, a stray byte, garbage, a number out of
// range) never keeps the game from starting and never costs more than the
// damage: every value that can still be read is used, the rest take their
// defaults, the file is kept as "<name>.broken" (".broken2", ".broken3" ...
// when that name is taken, so an earlier backup is never overwritten) and an
// error box lists what was kept and what was not.
//
// Ownership: owns its store; borrows the ButtonMap the masks are applied to.
// Thread: main thread only.
// Failure: save throws IOException (or FileNotFoundException when the file
// cannot be created); the old file then stays as it was.

#include <memory>
#include <vector>

#include "engine/core/YString.h"
#include "engine/input/ButtonMap.h"
#include "engine/io/KeyValueFile.h"
#include "game/shooting/object/ObjectCodes.h"

namespace veru::excp {
class Exception;
}

namespace ml {

class GameSetting {
  public:
    // The keys' internal codes.
    static constexpr int kScreen = 0x123456;
    static constexpr int kLevel = 0x123457;
    static constexpr int kKeyBullet = 0x123458;
    static constexpr int kKeyKintuba = 0x123459;
    static constexpr int kKeyBomb = 0x12345A;
    static constexpr int kKeySlow = 0x12345B;
    static constexpr int kKeyPause = 0x12345C;
    static constexpr int kScore = 0x12345D;
    static constexpr int kMusicVolume = 0x12345E;
    static constexpr int kEffectVolume = 0x12345F;
    static constexpr int kWindowScale = 0x123460;

    // Difficulty codes: the first three level codes, which the stage and
    // its objects are given.
    static constexpr int kLevelEasy = shooting::object::LEVEL_1;
    static constexpr int kLevelNormal = shooting::object::LEVEL_2;
    static constexpr int kLevelHard = shooting::object::LEVEL_3;

    // Default action masks (buttons 1-5).
    static constexpr int kDefaultShoot = 0x10;
    static constexpr int kDefaultSpecial = 0x20;
    static constexpr int kDefaultBomb = 0x40;
    static constexpr int kDefaultSlow = 0x80;
    static constexpr int kDefaultPause = 0x100;

    // Volumes run from 0 (silent) to kMaxVolume (full, the default).
    static constexpr int kMaxVolume = 10;
    // The window is 1x ... kMaxWindowScale times the picture's size.
    static constexpr int kMaxWindowScale = 8;

    // Whether an action may be bound to `mask`: some of buttons 1-10 and
    // nothing else.
    static bool usableMask(int mask);

    // The key text for a code ("SCREEN" ...); empty for any other code.
    static veru::YString keyName(int code);

    // Reads `fileName` at once. `buttons` null means the game's global map.
    explicit GameSetting(const veru::YString& fileName,
                         veru::dxt::event::ButtonMap* buttons = nullptr);

    // Takes every value from the store (defaults for missing keys), then
    // applyMasks. A value that cannot be read takes its default and is
    // named in getUnreadKeys().
    void load();
    // Resets all five masks to their defaults when any is unusable (0, or a
    // bit that is no button), then hands them to the ButtonMap.
    void applyMasks();
    // Puts every value into the store and writes it to the file.
    void save();

    bool isFullScreen() const { return fullScreen; }
    void setFullScreen(bool value) { fullScreen = value; }
    int getLevel() const { return level; }
    void setLevel(int value) { level = value; }
    int getMaskShoot() const { return maskShoot; }
    void setMaskShoot(int value) { maskShoot = value; }
    int getMaskSpecial() const { return maskSpecial; }
    void setMaskSpecial(int value) { maskSpecial = value; }
    int getMaskPause() const { return maskPause; }
    void setMaskPause(int value) { maskPause = value; }
    int getMaskBomb() const { return maskBomb; }
    void setMaskBomb(int value) { maskBomb = value; }
    int getMaskSlow() const { return maskSlow; }
    void setMaskSlow(int value) { maskSlow = value; }
    int getLastScore() const { return lastScore; }
    void setLastScore(int value) { lastScore = value; }
    int getHiScore() const { return hiScore; }
    void setHiScore(int value) { hiScore = value; }
    // 0 ... kMaxVolume; setters clamp.
    int getMusicVolume() const { return musicVolume; }
    void setMusicVolume(int value);
    int getEffectVolume() const { return effectVolume; }
    void setEffectVolume(int value);
    // 1 ... kMaxWindowScale; the setter clamps.
    int getWindowScale() const { return windowScale; }
    void setWindowScale(int value);
    // The keys of the last load whose values could not be read.
    const std::vector<veru::YString>& getUnreadKeys() const { return unreadKeys; }
    const veru::io::KeyValueFile& getFile() const { return *file; }

  private:
    void setDefaults();
    int readValue(int code, int fallback);
    // Moves the damaged file aside and tells the player what was kept.
    void reportDamage(const veru::YString& fileName, const veru::YString& reason);
    void recoverFromBrokenFile(const veru::YString& fileName, const veru::excp::Exception& error);

    bool fullScreen = false;
    int level = kLevelNormal;
    int maskShoot = kDefaultShoot;
    int maskSpecial = kDefaultSpecial;
    int maskPause = kDefaultPause;
    int maskBomb = kDefaultBomb;
    int maskSlow = kDefaultSlow;
    int lastScore = 0;
    int hiScore = 0;
    int musicVolume = kMaxVolume;
    int effectVolume = kMaxVolume;
    int windowScale = 1;
    std::vector<veru::YString> unreadKeys;
    std::unique_ptr<veru::io::KeyValueFile> file;
    veru::dxt::event::ButtonMap* buttons;
};

}  // namespace ml
