#pragma once
// Every key of the settings file, each once: what the reader checks, what the
// writer writes, the defaults and the configuration screen's rows all come
// from this list. Adding a setting is one row of ML_SETTING_KEYS.
//
// Values are kept in their stored form (the number the file holds): "LEVEL"
// stores 10, 11, 12 and GameSetting turns that into the level code the stage
// is given.

#include <array>
#include <cstddef>

namespace ml::settings {

// How a stored value is checked when read.
enum class ValueType {
    number,     // a whole number within [low, high]
    buttons,    // an action's button mask: some of buttons 1-10 and nothing else
    keys,       // a control's keys (ActionBindings::storedKeys)
    padButtons  // an action's pad buttons (ActionBindings::storedPadButtons)
};

// The fallback of the keys and pad-button rows: the defaults that go with
// the file's action masks, so a file from before these rows plays as it did.
inline constexpr int kFromMasks = -1;

// One row of the table. Text members are static strings.
struct KeyInfo {
    const char16_t* name;  // in the file: "[" name "] = " value
    ValueType type;
    int low, high;         // the stored values a number key accepts
    int fallback;          // the default, stored form
    int slot;              // the ButtonMap slot a buttons key binds, the Control of a
                           // keys or pad-buttons key; 0 for numbers
    bool inEveryFile;      // written by every version (a later key's absence is no loss)
    const char16_t* what;  // for the player, in the damaged-file box
    const char* readBy;    // who reads the value (for maintainers)
};

// clang-format off
// X(id, name, type, low, high, default, slot, in every file, what, read by)
#define ML_SETTING_KEYS(X)                                                                                   \
    X(screen, u"SCREEN", number, 1, 2, 1, 0, true, u"画面",                                                  \
      "configuration scene: 2 = full screen (the game itself always starts in a window)")                   \
    X(level, u"LEVEL", number, 10, 12, 11, 0, true, u"難易度", "stage: easy, normal, hard")                  \
    X(keyBullet, u"KEYbullet", buttons, 0, 0, 0x10, 1, true, u"ショットのボタン", "ButtonMap slot 1")         \
    X(keyKintuba, u"KEYkintuba", buttons, 0, 0, 0x20, 2, true, u"きんつばのボタン", "ButtonMap slot 2")      \
    X(keyBomb, u"KEYbomb", buttons, 0, 0, 0x40, 3, true, u"ボムのボタン", "ButtonMap slot 3")                \
    X(keySlow, u"KEYslow", buttons, 0, 0, 0x80, 4, true, u"低速のボタン", "ButtonMap slot 4")                \
    X(keyPause, u"KEYpause", buttons, 0, 0, 0x100, 5, true, u"ポーズのボタン", "ButtonMap slot 5")           \
    X(score, u"SCORE", number, 0, 0x7FFFFFFF, 0, 0, true, u"ハイスコア",                                 \
      "older versions: the best of every record (this one reads the records below)")                        \
    X(musicVolume, u"VOLUMEmusic", number, 0, 10, 10, 0, false, u"音楽の音量", "sound manager: music level") \
    X(effectVolume, u"VOLUMEeffect", number, 0, 10, 10, 0, false, u"効果音の音量",                           \
      "sound manager: effect level")                                                                         \
    X(windowScale, u"WINDOWscale", number, 1, 8, 1, 0, false, u"ウィンドウの大きさ",                          \
      "window: its size in multiples of the picture")                                                        \
    X(language, u"LANGUAGE", number, 0, 2, 0, 0, false, u"言語",                                             \
      "every word the player reads: 0 the desktop's language, 1 Japanese, 2 English")                      \
    X(keysUp, u"KEYSup", keys, 0, 0, kFromMasks, 0, false, u"上のキー", "ActionBindings: up")                  \
    X(keysDown, u"KEYSdown", keys, 0, 0, kFromMasks, 1, false, u"下のキー", "ActionBindings: down")            \
    X(keysLeft, u"KEYSleft", keys, 0, 0, kFromMasks, 2, false, u"左のキー", "ActionBindings: left")            \
    X(keysRight, u"KEYSright", keys, 0, 0, kFromMasks, 3, false, u"右のキー", "ActionBindings: right")         \
    X(keysBullet, u"KEYSbullet", keys, 0, 0, kFromMasks, 4, false, u"ショットのキー", "ActionBindings: shoot") \
    X(keysKintuba, u"KEYSkintuba", keys, 0, 0, kFromMasks, 5, false, u"きんつばのキー",                        \
      "ActionBindings: special")                                                                             \
    X(keysBomb, u"KEYSbomb", keys, 0, 0, kFromMasks, 6, false, u"ボムのキー", "ActionBindings: bomb")          \
    X(keysSlow, u"KEYSslow", keys, 0, 0, kFromMasks, 7, false, u"低速のキー", "ActionBindings: slow")          \
    X(keysPause, u"KEYSpause", keys, 0, 0, kFromMasks, 8, false, u"ポーズのキー", "ActionBindings: pause")     \
    X(padBullet, u"PADbullet", padButtons, 0, 0, kFromMasks, 4, false, u"ショットのパッドボタン",              \
      "ActionBindings: shoot")                                                                               \
    X(padKintuba, u"PADkintuba", padButtons, 0, 0, kFromMasks, 5, false, u"きんつばのパッドボタン",            \
      "ActionBindings: special")                                                                             \
    X(padBomb, u"PADbomb", padButtons, 0, 0, kFromMasks, 6, false, u"ボムのパッドボタン",                      \
      "ActionBindings: bomb")                                                                                \
    X(padSlow, u"PADslow", padButtons, 0, 0, kFromMasks, 7, false, u"低速のパッドボタン",                      \
      "ActionBindings: slow")                                                                                \
    X(padPause, u"PADpause", padButtons, 0, 0, kFromMasks, 8, false, u"ポーズのパッドボタン",                  \
      "ActionBindings: pause")                                                                               \
    ML_RECORD_HEROINES(ML_RECORD_SETTING_ROWS, X)

// The records: each heroine's best score on each difficulty and the day it
// was set ("SCOREshiroEasy", "SCOREDATEshiroEasy" ...). A heroine is one line
// of ML_RECORD_HEROINES: her character number (her StageHeroine row's), the
// name in her keys and her name for the player. (Her row itself is code, not
// a list the preprocessor can walk; a test checks that every row has a line.)
#define ML_RECORD_HEROINES(Z, X)                        \
    ML_RECORD_LEVELS(Z, X, shiro, 1, u"shiro", u"シロ") \
    ML_RECORD_LEVELS(Z, X, hotaru, 2, u"hotaru", u"ホタル")
// Each difficulty: its id, the word in the key, its number (0 easy) and its
// word for the player.
#define ML_RECORD_LEVELS(Z, X, ...)                    \
    Z(X, __VA_ARGS__, easy, u"Easy", 0, u"やさしい")   \
    Z(X, __VA_ARGS__, normal, u"Normal", 1, u"ふつう") \
    Z(X, __VA_ARGS__, hard, u"Hard", 2, u"むずかしい")
// The two settings rows of one record: the score, and the day as YYYYMMDD
// (0: not known, as for a record carried over from the single old score).
#define ML_RECORD_SETTING_ROWS(X, who, character, key, name, level, levelKey, index, levelName)   \
    X(record_##who##_##level, u"SCORE" key levelKey, number, 0, 0x7FFFFFFF, 0, 0, false,          \
      name u"のハイスコア（" levelName u"）", "stage: the record of this heroine and difficulty") \
    X(recordDate_##who##_##level, u"SCOREDATE" key levelKey, number, 0, 99991231, 0, 0, false,    \
      name u"のハイスコアの日付（" levelName u"）", "stage: the day the record was set, YYYYMMDD")
// clang-format on

// The keys by name, in the order they are read and listed to the player.
enum class Key : std::size_t {
#define ML_SETTING_ID(id, ...) id,
    ML_SETTING_KEYS(ML_SETTING_ID)
#undef ML_SETTING_ID
};

inline constexpr std::array kKeys = {
#define ML_SETTING_ROW(id, name, type, low, high, fallback, slot, every, what, readBy) \
    KeyInfo{name, ValueType::type, low, high, fallback, slot, every, what, readBy},
    ML_SETTING_KEYS(ML_SETTING_ROW)
#undef ML_SETTING_ROW
};

inline constexpr std::size_t kKeyCount = kKeys.size();

constexpr const KeyInfo& info(Key key) {
    return kKeys[static_cast<std::size_t>(key)];
}

// Where one record is kept: heroine `character` on difficulty `level`
// (0 easy, 1 normal, 2 hard).
struct RecordKeys {
    int character;
    int level;
    Key score;
    Key date;
};

inline constexpr RecordKeys kRecordKeys[] = {
#define ML_RECORD_KEYS(X, who, character, key, name, level, levelKey, index, levelName) \
    RecordKeys{character, index, Key::record_##who##_##level, Key::recordDate_##who##_##level},
    ML_RECORD_HEROINES(ML_RECORD_KEYS, _)
#undef ML_RECORD_KEYS
};

// A file from before the records kept one "SCORE" for every play: it is
// read once as this heroine's record (Shiro's) on the file's difficulty.
inline constexpr int kOldScoreCharacter = 1;

}  // namespace ml::settings
