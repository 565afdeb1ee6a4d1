#pragma once
// The three difficulties as one table: the level code the stage plays with,
// the word file names and settings keys use, and the names shown to the
// player in each language.
//
// Thread: constants; any thread.

#include <span>

#include "game/shooting/object/ObjectCodes.h"

namespace ml {

struct Difficulty {
    int level;                // shooting::object::LEVEL_1 ... LEVEL_3
    const char* key;          // "easy", "normal", "hard"
    const char16_t* name;     // as the game shows it in Japanese
    const char16_t* english;  // and in English
};

inline constexpr Difficulty kDifficulties[] = {
    {shooting::object::LEVEL_1, "easy", u"やさしい", u"Easy"},
    {shooting::object::LEVEL_2, "normal", u"ふつう", u"Normal"},
    {shooting::object::LEVEL_3, "hard", u"むずかしい", u"Hard"},
};

inline std::span<const Difficulty> difficulties() {
    return kDifficulties;
}

// The row of a level code; null for a code that is no difficulty.
inline const Difficulty* findDifficulty(int level) {
    for (const Difficulty& row : kDifficulties)
        if (row.level == level)
            return &row;
    return nullptr;
}

}  // namespace ml
