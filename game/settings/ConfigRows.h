#pragma once
// The rows of the configuration screen, top to bottom: the setting each row
// sets, the picture of its name, and how it shows and steps through the
// setting's values. The values themselves are the settings table's
// (SettingKeys.h): a choice row has one picture per stored value, its low
// value first; a gauge has one pip per step above its low value. A setting
// the player chooses is one row here beside its row there. "Return" closes
// the list on the screen; it sets nothing and is no row of this table.
//
// Pictures are named without folder and suffix: "level" is
// "img/level_n.ytx" (plain) and "img/level_s.ytx" (highlighted), drawn for
// each language from the word list (assets/src/menu/items.txt).

#include <array>
#include <cstddef>

#include "game/settings/SettingKeys.h"

namespace ml::settings {

// How a row shows its setting.
enum class Shown {
    choices,  // one picture per value; left/right choose, the shoot button confirms
    screen,   // "window" in its sizes (as many as the desktop has room for), then
              // "full screen"; sets SCREEN and WINDOWscale together
    gauge,    // one pip per step; left/right change the value at once
    actions   // the buttons of the actions (the table's `buttons` rows): assign
              // them, or go back to the default buttons
};

inline constexpr std::size_t kMaxChoices = 4;

struct ConfigRow {
    Key key;
    const char16_t* picture;
    Shown shown;
    // The pictures of the values, lowest first (choices); the window sizes,
    // then full screen (screen). Unused places are null.
    std::array<const char16_t*, kMaxChoices> choices;
};

inline constexpr ConfigRow kConfigRows[] = {
    {Key::screen, u"screen", Shown::screen, {u"window", u"window2", u"window3", u"full"}},
    {Key::level, u"level", Shown::choices, {u"easy", u"normal", u"hard"}},
    {Key::keyBullet, u"key", Shown::actions, {}},
    {Key::musicVolume, u"music", Shown::gauge, {}},
    {Key::effectVolume, u"effect", Shown::gauge, {}},
    {Key::language, u"language", Shown::choices, {u"lang_desktop", u"lang_ja", u"lang_en"}},
};

inline constexpr int kConfigRowCount = static_cast<int>(std::size(kConfigRows));

constexpr int choiceCount(const ConfigRow& row) {
    int n = 0;
    for (const char16_t* choice : row.choices)
        n += choice != nullptr;
    return n;
}

// The row that sets `key`; kConfigRowCount when none does.
constexpr int configRowOf(Key key) {
    for (int i = 0; i < kConfigRowCount; ++i) {
        if (kConfigRows[i].key == key)
            return i;
    }
    return kConfigRowCount;
}

// A choice row offers every value of its setting, no more; a gauge runs
// over a number's range.
constexpr bool rowFitsItsSetting(const ConfigRow& row) {
    const KeyInfo& key = info(row.key);
    switch (row.shown) {
        case Shown::choices:
            return key.type == ValueType::number && choiceCount(row) == key.high - key.low + 1;
        case Shown::gauge:
            return key.type == ValueType::number && key.high > key.low && choiceCount(row) == 0;
        case Shown::screen:
            return row.key == Key::screen && choiceCount(row) >= 2;
        case Shown::actions:
            return key.type == ValueType::buttons && choiceCount(row) == 0;
    }
    return false;
}

constexpr bool everyRowFits() {
    for (const ConfigRow& row : kConfigRows) {
        if (!rowFitsItsSetting(row))
            return false;
    }
    return true;
}
static_assert(everyRowFits(), "a configuration row does not match its setting's range");

}  // namespace ml::settings
